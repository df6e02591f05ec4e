#pragma once
// A full macro file: 500 enabled global macros of 5,000 characters each, started by
// nickname only, as a heavy user keeps.
#include <string>

#include "macro/macro_file.h"
#include "macro/macro_record.h"

inline bool WriteFullMacroFile(const std::string& path) {
    using namespace tessaro;
    if (!CreateEmptyMacroFile(path).ok()) return false;
    for (int n = 1; n <= 500; ++n) {
        TMacroRecord rec{};
        rec.Nickname = "Macro " + std::to_string(n);
        rec.Scope = scGlobal;
        rec.ActivationCode = 30000;  // none: started by nickname only
        rec.Enabled = 1;
        std::string text;
        while (text.size() < kMacroTextCapacity) text += "Typed text of macro " + std::to_string(n) + ". ";
        SetMacroText(rec, text.substr(0, kMacroTextCapacity));
        if (!WriteMacroRecordAt(path, -1, rec).ok()) return false;
    }
    return true;
}
