#pragma once
// The popup-menu macro editor ("Build Macro Menu"): the options of the menu and its two
// lists of macros, the available ones and the members in menu order.
#include <cstdint>
#include <string>
#include <vector>

#include "macro/macro_record.h"
#include "protocol/glob_data.h"

namespace tessaro {

inline constexpr int kMaxMenuItems = 36;
inline constexpr const char* kNoMacroSelected = "No macro selected.  Please select one.";

enum class InsertMode { Append = 1, Before = 2, After = 3 };

struct MenuButtons {
    bool remove = false, up = false, down = false;
    bool add = false;  // "&Add" and both inserts
};

class MenuLists {
public:
    // Members: the stored numbers up to MacroCount, in order. Available: every other macro
    // that is not a system macro, ascending.
    MenuLists(const TGlobData& glob, const std::vector<std::uint16_t>& stored);

    const std::vector<std::uint16_t>& available() const { return available_; }
    const std::vector<std::uint16_t>& members() const { return members_; }
    int availableRow = -1, memberRow = -1;  // the selected rows, -1 none

    MenuButtons Buttons() const;
    // Moves the selected available macro into the menu; false (nothing moved) when none
    // is selected.
    bool Add(InsertMode mode);
    // Moves the selected member back to its numeric place; false when none is selected.
    bool Remove();
    void Up();
    void Down();

private:
    std::vector<std::uint16_t> available_, members_;
};

struct BuildMenuOptions {
    bool inTray = false;
    PopupShow show = PopupShow::NicknameAndScope;
    int iconSizeIndex = 0;
    std::string nickname;  // Windows-1252
    std::string iconFile;  // "MENU" or a file in ProgramDir/Icons
};

BuildMenuOptions ShowBuildMenu(const TMacroRecord& rec, bool modifyExisting, int macroCount);

struct BuildMenuResult {
    TMacroRecord record;
    bool trayChanged = false;
};
// "&Ok": the popup-menu record. `initial` are the options as shown; a new macro is enabled,
// not counted (the caller's append counts it). An icon change already set the tray flag in
// the form; `iconChanged` carries it.
BuildMenuResult StoreBuildMenu(const TMacroRecord& current, bool modifyExisting,
                               const BuildMenuOptions& initial, const BuildMenuOptions& chosen,
                               const std::vector<std::uint16_t>& members, bool iconChanged);

// The activation column of a list row and the first Quick Info line.
std::string ActivationColumn(std::uint16_t code, const std::string& abbreviation);
std::string ScopeColumn(std::uint16_t scope, const std::string& scopeText);

// The Quick Info box of a macro (lines parted by an empty line); `scheduleText` is the
// description of a timed macro's schedule.
std::string QuickInfoText(const TMacroRecord& rec, const std::string& scheduleText);

}  // namespace tessaro
