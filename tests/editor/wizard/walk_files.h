#pragma once
// Real files and a folder in `dir` for every page of a walk that names one.
#include <fstream>
#include <string>

#include "tests/editor/wizard/wizard_walk.h"

namespace tessaro::testing {

inline WalkPlaces MakeWalkPlaces(const std::string& dir) {
    WalkPlaces places{dir,
                      dir + "/note.txt",
                      dir + "/sky.bmp",
                      dir + "/clip.avi",
                      dir + "/bell.wav",
                      dir + "/letter.txt",
                      dir + "/tool"};
    for (const std::string& f :
         {places.text, places.bitmap, places.video, places.wave, places.document, places.program})
        std::ofstream(f) << "x";
    return places;
}

}  // namespace tessaro::testing
