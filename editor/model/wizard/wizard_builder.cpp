#include "editor/model/wizard/wizard_builder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "editor/model/wizard/menu_pages.h"
#include "editor/model/wizard/wizard_text.h"
#include "foundation/strings.h"
#include "macro/nickname.h"
#include "platform/message_box.h"
#include "protocol/hotkey_names.h"

namespace tessaro::wizard {

namespace {

int NumberIn(const Answers& a, std::string_view control) {
    return WholeNumber(FieldText(a.Text(control))).value_or(0);
}

// The schedule kinds in the order of the record's ScheduleType.
constexpr std::array<std::string_view, 8> kKinds{"Startup", "Once",    "Hourly", "Daily",
                                                 "Weekly",  "Monthly", "Other",  "Idle"};
constexpr std::array<std::string_view, 7> kDays{"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                "Friday", "Saturday", "Sunday"};

struct TimeBoxes {
    std::string_view hour, minute, pm;
};

// The AM/PM boxes list "AM" then "PM".
void SetTime(const Answers& a, const TimeBoxes& boxes, TMacroRecord& rec) {
    rec.ScheduleHour = static_cast<std::uint8_t>(NumberIn(a, boxes.hour));
    rec.ScheduleMinute = static_cast<std::uint8_t>(NumberIn(a, boxes.minute));
    rec.SchedulePM = a.Index(boxes.pm) == 1 ? 1 : 0;
}

bool SameNickname(std::string_view x, std::string_view y) {
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](char p, char q) {
        return std::tolower(static_cast<unsigned char>(p)) == std::tolower(static_cast<unsigned char>(q));
    });
}

// The executable's base name: what the player compares a program scope with.
std::string BaseName(std::string path) {
    path = FieldText(path);
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The menu list offers every macro but the system macros, in file order.
std::vector<std::uint16_t> ChosenMenuItems(const Answers& a, const TGlobData& glob) {
    const std::vector<int> rows = MenuMacros(glob);
    std::vector<std::uint16_t> items;
    for (int i : a.Selected("P50Macros"))
        if (i >= 0 && i < static_cast<int>(rows.size()))
            items.push_back(static_cast<std::uint16_t>(rows[static_cast<std::size_t>(i)]));
    return items;
}

struct Activation {
    bool set = false;
    std::uint16_t code = 0;
    bool abbreviation = false;
};

Activation ActivationOf(const Answers& a) {
    if (a.Checked("P2HotKey"))
        return {true, static_cast<std::uint16_t>(std::max(0, a.Index("P3KeyList"))), false};
    if (a.Checked("P2Snipra")) return {true, acAbbreviation, true};
    if (a.Checked("P2None")) return {true, acNone, false};
    if (a.Checked("P2Timed")) return {true, acScheduled, false};
    if (a.Checked("P2Title")) return {true, acWindowTitle, false};
    return {};
}

void SetScope(const Answers& a, WizardContext& ctx, TMacroRecord& rec) {
    if (a.Checked("P7Global")) {
        rec.Scope = scGlobal;
    } else if (a.Checked("P7SpecWin")) {
        rec.Scope = scWindow;
        rec.ScopeText = FieldText(a.Text("P8Title"));
    } else {
        rec.Scope = scProgram;
        std::string program;
        if (a.Checked("P8ProgPath")) {
            program = BaseName(a.Text("P8Path"));
        } else {
            const auto& installed = ctx.installedPrograms.Get();
            const int i = a.Index("P8InstallBox");
            if (i >= 0 && i < static_cast<int>(installed.size()))
                program = installed[static_cast<std::size_t>(i)].program;
        }
        rec.ScopeText = program;
    }
}

}  // namespace

std::string IconNameOf(const Answers& a) {
    const std::string& icon = a.Text("P10MySpeed");
    return icon.empty() ? std::string("MAIN") : icon;
}

bool WarnReservedHotKey(int code) {
    const std::string question = ReservedKeyQuestion(code);
    if (question.empty()) return false;
    return win::MessageBox(question, "Warning", win::MbButtons::YesNo, win::MbIcon::Warning) ==
           win::MbResult::No;
}

void SetScheduleFields(const Answers& a, TMacroRecord& rec) {
    for (std::size_t k = 0; k < kKinds.size(); ++k)
        if (a.Checked(kKinds[k])) {
            rec.ScheduleType = static_cast<std::uint16_t>(k);
            break;
        }
    for (std::size_t d = 0; d < kDays.size(); ++d) rec.ScheduleDays[d] = a.Checked(kDays[d]) ? 1 : 0;
    switch (rec.ScheduleType) {
        case 1:
            SetTime(a, {"OnceTimeHour", "OnceTimeMin", "OnceTimePM"}, rec);
            rec.ScheduleYear = static_cast<std::uint16_t>(NumberIn(a, "OnceYear"));
            rec.ScheduleMonth = static_cast<std::uint8_t>(a.Index("OnceMonth") + 1);
            rec.ScheduleDay = static_cast<std::uint8_t>(NumberIn(a, "OnceDay"));
            break;
        case 2: rec.MinutePastHour = static_cast<std::uint8_t>(NumberIn(a, "HourlyMinutes")); break;
        case 3: SetTime(a, {"DailyHour", "DailyMin", "DailyPM"}, rec); break;
        case 4:
            SetTime(a, {"WeeklyHour", "WeeklyMin", "WeeklyPM"}, rec);
            rec.ScheduleWeekDay = static_cast<std::uint8_t>(a.Index("WeeklyDayOfWeek") + 1);
            break;
        case 5:
            SetTime(a, {"MonthlyHour", "MonthlyMin", "MonthlyPM"}, rec);
            rec.ScheduleDay = static_cast<std::uint8_t>(NumberIn(a, "MonthlyDay"));
            break;
        case 6: rec.IntervalMinutes = static_cast<std::uint16_t>(NumberIn(a, "OtherMinutes")); break;
        case 7: rec.IntervalMinutes = static_cast<std::uint16_t>(NumberIn(a, "IdleMinutes")); break;
        default: break;
    }
}

std::optional<FormError> CheckSelfDeletingNick(const Answers& a, const TGlobData& glob,
                                               const TConfigRecord& config) {
    if (!a.Checked("P26Delete")) return std::nullopt;
    const std::string nick = FieldText(OneLineNickname(a.Text("P10Nick"))).substr(0, 50);
    if (nick.empty()) return FormError{kNoReminderNick, "P10Nick"};
    const int count = std::clamp(glob.MacroCount, 0, kMaxMacros);
    for (int n = 1; n <= count; ++n)
        if (SameNickname(TrimBlanks(config.MacroNicknames[static_cast<std::size_t>(n)].str()), nick))
            return FormError{kReminderNickInUse, "P10Nick"};
    return std::nullopt;
}

std::variant<WizardOutcome, FormError> BuildMacro(int function, const Answers& a, WizardContext& ctx,
                                                  double now) {
    const Activation activation = ActivationOf(a);
    if (a.Checked("P2HotKey") && WarnReservedHotKey(activation.code)) return FormError{};
    if (function == 10)
        if (auto bad = CheckSelfDeletingNick(a, ctx.GlobData, ctx.Config)) return *bad;
    auto text = MacroTextOf(function, a, ctx);
    if (auto* bad = std::get_if<FormError>(&text)) return *bad;

    TMacroRecord& rec = ctx.CurrentMacro;
    if (activation.set) rec.ActivationCode = activation.code;
    if (activation.abbreviation) rec.Abbreviation = FieldText(a.Text("P3SnipraName"));
    SetMacroText(rec, std::get<std::string>(text));

    rec.Enabled = 1;
    rec.Nickname = FieldText(OneLineNickname(a.Text("P10Nick")));
    rec.IconName = IconNameOf(a);
    rec.TopmostOnly = 1;
    DefaultTimer(rec, now);
    rec.ScopeText = "";
    rec.AbbrevCase = static_cast<std::uint16_t>(ctx.Config.SnipraCaseMode & 0xFFFF);
    rec.AbbrevErase = ctx.Config.SnipraNoRemove ? 2 : 1;

    WizardOutcome out;
    if (function == 25) {
        PopupMenu menu;
        menu.inTray = a.Checked("P52Yes");
        menu.show = a.Checked("P51Text")    ? PopupShow::FirstPartOfMacro
                    : a.Checked("P51Icons") ? PopupShow::Icons
                                            : PopupShow::NicknameAndScope;
        menu.iconSizeIndex = std::max(0, a.Index("P51IconSize"));
        menu.items = ChosenMenuItems(a, ctx.GlobData);
        rec.Scope = scPopupMenu;
        WritePopupMenu(rec, menu);
        out.TrayMenuChanged = menu.inTray;
    } else {
        SetScope(a, ctx, rec);
        if (a.Checked("P2Timed")) SetScheduleFields(a, rec);
        if (a.Checked("P2Title")) rec.ScopeText = FieldText(a.Text("P37Title"));
    }
    rec.LastModified = now;
    out.Finished = true;
    if (a.Checked("P9AddYes") && a.Index("P9PopupList") >= 0) {
        out.AddToPopupMenu = true;
        out.PopupMenuNickname = a.ChosenItem("P9PopupList").substr(0, 255);
    }
    return out;
}

}  // namespace tessaro::wizard
