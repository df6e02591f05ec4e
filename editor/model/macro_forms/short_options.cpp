#include "editor/model/macro_forms/short_options.h"

namespace tessaro {

ShortOptionsView ShowShortOptions(const TMacroRecord& rec) {
    ShortOptionsView v;
    v.noRemove = rec.AbbrevErase == 2;
    v.caseMode = rec.AbbrevCase == 1   ? SnipraCase::Match
                 : rec.AbbrevCase == 2 ? SnipraCase::Exact
                                       : SnipraCase::None;
    return v;
}

void StoreShortOptions(TMacroRecord& rec, const ShortOptionsView& choice) {
    rec.AbbrevCase = std::uint16_t(choice.caseMode);
    rec.AbbrevErase = choice.noRemove ? 2 : 1;
}

}  // namespace tessaro
