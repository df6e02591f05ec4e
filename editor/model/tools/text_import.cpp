#include "editor/model/tools/text_import.h"

#include <cctype>
#include <string_view>

#include "macro/nickname.h"
#include "platform/message_box.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"

namespace tessaro {

namespace {

constexpr std::string_view kItemHead = "<ITEM NAME>";
constexpr std::size_t kLineLimit = 5000;
constexpr std::size_t kBodyBuffer = 7000;

// One line without its CR LF or LF; characters past `limit` are read and dropped, so a
// huge line costs no memory. False at the end of the input.
bool ReadLine(std::streambuf& in, std::string& line, std::size_t limit = kLineLimit) {
    line.clear();
    int c = in.sbumpc();
    if (c == std::char_traits<char>::eof()) return false;
    for (; c != std::char_traits<char>::eof() && c != '\n'; c = in.sbumpc())
        if (line.size() < limit) line.push_back(static_cast<char>(c));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

int HotKeyNamed(std::string_view keys) {
    const std::string wanted = Upper(keys);
    for (int code = 0; code < kHotKeyCodeCount; ++code)
        if (!HotKeyNames(code).empty() && Upper(HotKeyNames(code)) == wanted) return code;
    return -1;
}

bool ValidAbbreviationChar(char c) {
    if (std::isalnum(static_cast<unsigned char>(c))) return true;
    return std::string_view("'!@#$%^&_=<>?.;,*-/+").find(c) != std::string_view::npos;
}

}  // namespace

TextItemMacro MacroFromTextItem(const TextItem& item, double now) {
    TextItemMacro out;
    TMacroRecord& r = out.Record;
    const int code = HotKeyNamed(item.Keys);
    if (code >= 0) {
        r.ActivationCode = static_cast<std::uint16_t>(code);
    } else {
        std::string keys = item.Keys;
        if (keys.size() > 10) {
            out.Messages.push_back("The Original Keys \"" + keys +
                                   "\" is longer than the 10 character maximum. It will be truncated to 10 "
                                   "characters.");
            keys.resize(10);
        }
        bool invalid = false;
        for (char& c : keys)
            if (!ValidAbbreviationChar(c)) {
                c = '#';
                invalid = true;
            }
        if (invalid)
            out.Messages.push_back(
                "The Original Keys \"" + item.Keys.substr(0, 10) +
                "\" has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and "
                "' ! @ # $ % ^ & _ = < > ? . ; , * - / +   Invalid characters will be replaced "
                "with \"#\".");
        // An abbreviation macro without an abbreviation would fire on every delimiter.
        r.ActivationCode = keys.empty() ? acNone : acAbbreviation;
        r.Abbreviation.assign(keys);
    }
    if (item.BodyTooLong || item.Body.size() > kMacroTextCapacity)
        out.Messages.push_back(
            "The size of the macro contents \"" + item.Body.substr(0, 51) +
            "...\" exceeds the 5000 character limit.  The macro contents keys will be truncated "
            "to 5000 characters.");
    r.Nickname.assign(OneLineNickname(item.Name));
    r.Scope = scGlobal;
    r.Enabled = 1;
    SetMacroText(r, item.Body);
    r.IconName.assign("MAIN");
    r.ScheduleType = 1;
    r.ScheduleMonth = 1;
    r.ScheduleDay = 1;
    r.MinutePastHour = 15;
    r.IntervalMinutes = 15;
    r.ScheduleWeekDay = 1;
    r.ScheduleYear = 1998;
    r.SchedulePM = 1;
    r.TopmostOnly = 1;
    r.LastModified = now;
    r.AbbrevCase = 3;
    r.AbbrevErase = 1;
    return out;
}

TextImportResult ImportTextItems(std::istream& in, MacroAppender& target, double now) {
    TextImportResult result;
    std::streambuf& buf = *in.rdbuf();
    std::string line;
    if (!ReadLine(buf, line) || !line.starts_with(kItemHead)) {
        win::MessageBox("The text file chosen does not appear to have the correct format required by Snipra.",
                        "Error");
        result.WrongFormat = true;
        return result;
    }
    std::string keys = line.substr(kItemHead.size());
    for (bool more = true; more;) {
        if (target.MacroCount() >= kMaxMacros) {
            win::MessageBox("Maximum number of Macros has been reached.  Add not allowed.", "Error");
            return result;
        }
        TextItem item;
        item.Keys = keys;
        ReadLine(buf, item.Name);
        bool first = true;
        more = false;
        // Body lines may be longer than other lines: the body is cut as a whole, with a message.
        while (ReadLine(buf, line, kBodyBuffer + 1)) {
            if (line.starts_with(kItemHead)) {
                keys = line.substr(kItemHead.size());
                more = true;
                break;
            }
            const std::string piece = (first ? "" : "\r\n") + line;
            first = false;
            const std::size_t room = kBodyBuffer - std::min(kBodyBuffer, item.Body.size());
            item.Body += piece.substr(0, room);
            if (piece.size() > room || item.Body.size() > kMacroTextCapacity) item.BodyTooLong = true;
        }
        TextItemMacro made = MacroFromTextItem(item, now);
        for (const std::string& message : made.Messages) {
            // A file of many bad items must not hold the user for a box per item.
            if (win::MessageBox(message + kTextImportStopHint, "Error", win::MbButtons::OkCancel,
                                win::MbIcon::Error) == win::MbResult::Cancel) {
                result.Stopped = true;
                return result;
            }
        }
        if (!target.AppendMacro(made.Record)) return result;
        ++result.Imported;
    }
    return result;
}

}  // namespace tessaro
