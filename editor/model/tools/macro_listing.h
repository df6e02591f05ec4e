#pragma once
// The plain-text listing of the macros the grid shows, with the pieces the user ticks.
#include <functional>
#include <string>
#include <vector>

#include "macro/macro_record.h"

namespace tessaro {

struct ListingChoice {
    bool HotKey = true;
    bool Name = true;
    bool Window = true;
    bool Text = true;
    bool Schedule = true;
    bool Icon = true;

    bool Any() const { return HotKey || Name || Window || Text || Schedule || Icon; }
};

inline constexpr const char* kListingNothingChecked =
    "Nothing has been checked for printing.  Please Correct.";

// The listing of the macros in grid order, lines ended by CR LF, an empty line after each
// macro. `describeSchedule` gives the schedule line of a timed macro.
std::string MacroListing(const std::vector<TMacroRecord>& macros, const ListingChoice& choice,
                         const std::function<std::string(const TMacroRecord&)>& describeSchedule);

}  // namespace tessaro
