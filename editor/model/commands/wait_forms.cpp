#include "editor/model/commands/wait_forms.h"

#include "editor/model/commands/refusal.h"

namespace tessaro {
namespace {

constexpr std::array<std::string_view, kWaitKeyCount> kKeys{
    "A",  "B",  "C",  "D",   "E",   "F",   "G",   "H",   "I",     "J",    "K",   "L",    "M",  "N",
    "O",  "P",  "Q",  "R",   "S",   "T",   "U",   "V",   "W",     "X",    "Y",   "Z",    "0",  "1",
    "2",  "3",  "4",  "5",   "6",   "7",   "8",   "9",   "F1",    "F2",   "F3",  "F4",   "F5", "F6",
    "F7", "F8", "F9", "F10", "F11", "F12", "ESC", "TAB", "ENTER", "CTRL", "ALT", "SHIFT"};

// The value of the digits an entry starts with (after an optional sign); 0 for none.
long long LeadingNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    long long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || v > 1000000000LL) break;
        v = v * 10 + (c - '0');
    }
    return negative ? -v : v;
}

std::string TwoDigits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

}  // namespace

std::string_view WaitKeyName(int index) {
    return index >= 0 && index < kWaitKeyCount ? kKeys[static_cast<std::size_t>(index)] : std::string_view();
}

WaitPanel WaitPanelOf(std::int32_t kind) {
    switch (kind) {
        case 1:
        case 2: return WaitPanel::Title;
        case 3: return WaitPanel::Program;
        case 4: return WaitPanel::Key;
        case 5: return WaitPanel::Text;
        case 10: return WaitPanel::Elapse;
        default: return WaitPanel::None;
    }
}

bool WaitTimePanelShown(std::int32_t kind) { return kind != 9 && kind != 10; }

WaitForm WaitDefaults(std::int32_t kind) {
    WaitForm f;
    f.Kind = kind;
    f.WaitMax = true;
    f.WaitMin = "10";
    f.TheKey = kWaitKeyEnter;
    return f;
}

WaitForm WaitPreset(const TWaitRec& rec) {
    WaitForm f;
    f.Kind = rec.Kind;
    switch (WaitPanelOf(rec.Kind)) {
        case WaitPanel::Title: f.WinTitle = rec.Text; break;
        case WaitPanel::Program: f.ProgName = rec.Text; break;
        case WaitPanel::Text:
            f.TheText = rec.Text;
            f.CaseSense = rec.Found;
            break;
        case WaitPanel::Key: {
            const auto index = WholeNumber(rec.Text);
            f.TheKey = index && *index >= 0 && *index < kWaitKeyCount ? *index : -1;
            break;
        }
        default: break;
    }
    if (rec.Kind == 10) {
        f.WaitMax = true;
        f.WaitMin = "10";
        f.Minutes = std::to_string(rec.TimeOut / 60);
        f.Seconds = std::to_string(rec.TimeOut % 60);
    } else {
        f.WaitMax = rec.TimeOut != 0;
        if (f.WaitMax) f.WaitMin = std::to_string(rec.TimeOut);
    }
    return f;
}

FormResult<WaitFields> BuildWait(const WaitForm& form) {
    WaitFields out;
    switch (WaitPanelOf(form.Kind)) {
        case WaitPanel::Title:
            out.WaitArgument = FieldText(form.WinTitle);
            if (out.WaitArgument.empty())
                return Fail<WaitFields>("No entry made for Window Title.  Please correct.", "WinTitle");
            if (auto bad = CheckFreeText(out.WaitArgument, "WinTitle")) return Refused<WaitFields>(*bad);
            break;
        case WaitPanel::Program:
            out.WaitArgument = FieldText(form.ProgName);
            if (out.WaitArgument.empty())
                return Fail<WaitFields>("No entry made for program name.  Please correct.", "ProgName");
            if (auto bad = CheckFreeText(out.WaitArgument, "ProgName")) return Refused<WaitFields>(*bad);
            break;
        case WaitPanel::Text:
            out.CaseSensitive = form.CaseSense ? 1 : 0;
            out.WaitArgument = FieldText(form.TheText);
            if (out.WaitArgument.empty())
                return Fail<WaitFields>("No text entered.  Please correct.", "TheText");
            if (auto bad = CheckFreeText(out.WaitArgument, "TheText")) return Refused<WaitFields>(*bad);
            break;
        case WaitPanel::Key:
            if (form.TheKey < 0 || form.TheKey >= kWaitKeyCount)
                return Fail<WaitFields>("No key selected.  Please correct.", "TheKey");
            out.WaitArgument = TwoDigits(form.TheKey);
            break;
        default: break;
    }
    if (form.Kind == 10) {
        const auto minutes = WholeNumber(FieldText(form.Minutes));
        // Beyond this the seconds no longer fit their eight digits.
        if (!minutes || *minutes < 0 || *minutes > 1666666)
            return Fail<WaitFields>("Invalid Minutes specified.", "Minutes");
        const auto seconds = WholeInRange(FieldText(form.Seconds), 0, 59);
        if (!seconds) return Fail<WaitFields>("Invalid Seconds specified.", "Seconds");
        out.WaitValue = *minutes * 60 + *seconds;
    } else if (form.WaitMax) {
        const long long minutes = LeadingNumber(FieldText(form.WaitMin));
        if (minutes < 1) return Fail<WaitFields>("Value must be greater than zero.", "WaitMin");
        out.WaitValue = static_cast<std::int32_t>(minutes);
    }
    const RadioChoice* choice = ChoiceOfKind(kWaitChoices, form.Kind);
    if (!choice) return {};  // nothing checked: the dialog closes without a command
    out.WaitKind = form.Kind;
    // The playback wait has no time-out in the macro, whatever the hidden controls hold.
    TWaitRec rec{form.Kind, out.WaitArgument, form.Kind == 9 ? 0 : out.WaitValue, out.CaseSensitive != 0};
    return Finish(std::move(out), choice->code, std::move(rec));
}

}  // namespace tessaro
