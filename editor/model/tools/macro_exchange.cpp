#include "editor/model/tools/macro_exchange.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

#include "editor/script/save_it.h"
#include "macro/macro_file.h"
#include "macro/nickname.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"

namespace tessaro {

namespace {

// Where the fields of the foreign records lie.
namespace lindrel {
constexpr std::size_t Name = 0, ScopeText = 51, Activation = 82, Scope = 84, Enabled = 86, ClipFlag = 87,
                      Option = 88, Text = 90, TextCapacity = 5001, ScheduleType = 5091, Days = 5093,
                      Hour = 5100, Minute = 5101, Month = 5102, Day = 5103, PastHour = 5104, Interval = 5105,
                      WeekDay = 5107, Year = 5108, PM = 5110, Topmost = 5111;
}  // namespace lindrel
namespace snipra {
constexpr std::size_t Abbreviation = 3, Enabled = 14, Option = 15, Text = 17, TextCapacity = 3001,
                      ClipFlag = 3018;
}  // namespace snipra

// The item list of a popup-menu macro: a count, then the macro numbers.
constexpr std::size_t kPopupCountOffset = offsetof(TMacroRecord, MacroText);
constexpr std::size_t kMaxItems = (sizeof(TMacroRecord::MacroText) - 2) / 2;

std::uint8_t U8(std::string_view b, std::size_t at) { return static_cast<std::uint8_t>(b[at]); }
std::uint16_t U16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(U8(b, at) | (U8(b, at + 1) << 8));
}

// A length-prefixed string of at most `capacity` characters; false when the length byte
// points beyond the field.
bool ShortAt(std::string_view b, std::size_t at, std::size_t capacity, std::string& out) {
    const std::size_t len = U8(b, at);
    if (len > capacity) return false;
    out.assign(b.substr(at + 1, len));
    return true;
}

std::string ZeroTerminated(std::string_view b, std::size_t at, std::size_t capacity) {
    const std::string_view field = b.substr(at, capacity);
    return std::string(field.substr(0, std::min(field.find('\0'), field.size())));
}

bool ValidActivation(std::uint16_t code) {
    return code < kHotKeyCodeCount || code == acScheduled || code == acAbbreviation ||
           code == acWindowTitle || code == acNone;
}

bool IsHotKey(std::uint16_t code) { return code < kHotKeyCodeCount; }

std::vector<std::uint16_t> PopupItems(const TMacroRecord& rec) {
    const auto* raw = reinterpret_cast<const unsigned char*>(&rec);
    const std::string_view b(reinterpret_cast<const char*>(raw), sizeof rec);
    const std::size_t count = std::min<std::size_t>(U16(b, kPopupCountOffset), kMaxItems);
    std::vector<std::uint16_t> items;
    for (std::size_t i = 0; i < count; ++i) items.push_back(U16(b, kPopupCountOffset + 2 + 2 * i));
    return items;
}

// Writes the count and the items; the bytes after them are left alone.
void SetPopupItems(TMacroRecord& rec, const std::vector<std::uint16_t>& items) {
    auto put = [&](std::size_t at, std::uint16_t v) {
        rec.MacroText[at] = static_cast<char>(v & 0xff);
        rec.MacroText[at + 1] = static_cast<char>(v >> 8);
    };
    put(0, static_cast<std::uint16_t>(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) put(2 + 2 * i, items[i]);
}

std::string Damaged(int record, const std::string& why) {
    return "The import file is damaged at record " + std::to_string(record + 1) + ": " + why +
           ".  Nothing was imported.";
}

// Checks one record and lists it; an error names what is wrong.
std::string ListRecord(ImportKind kind, std::string_view b, int number, ImportSource& src) {
    ImportEntry e;
    e.SourceRecord = number;
    e.Bytes.assign(b);
    std::string scopeText;
    switch (kind) {
        case ImportKind::Macro: {
            TMacroRecord rec;
            std::memcpy(&rec, b.data(), sizeof rec);
            if (rec.Nickname.len > 50 || rec.ScopeText.len > 30 || rec.Abbreviation.len > 10 ||
                rec.IconName.len > 12)
                return Damaged(number, "a text is longer than its field");
            if (!ValidActivation(rec.ActivationCode)) return Damaged(number, "its activation is unknown");
            if (rec.Scope < scGlobal || rec.Scope > scSystem) return Damaged(number, "its scope is unknown");
            if (rec.Scope == scPopupMenu && U16(b, kPopupCountOffset) > kMaxItems)
                return Damaged(number, "its menu holds more items than the record can");
            if (rec.Scope == scSystem) return {};
            e.Name = std::string(rec.Nickname.view());
            e.ActivationCode = rec.ActivationCode;
            e.Scope = rec.Scope;
            scopeText = std::string(rec.ScopeText.view());
            e.Abbreviation = std::string(rec.Abbreviation.view());
            break;
        }
        case ImportKind::Lindrel: {
            if (!ShortAt(b, lindrel::Name, 50, e.Name) || !ShortAt(b, lindrel::ScopeText, 30, scopeText))
                return Damaged(number, "a text is longer than its field");
            e.ActivationCode = U16(b, lindrel::Activation);
            e.Scope = U16(b, lindrel::Scope);
            if (!ValidActivation(e.ActivationCode)) return Damaged(number, "its activation is unknown");
            if (e.Scope < scGlobal || e.Scope > scSystem) return Damaged(number, "its scope is unknown");
            // A second system macro would shadow the file's own.
            if (e.Scope == scSystem) return {};
            break;
        }
        case ImportKind::Snipra:
            if (!ShortAt(b, snipra::Abbreviation, 10, e.Abbreviation))
                return Damaged(number, "a text is longer than its field");
            e.ActivationCode = acAbbreviation;
            e.Scope = scGlobal;
            break;
        case ImportKind::Unknown: return "Improper file type selected.  Please choose a different file.";
    }
    e.ScopeText = scopeText.substr(0, 20);
    src.Entries.push_back(std::move(e));
    return {};
}

std::size_t RecordSize(ImportKind kind) {
    switch (kind) {
        case ImportKind::Macro: return kMacroRecordSize;
        case ImportKind::Lindrel: return kLindrelRecordSize;
        case ImportKind::Snipra: return kSnipraRecordSize;
        case ImportKind::Unknown: break;
    }
    return 0;
}

constexpr std::string_view kClipStart = "<BEGCLIP>";
constexpr std::string_view kClipEnd = "<ENDCLIP><CLIPP>";

// The text stored in the record: wrapped for pasting when asked, the wrapping kept whole
// when the text has to be cut to fit.
std::string FitText(std::string text, bool wrap, std::string& warning, std::string_view name) {
    const std::size_t room = kMacroTextCapacity - (wrap ? kClipStart.size() + kClipEnd.size() : 0);
    if (text.size() > room) {
        text.resize(room);
        warning = "The text of the macro \"" + std::string(name) +
                  "\" is longer than 5,000 characters.  Its end was cut.";
    }
    return wrap ? std::string(kClipStart) + text + std::string(kClipEnd) : text;
}

// The fields every converted foreign record starts from.
TMacroRecord FreshRecord(double now) {
    TMacroRecord rec{};
    rec.IconName.assign("MAIN");
    rec.LastModified = now;
    rec.CategoryId = 0;
    rec.AbbrevCase = 3;
    rec.AbbrevErase = 1;
    return rec;
}

}  // namespace

std::string ActivationCaption(std::uint16_t code, std::string_view abbreviation) {
    switch (code) {
        case acNone: return "None";
        case acWindowTitle: return "Window Title";
        case acScheduled: return "Timed Macro";
        case acAbbreviation: return std::string(abbreviation);
        default: return IsHotKey(code) ? HotKeyNames(code) : std::string();
    }
}

std::string ScopeCaption(std::uint16_t scope, std::string_view scopeText) {
    if (scope == scGlobal) return "GLOBAL";
    if (scope == scPopupMenu) return "POPUP MENU";
    return std::string(scopeText.substr(0, 20));
}

void RenumberForExport(TMacroRecord& rec, const std::vector<int>& exported) {
    if (rec.Scope != scPopupMenu) return;
    std::vector<std::uint16_t> kept;
    for (std::uint16_t item : PopupItems(rec)) {
        const auto at = std::find(exported.begin(), exported.end(), item);
        if (at != exported.end()) kept.push_back(static_cast<std::uint16_t>(at - exported.begin() + 1));
    }
    SetPopupItems(rec, kept);
}

std::string RefuseOpenMacroFile(const std::string& target, const std::string& macroFile) {
    namespace fs = std::filesystem;
    const auto same = [](const std::string& a, const std::string& b) {
        std::error_code ec;
        if (fs::equivalent(a, b, ec)) return true;
        return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
    };
    for (const std::string& f : {macroFile, CompanionFileName(macroFile, "QTC"),
                                 CompanionFileName(macroFile, "QTS"), CompanionFileName(macroFile, "MAS")}) {
        if (same(target, f))
            return "The file \"" + target + "\" belongs to the open macro file and cannot be written over.";
    }
    return {};
}

std::string ExportMacros(const std::string& macroFile, const std::vector<int>& numbers,
                         const std::string& target) {
    if (std::string refused = RefuseOpenMacroFile(target, macroFile); !refused.empty()) return refused;
    std::string bytes;
    for (int n : numbers) {
        TMacroRecord rec{};
        if (const MacroFileStatus st = ReadMacroRecordAt(macroFile, n, rec); !st.ok())
            return st.Describe(macroFile);
        RenumberForExport(rec, numbers);
        bytes.append(reinterpret_cast<const char*>(&rec), sizeof rec);
    }
    std::string error;
    if (!WriteWholeFile(target, bytes, error)) return "Unable to create export file.  " + error;
    return {};
}

ImportKind ImportKindOf(std::string_view fileName) {
    if (fileName.size() < 4) return ImportKind::Unknown;
    std::string ext(fileName.substr(fileName.size() - 4));
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (ext == ".QTM") return ImportKind::Macro;
    if (ext == ".LD2") return ImportKind::Lindrel;
    if (ext == ".SNP") return ImportKind::Snipra;
    return ImportKind::Unknown;
}

ImportSource ReadImportSource(ImportKind kind, std::istream& in) {
    ImportSource src;
    src.Kind = kind;
    const std::size_t size = RecordSize(kind);
    if (size == 0) {
        src.Error = "Improper file type selected.  Please choose a different file.";
        return src;
    }
    std::string buf(size, '\0');
    for (int number = 0; static_cast<int>(src.Entries.size()) < kMaxImportRows; ++number) {
        in.read(buf.data(), static_cast<std::streamsize>(size));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0) break;
        std::string error = got < size ? "The import file does not hold whole records.  Nothing was imported."
                                       : ListRecord(kind, buf, number, src);
        if (!error.empty()) {
            src.Entries.clear();
            src.Error = std::move(error);
            return src;
        }
    }
    return src;
}

