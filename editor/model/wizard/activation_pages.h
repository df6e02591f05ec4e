#pragma once
// What the activation pages (1-3, 7-10, 37) show and preset, without widgets: the
// answers every page starts from, the hot-key and popup-menu lists, the schedule panels.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editor/model/macro_forms/hot_key_list.h"
#include "editor/model/macro_forms/installed_programs.h"
#include "editor/model/macro_forms/schedule_panels.h"
#include "editor/model/wizard/wizard_answers.h"
#include "foundation/config_record.h"
#include "macro/schedule_checks.h"
#include "protocol/glob_data.h"

namespace tessaro::wizard {

// The answers of a new wizard form: a valid choice on every page of every function.
// Without `ie4Installed` pages 47 and 25 are cut down.
Answers CreationPresets(CalendarDate today, bool firstUse, bool ie4Installed);

// The examples of page 8 (and 33, 37, 40), lines separated by LF CR.
std::string ScopeExamplesText();

// Page 3's schedule as the schedule dialog's panels, and which AM/PM boxes say PM.
SchedulePanels SchedulePanelsOf(const Answers& answers);
std::array<bool, 4> PmOf(const Answers& answers);

// Page 3's hot-key list: one row per code with its use, and the codes a macro of scope 1,
// 4 or 5 holds (such a key cannot make another global macro).
struct HotKeyPage {
    std::vector<std::string> rows;
    HotKeyFlags globalUse{};
};
HotKeyPage LoadP3(const TGlobData& glob);

// Some macro is a popup menu (page 9 applies).
bool MenusExist(const TGlobData& glob);

struct MenuEntry {
    std::string nickname;
    int macro = 0;
};
// The popup-menu macros in macro order, by nickname (page 9).
std::vector<MenuEntry> PopupMenus(const TGlobData& glob, const TConfigRecord& config);

// A row of the installed-program list of pages 8 and 32: the name, a tab, the program.
std::string InstalledItem(const InstalledProgram& program);
// The program of such a row (the whole row when it has no tab).
std::string ProgramOfItem(const std::string& item);

// The label under page 10's icon button.
std::string IconLabelText(int function);

// The nickname page 10 offers a reminder: the first ten characters of its text, on one line.
std::string ReminderNickname(std::string_view reminderText);

}  // namespace tessaro::wizard
