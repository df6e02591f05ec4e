#pragma once
// The wizard's content pages 4-6, 11-36 and 38-49: what the new macro does.
#include <memory>

#include "editor/wizard/wizard_pages.h"

namespace win {
class Printers;
class SystemSettings;
}  // namespace win

namespace tessaro {

class MixerHost;
class PathChooser;

// Where the pages' lists and pickers come from; tests hand in their own.
struct ContentServices {
    win::Printers& printers;        // page 15
    win::SystemSettings& settings;  // page 16: the modes as "<SCREEN:" numbers them
    PathChooser& paths;             // every Browse
    MixerHost& mixer;               // "Audio Device" of pages 44 and 45
};

// The desktop's own path chooser and mixer, with its `printers` and `display` modes.
std::unique_ptr<WizardPageGroup> MakeContentPages(win::Printers& printers, win::SystemSettings& display);
std::unique_ptr<WizardPageGroup> MakeContentPages(ContentServices services);

}  // namespace tessaro
