#pragma once
// "Snipra Options" of one abbreviation macro: case matching and keeping the typed keys.
#include <cstdint>

#include "macro/macro_record.h"

namespace tessaro {

enum class SnipraCase { Match = 1, Exact = 2, None = 3 };

struct ShortOptionsView {
    SnipraCase caseMode = SnipraCase::None;
    bool noRemove = false;
};

// What the dialog shows: values outside the known ones show "&None" and "removed".
ShortOptionsView ShowShortOptions(const TMacroRecord& rec);
// OK: the two fields from the choices.
void StoreShortOptions(TMacroRecord& rec, const ShortOptionsView& choice);

}  // namespace tessaro
