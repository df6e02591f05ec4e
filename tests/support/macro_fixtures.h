#pragma once
// Records for the macro-file tests.
#include <string>

#include "macro/macro_record.h"

namespace tessaro::testing {

// An enabled macro with its own text, the program icon and the exact-case rule.
inline TMacroRecord TestMacro(const std::string& name, std::uint16_t code, std::uint16_t scope = scGlobal) {
    TMacroRecord rec;
    rec.Nickname = name;
    rec.ActivationCode = code;
    rec.Scope = scope;
    rec.Enabled = 1;
    rec.IconName = "MAIN";
    rec.AbbrevCase = 2;
    SetMacroText(rec, name + " text");
    return rec;
}

}  // namespace tessaro::testing