std::vector<std::string> ImportHotKeyConflicts(const std::vector<ImportEntry>& entries,
                                               std::vector<bool>& selected,
                                               const std::vector<std::uint16_t>& existingCodes) {
    std::vector<std::string> warnings;
    for (std::size_t i = 0; i < entries.size() && i < selected.size(); ++i) {
        const ImportEntry& e = entries[i];
        if (!selected[i] || (e.Scope != scGlobal && e.Scope != scPopupMenu) || !IsHotKey(e.ActivationCode))
            continue;
        for (std::uint16_t code : existingCodes) {
            if (code != e.ActivationCode) continue;
            warnings.push_back("A Global Hot Key for " + HotKeyNames(code) +
                               " already exists.  This macro will not be imported.");
            selected[i] = false;
        }
    }
    return warnings;
}

std::string ImportCapacityWarning(int macroCount, int selectedCount) {
    const int excess = macroCount + selectedCount - kMaxMacros;
    if (excess <= 0) return {};
    return "The maximum capacity of macros per file will be exceeded. The last " + std::to_string(excess) +
           " macros selected will not be imported.";
}

std::string ConvertLindrelText(std::string_view text, bool clipboardFlag) {
    if (text.find("<LAUNCH>") == std::string_view::npos) {
        std::string unused;
        return FitText(std::string(text), clipboardFlag, unused, "");
    }
    const std::string_view s = text.substr(0, 255);
    const auto from10 = [&](std::size_t end) {
        return s.size() > 9 ? s.substr(9, end - std::min(end, std::size_t{9})) : "";
    };
    const std::size_t p = s.find("<PARAM>");
    if (p == std::string_view::npos) return "<LAUNCH:" + std::string(from10(s.size())) + ">";
    return "<CHDIR:" + std::string(s.substr(p + 7)) + "><LAUNCH:" + std::string(from10(p)) + ">";
}

ImportedMacro ConvertForImport(ImportKind kind, const ImportEntry& entry,
                               const std::vector<int>& selectedSources, int base, double now) {
    ImportedMacro out;
    TMacroRecord& rec = out.Record;
    const std::string_view b = entry.Bytes;
    switch (kind) {
        case ImportKind::Macro: {
            std::memcpy(&rec, b.data(), sizeof rec);
            // Category numbers belong to the file they came from.
            rec.CategoryId = 0;
            if (rec.Scope != scPopupMenu) break;
            out.ShowsInTray = rec.Abbreviation.len >= 1 && rec.Abbreviation.chars[0] == 'Y';
            std::vector<std::uint16_t> kept;
            for (std::uint16_t item : PopupItems(rec)) {
                const auto at = std::find(selectedSources.begin(), selectedSources.end(), item - 1);
                const int number = base + static_cast<int>(at - selectedSources.begin()) + 1;
                if (at != selectedSources.end() && number <= kMaxMacros)
                    kept.push_back(static_cast<std::uint16_t>(number));
            }
            SetPopupItems(rec, kept);
            break;
        }
        case ImportKind::Lindrel: {
            rec = FreshRecord(now);
            rec.Nickname.assign(OneLineNickname(entry.Name));
            std::string scopeText;
            ShortAt(b, lindrel::ScopeText, 30, scopeText);
            rec.ScopeText.assign(scopeText);
            rec.ActivationCode = entry.ActivationCode;
            rec.Scope = entry.Scope;
            rec.Enabled = U8(b, lindrel::Enabled);
            rec.Reserved98 = U16(b, lindrel::Option);
            const std::string text = ZeroTerminated(b, lindrel::Text, lindrel::TextCapacity);
            const bool clip = U8(b, lindrel::ClipFlag) != 0;
            if (text.find("<LAUNCH>") != std::string::npos)
                SetMacroText(rec, ConvertLindrelText(text, clip));
            else
                SetMacroText(rec, FitText(text, clip, out.Warning, entry.Name));
            rec.ScheduleType = U16(b, lindrel::ScheduleType);
            std::memcpy(rec.ScheduleDays, b.data() + lindrel::Days, 7);
            rec.ScheduleHour = U8(b, lindrel::Hour);
            rec.ScheduleMinute = U8(b, lindrel::Minute);
            rec.ScheduleMonth = U8(b, lindrel::Month);
            rec.ScheduleDay = U8(b, lindrel::Day);
            rec.MinutePastHour = U8(b, lindrel::PastHour);
            rec.IntervalMinutes = U16(b, lindrel::Interval);
            rec.ScheduleWeekDay = U8(b, lindrel::WeekDay);
            rec.ScheduleYear = U16(b, lindrel::Year);
            rec.SchedulePM = U8(b, lindrel::PM);
            rec.TopmostOnly = U8(b, lindrel::Topmost);
            break;
        }
        case ImportKind::Snipra: {
            rec = FreshRecord(now);
            rec.Abbreviation.assign(entry.Abbreviation);
            rec.ActivationCode = acAbbreviation;
            rec.Scope = scGlobal;
            rec.Enabled = U8(b, snipra::Enabled);
            rec.Reserved98 = U16(b, snipra::Option);
            const std::string text = ZeroTerminated(b, snipra::Text, snipra::TextCapacity);
            SetMacroText(rec, FitText(text, U8(b, snipra::ClipFlag) != 0, out.Warning, entry.Abbreviation));
            rec.ScheduleType = 1;
            rec.ScheduleMonth = 1;
            rec.ScheduleDay = 1;
            rec.MinutePastHour = 15;
            rec.IntervalMinutes = 15;
            rec.ScheduleWeekDay = 1;
            rec.ScheduleYear = 1998;
            rec.SchedulePM = 1;
            rec.TopmostOnly = 1;
            break;
        }
        case ImportKind::Unknown: break;
    }
    // An abbreviation macro without an abbreviation would fire on every delimiter.
    if (rec.ActivationCode == acAbbreviation && rec.Abbreviation.len == 0) rec.ActivationCode = acNone;
    return out;
}

}  // namespace tessaro
