#include "foundation/settings.h"

#include <sys/stat.h>

#include <cstdint>
#include <algorithm>
#include <variant>
#include <vector>

#include "foundation/strings.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/profile.h"

namespace tessaro {
namespace {

constexpr int kFlagSize = 15;   // read size of flags and numbers
constexpr int kFontSize = 150;  // read size of the font keys
constexpr int kMinWindowSide = 150;

// A short-string field of any capacity.
struct TextField {
    std::uint8_t* len;
    char* chars;
    std::size_t capacity;
    void Set(std::string_view s) const {
        const std::size_t n = std::min(s.size(), capacity);
        std::copy_n(s.data(), n, chars);
        *len = static_cast<std::uint8_t>(n);
    }
    std::string Get() const { return std::string(chars, std::min<std::size_t>(*len, capacity)); }
};
template <std::size_t N>
TextField Text(ShortString<N>& s) {
    return {&s.len, s.chars, N};
}

// A 16-bit number; `valid` values outside lo..hi become `fallback` (checked before the
// value is cut to 16 bits, so 65537 does not pass as 1).
struct WordField {
    std::uint16_t* value;
    bool checked = false;
    int lo = 0, hi = 0, fallback = 0;
};

// The stored abbreviation case rule: "Yes" (older files) is 2, 0 or no number is 3.
struct CaseRuleField {
    std::int32_t* value;
};

using Field = std::variant<bool*, std::int32_t*, WordField, TextField, std::string*, CaseRuleField>;

struct Setting {
    std::string key;
    const char* def;
    int readSize;
    Field field;
};
using Settings = std::vector<Setting>;

Setting Flag(const char* key, const char* def, bool& f) { return {key, def, kFlagSize, &f}; }
Setting Int(const char* key, const char* def, std::int32_t& f) { return {key, def, kFlagSize, &f}; }

struct Reader {
    std::string_view section;
    std::string Read(const Setting& s) const {
        return win::GetPrivateProfileString(section, s.key, s.def, s.readSize, kSettingsFile);
    }
    void operator()(const Setting& s) const {
        const std::string text = Read(s);
        std::visit(
            [&](auto& f) {
                using T = std::decay_t<decltype(f)>;
                if constexpr (std::is_same_v<T, bool*>) {
                    *f = IsYes(IniUpper(text, kFlagSize));
                } else if constexpr (std::is_same_v<T, std::int32_t*>) {
                    *f = IntegerValue(text);
                } else if constexpr (std::is_same_v<T, WordField>) {
                    const std::int32_t v = IntegerValue(text);
                    *f.value =
                        static_cast<std::uint16_t>((f.checked && (v < f.lo || v > f.hi)) ? f.fallback : v);
                } else if constexpr (std::is_same_v<T, TextField>) {
                    f.Set(text);
                } else if constexpr (std::is_same_v<T, std::string*>) {
                    *f = text;
                } else {
                    const std::int32_t v = IntegerValue(text);
                    *f.value = text == "Yes" ? 2 : (v == 0 ? 3 : v);
                }
            },
            s.field);
    }
};

std::string Written(const Field& field) {
    return std::visit(
        [](const auto& f) -> std::string {
            using T = std::decay_t<decltype(f)>;
            if constexpr (std::is_same_v<T, bool*>)
                return BoolToYesNo(*f);
            else if constexpr (std::is_same_v<T, std::int32_t*>)
                return FormatReal(*f, 1, 0);
            else if constexpr (std::is_same_v<T, WordField>)
                return FormatReal(*f.value, 1, 0);
            else if constexpr (std::is_same_v<T, TextField>)
                return f.Get();
            else if constexpr (std::is_same_v<T, std::string*>)
                return *f;
            else
                return FormatReal(*f.value, 1, 0);
        },
        field);
}

void Load(std::string_view section, const Settings& settings) {
    const Reader read{section};
    for (const Setting& s : settings) read(s);
}

// The section as the record holds it now, every key to be written.
win::ProfileSection Entries(std::string_view section, const Settings& settings) {
    win::ProfileSection out{std::string(section), {}};
    out.entries.reserve(settings.size());
    for (const Setting& s : settings) out.entries.push_back({s.key, Written(s.field), false});
    return out;
}

std::string Slot(std::string_view section, std::string_view key) {
    return std::string(section) + '\n' + std::string(key);
}

// Notes the section's values as the file now holds them for this program.
void Remember(TConfigRecord& c, const win::ProfileSection& section) {
    for (const win::ProfileEntry& e : section.entries) c.SettingsSeen[Slot(section.name, e.key)] = e.value;
}

// Reads the section, applies its rules on load and notes what the record then holds: a
// repaired value is no change of this program's.
template <typename MakeSettings, typename Repair>
void LoadSection(TConfigRecord& c, std::string_view section, MakeSettings settings, Repair repair) {
    Load(section, settings(c));
    repair(c);
    Remember(c, Entries(section, settings(c)));
}
template <typename MakeSettings>
void LoadSection(TConfigRecord& c, std::string_view section, MakeSettings settings) {
    LoadSection(c, section, settings, [](TConfigRecord&) {});
}

// The section to write: a key whose value this program has not changed since it last read
// or wrote it is written only where the file lacks it, so it keeps what the other program
// saved there.
win::ProfileSection ToWrite(const TConfigRecord& c, std::string_view section, const Settings& settings) {
    win::ProfileSection out = Entries(section, settings);
    for (win::ProfileEntry& e : out.entries) {
        const auto seen = c.SettingsSeen.find(Slot(section, e.key));
        e.ifAbsent = seen != c.SettingsSeen.end() && seen->second == e.value;
    }
    return out;
}

void ReportUnsaved(const std::vector<std::string_view>& sections, const std::string& why) {
    std::vector<std::string_view> named;
    for (std::string_view section : sections)
        if (std::find(named.begin(), named.end(), section) == named.end()) named.push_back(section);
    std::string list;
    for (std::string_view section : named) list += (list.empty() ? "[" : ", [") + std::string(section) + "]";
    win::MessageBox("The settings could not be saved to " +
                        win::Utf8ToCp1252(win::ProfilePath(kSettingsFile)) +
                        (named.size() == 1 ? " (section " : " (sections ") + list + ")" +
                        (why.empty() ? "." : ": " + why + "."),
                    "Error", win::MbButtons::Ok, win::MbIcon::Error);
}

// One section as its saver writes it.
struct SectionToSave {
    std::string_view section;
    Settings settings;
};

bool Save(TConfigRecord& c, const SectionToSave& s) {
    const win::ProfileSection section = ToWrite(c, s.section, s.settings);
    std::string why;
    if (win::WritePrivateProfileStrings(section.name, section.entries, kSettingsFile, &why)) {
        Remember(c, section);
        return true;
    }
    ReportUnsaved({s.section}, why);
    return false;
}

std::string InProgramDir(const char* name) {
    return win::JoinPath(win::Utf8ToCp1252(win::ProgramDirectory()), name);
}

bool FileExists(const std::string& name) {
    struct stat st {};
    return !name.empty() && ::stat(win::Cp1252ToUtf8(name).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// ---- sort orders ----------------------------------------------------------------------

bool IsPermutation(std::string_view s, std::size_t n) {
    if (s.size() != n) return false;
    for (std::size_t d = 1; d <= n; ++d)
        if (std::count(s.begin(), s.end(), static_cast<char>('0' + d)) != 1) return false;
    return true;
}

std::string PermutationOrDefault(std::string s, std::string_view def) {
    return IsPermutation(s, def.size()) ? s : std::string(def);
}

// Short values from older files get the missing kinds appended; a repeated digit gives its
// last place to a missing one. Anything that still is no permutation of "12345" (the sort
// code indexes a table with it) falls back to the default.
std::string RepairActivationSort(std::string s) {
    if (s.size() > 5) s.resize(5);
    if (s.size() == 3)
        s += "45";
    else if (s.size() == 4)
        s += "5";
    if (s.size() == 5) {
        int count[6] = {};
        for (char c : s)
            if (c >= '1' && c <= '5') ++count[c - '0'];
        for (int missing = 1; missing <= 5; ++missing) {
            if (count[missing] != 0) continue;
            for (int d = 1; d <= 5; ++d) {
                if (count[d] <= 1) continue;
                s[s.rfind(static_cast<char>('0' + d))] = static_cast<char>('0' + missing);
                --count[d];
                ++count[missing];
                break;
            }
        }
    }
    return PermutationOrDefault(s, "12345");
}

// ---- window placement -----------------------------------------------------------------

void PlaceOnScreen(std::int32_t& left, std::int32_t& top, std::int32_t& width, std::int32_t& height,
                   win::ScreenSize screen) {
    width = std::max(width, kMinWindowSide);
    height = std::max(height, kMinWindowSide);
    // A size saved on a larger screen, or a damaged file, would leave the menus out of reach.
    width = std::min(width, std::max(screen.width, kMinWindowSide));
    height = std::min(height, std::max(screen.height, kMinWindowSide));
    if (std::int64_t{left} + width <= 0 || left >= screen.width) left = 0;
    if (std::int64_t{top} + height <= 0 || top >= screen.height) top = 0;
}

// ---- the sections, keys in the order they are written ---------------------------------

Settings MiscSettings(TConfigRecord& c) {
    Settings s = {
        {"EMail Path", "", 250, Text(c.EMailPath)},
        {"EMail Log Path", "", 250, Text(c.EMailLogPath)},
        Int("System Menu", "1", c.SystemMenu),
        Flag("Bypass Wizard Screen", "No", c.BypassWizardScreen),
        Flag("Sort Header", "Yes", c.SortHeader),
        {"Primary Sort", "123", kFlagSize, Text(c.PrimarySort)},
        {"Activation Sort", "12345", kFlagSize, Text(c.ActivationSort)},
        {"Scope Sort", "12345", kFlagSize, Text(c.ScopeSort)},
        Int("Last Date Format", "0", c.LastDateFormat),
        Int("Last Time Format", "0", c.LastTimeFormat),
        Flag("Suppress Zeros In Date", "Yes", c.SuppressZerosInDate),
        Flag("Suppress Zeros In Time", "Yes", c.SuppressZerosInTime),
        Flag("Show Date", "No", c.ShowDate),
        Flag("Use Tray", "Yes", c.UseTray),
        Flag("Start Editor", "Yes", c.StartEditor),
        Flag("Sound Off", "No", c.SoundOff),
        Flag("Auto Hooks", "No", c.AutoHooks),
        Flag("Disable Screen Saver", "Yes", c.DisableScreenSaver),
        Flag("First Use", "Yes", c.FirstUse),
    };
    for (int i = 1; i <= 5; ++i)
        s.push_back({"Last File " + FormatThousands(i, 1, 0), "", 255,
                     Text(c.RecentFiles[static_cast<std::size_t>(i)])});
    s.push_back({"IE5 Server", "", 255, Text(c.IE5Server)});
    s.push_back({"IE5 TypeLib", "", 255, Text(c.IE5TypeLib)});
    s.push_back({"IE5 Version", "", 20, Text(c.IE5Version)});
    return s;
}

Settings CurrentFileSettings(TConfigRecord& c) { return {{"Current File", "", 250, Text(c.RecentFiles[0])}}; }

Settings CaptureSettings(TConfigRecord& c) {
    return {
        Flag("Double Alt", "Yes", c.CapDoubleAlt),
        Flag("Keys", "Yes", c.CapKeys),
        Flag("Mouse", "Yes", c.CapMouse),
        Int("Relative To Screen", "1", c.CapRelativeToScreen),
        Flag("Time", "Yes", c.CapTime),
        Flag("Clicks Only", "Yes", c.CapClicksOnly),
        Flag("Prompt", "Yes", c.CapPrompt),
        Flag("Window Size", "Yes", c.CapWindowSize),
        Flag("Global", "Yes", c.CapGlobal),
        Int("Speed", "1", c.CapSpeed),
    };
}

Settings SnipraSettings(TConfigRecord& c) {
    return {
        Flag("Solitary Usage", "No", c.SnipraSolitaryUsage),
        {"Case Sensative", "3", kFlagSize, CaseRuleField{&c.SnipraCaseMode}},
        Flag("No Remove", "No", c.SnipraNoRemove),
        Flag("Use Punctuation", "No", c.SnipraUsePunctuation),
        Flag("Retype Suffix", "Yes", c.SnipraRetypeSuffix),
        Flag("Use Suffix", "No", c.SnipraUseSuffix),
        {"Prefix Keys", "", 250, Text(c.SnipraPrefixKeys)},
    };
}

struct FontFlags {
    bool* bold;
    bool* italic;
    bool* underline;  // null for the print-list font
    bool* strikeout;
};

Settings FontSettings(TFontDescription& font, const char* size, const FontFlags& f) {
    Settings s = {
        {"Color", "0", kFontSize, &font.Color}, {"Font Name", "Arial", kFontSize, &font.Name},
        {"Size", size, kFontSize, &font.Size},  Flag("Bold", "No", *f.bold),
        Flag("Italic", "No", *f.italic),
    };
    if (f.underline) {
        s.push_back(Flag("Underline", "No", *f.underline));
        s.push_back(Flag("Strikeout", "No", *f.strikeout));
    }
    return s;
}

void StyleFromFlags(TFontDescription& font, const FontFlags& f) {
    font.Bold = *f.bold;
    font.Italic = *f.italic;
    font.Underline = f.underline && *f.underline;
    font.StrikeOut = f.strikeout && *f.strikeout;
}

// A style changed in a font dialog must reach the file.
void FlagsFromStyle(const TFontDescription& font, const FontFlags& f) {
    *f.bold = font.Bold;
    *f.italic = font.Italic;
    if (f.underline) *f.underline = font.Underline;
    if (f.strikeout) *f.strikeout = font.StrikeOut;
}

FontFlags GridTitleFlags(TConfigRecord& c) {
    return {&c.GridTitleBold, &c.GridTitleItalic, &c.GridTitleUnderline, &c.GridTitleStrikeout};
}
FontFlags GridFlags(TConfigRecord& c) {
    return {&c.GridBold, &c.GridItalic, &c.GridUnderline, &c.GridStrikeout};
}
FontFlags PrintListFlags(TConfigRecord& c) {
    return {&c.PrintListBold, &c.PrintListItalic, nullptr, nullptr};
}

// The three font sections differ only in these.
struct FontSection {
    const char* name;
    TFontDescription TConfigRecord::*font;
    const char* defaultSize;
    FontFlags (*flags)(TConfigRecord&);
};
constexpr FontSection kGridTitleFont{"Grid Title Font", &TConfigRecord::GridTitleFont, "12", GridTitleFlags};
constexpr FontSection kGridFont{"Grid Font", &TConfigRecord::GridFont, "10", GridFlags};
constexpr FontSection kPrintListFont{"Print List Font", &TConfigRecord::PrintListFont, "10", PrintListFlags};

Settings FontSectionSettings(TConfigRecord& c, const FontSection& f) {
    return FontSettings(c.*f.font, f.defaultSize, f.flags(c));
}

void LoadFontSection(TConfigRecord& c, const FontSection& f) {
    LoadSection(
        c, f.name, [&f](TConfigRecord& r) { return FontSectionSettings(r, f); },
        [&f](TConfigRecord& r) { StyleFromFlags(r.*f.font, f.flags(r)); });
}

SectionToSave FontSectionToSave(TConfigRecord& c, const FontSection& f) {
    FlagsFromStyle(c.*f.font, f.flags(c));
    return {f.name, FontSectionSettings(c, f)};
}

Settings MainWindowSettings(TConfigRecord& c) {
    return {
        Int("Width", "620", c.MainWidth),
        Int("Height", "460", c.MainHeight),
        Int("Left", "0", c.MainLeft),
        Int("Top", "0", c.MainTop),
        Int("Category Width", "155", c.CategoryWidth),
        Int("Col 1 Width", "155", c.Col1Width),
        Int("Col 2 Width", "239", c.Col2Width),
        Int("Col 3 Width", "138", c.Col3Width),
        Flag("Use Speed", "Yes", c.UseSpeed),
        Flag("Show Icons", "Yes", c.ShowIcons),
        Flag("Show Category", "No", c.ShowCategory),
    };
}

Settings ScriptPageSettings(TConfigRecord& c) {
    return {
        Int("Width", "606", c.ScriptWidth),
        Int("Height", "446", c.ScriptHeight),
        Int("Left", "0", c.ScriptLeft),
        Int("Top", "0", c.ScriptTop),
        Int("Insert Method", "3", c.InsertMethod),
    };
}

Settings NetworkSettings(TConfigRecord& c) {
    return {
        Flag("Network Mode", "No", c.NetworkMode),
        Flag("Auto Sync", "Yes", c.AutoSync),
        {"Sync Minutes", "10", kFlagSize, WordField{&c.SyncMinutes}},
    };
}

Settings SchedulerSettings(TConfigRecord& c) {
    return {
        Flag("Use Wave File", "No", c.UseWaveFile),
        Flag("Wave File Wait", "No", c.WaveFileWait),
        {"Wave File", "", 250, Text(c.WaveFile)},
        {"Timer Seconds", "10", kFlagSize, WordField{&c.TimerSeconds, true, 1, 60, 10}},
    };
}

Settings EMailSettings(TConfigRecord& c) {
    return {
        {"SMTP Host", "", 250, Text(c.SMTPHost)},
        {"EMail Name", "", 250, Text(c.EMailName)},
        {"EMail Address", "", 250, Text(c.EMailAddress)},
        Int("SMTP Port", "25", c.SMTPPort),
        Int("Attachment Encoding", "0", c.AttachmentEncoding),
        Flag("Keep Log", "No", c.KeepLog),
    };
}

}  // namespace

std::string IniUpper(std::string_view text, std::size_t capacity) {
    std::string s(text.substr(0, std::min(capacity, text.size())));
    for (char& ch : s)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    return s;
}

bool IsYes(std::string_view upperText) { return upperText == "YES"; }

const char* BoolToYesNo(bool flag) { return flag ? "Yes" : "No"; }

void LoadMiscSettings(TConfigRecord& c) {
    LoadSection(c, "Misc", MiscSettings, [](TConfigRecord& r) {
        if (r.EMailPath.empty()) r.EMailPath = InProgramDir("TESMAIL.TXT");
        if (r.EMailLogPath.empty()) r.EMailLogPath = InProgramDir("MAILLOG.TXT");
        r.PrimarySort = PermutationOrDefault(r.PrimarySort.str(), "123");
        r.ActivationSort = RepairActivationSort(r.ActivationSort.str());
        r.ScopeSort = PermutationOrDefault(r.ScopeSort.str(), "12345");
    });
}

void LoadCurrentFileSetting(TConfigRecord& c) {
    LoadSection(c, "Misc", CurrentFileSettings, [](TConfigRecord& r) {
        if (!FileExists(r.RecentFiles[0].str())) r.RecentFiles[0] = InProgramDir("TESRO.QTM");
    });
}

void LoadCaptureSettings(TConfigRecord& c) { LoadSection(c, "Capture", CaptureSettings); }
void LoadSnipraSettings(TConfigRecord& c) { LoadSection(c, "Snipra", SnipraSettings); }

void LoadMainWindowSettings(TConfigRecord& c, win::ScreenSize screen) {
    LoadSection(c, "Main Window", MainWindowSettings, [screen](TConfigRecord& r) {
        PlaceOnScreen(r.MainLeft, r.MainTop, r.MainWidth, r.MainHeight, screen);
        // The category pane shares the window with the list; a column is never wider than
        // the screen.
        r.CategoryWidth = std::min(r.CategoryWidth, std::max(screen.width / 2, kMinWindowSide));
        for (std::int32_t* col : {&r.Col1Width, &r.Col2Width, &r.Col3Width})
            *col = std::min(*col, screen.width);
    });
}

void LoadGridTitleFontSettings(TConfigRecord& c) { LoadFontSection(c, kGridTitleFont); }
void LoadGridFontSettings(TConfigRecord& c) { LoadFontSection(c, kGridFont); }

void LoadScriptPageSettings(TConfigRecord& c, win::ScreenSize screen) {
    LoadSection(c, "Script Page", ScriptPageSettings, [screen](TConfigRecord& r) {
        PlaceOnScreen(r.ScriptLeft, r.ScriptTop, r.ScriptWidth, r.ScriptHeight, screen);
    });
}

void LoadNetworkSettings(TConfigRecord& c) { LoadSection(c, "Network", NetworkSettings); }

void LoadPrintListFontSettings(TConfigRecord& c) { LoadFontSection(c, kPrintListFont); }

void LoadSchedulerSettings(TConfigRecord& c) { LoadSection(c, "Scheduler", SchedulerSettings); }
void LoadEMailSettings(TConfigRecord& c) { LoadSection(c, "EMail", EMailSettings); }

void LoadAllSettings(TConfigRecord& c, win::ScreenSize screen) {
    LoadMiscSettings(c);
    LoadCurrentFileSetting(c);
    LoadCaptureSettings(c);
    LoadSnipraSettings(c);
    LoadMainWindowSettings(c, screen);
    LoadGridTitleFontSettings(c);
    LoadGridFontSettings(c);
    LoadScriptPageSettings(c, screen);
    LoadNetworkSettings(c);
    LoadPrintListFontSettings(c);
    LoadSchedulerSettings(c);
    LoadEMailSettings(c);
}

namespace {

SectionToSave Misc(TConfigRecord& c) { return {"Misc", MiscSettings(c)}; }
SectionToSave CurrentFile(TConfigRecord& c) { return {"Misc", CurrentFileSettings(c)}; }
SectionToSave Capture(TConfigRecord& c) { return {"Capture", CaptureSettings(c)}; }
SectionToSave Snipra(TConfigRecord& c) { return {"Snipra", SnipraSettings(c)}; }

SectionToSave GridTitleFont(TConfigRecord& c) { return FontSectionToSave(c, kGridTitleFont); }
SectionToSave GridFont(TConfigRecord& c) { return FontSectionToSave(c, kGridFont); }

SectionToSave MainWindow(TConfigRecord& c) { return {"Main Window", MainWindowSettings(c)}; }
SectionToSave ScriptPage(TConfigRecord& c) { return {"Script Page", ScriptPageSettings(c)}; }
SectionToSave Network(TConfigRecord& c) { return {"Network", NetworkSettings(c)}; }

SectionToSave PrintListFont(TConfigRecord& c) { return FontSectionToSave(c, kPrintListFont); }

SectionToSave Scheduler(TConfigRecord& c) { return {"Scheduler", SchedulerSettings(c)}; }
SectionToSave EMail(TConfigRecord& c) { return {"EMail", EMailSettings(c)}; }

}  // namespace

bool SaveMiscSettings(TConfigRecord& c) { return Save(c, Misc(c)); }
bool SaveCurrentFileSetting(TConfigRecord& c) { return Save(c, CurrentFile(c)); }
bool SaveCaptureSettings(TConfigRecord& c) { return Save(c, Capture(c)); }
bool SaveSnipraSettings(TConfigRecord& c) { return Save(c, Snipra(c)); }
bool SaveGridTitleFontSettings(TConfigRecord& c) { return Save(c, GridTitleFont(c)); }
bool SaveGridFontSettings(TConfigRecord& c) { return Save(c, GridFont(c)); }
bool SaveMainWindowSettings(TConfigRecord& c) { return Save(c, MainWindow(c)); }
bool SaveScriptPageSettings(TConfigRecord& c) { return Save(c, ScriptPage(c)); }
bool SaveNetworkSettings(TConfigRecord& c) { return Save(c, Network(c)); }
bool SavePrintListFontSettings(TConfigRecord& c) { return Save(c, PrintListFont(c)); }
bool SaveSchedulerSettings(TConfigRecord& c) { return Save(c, Scheduler(c)); }
bool SaveEMailSettings(TConfigRecord& c) { return Save(c, EMail(c)); }

namespace {

// Sections in one replacement of the file: a section that cannot be written must not cost
// the others theirs, and one box names all that failed and why.
bool SaveSections(TConfigRecord& c, std::initializer_list<SectionToSave (*)(TConfigRecord&)> which) {
    std::vector<win::ProfileSection> sections;
    for (SectionToSave (*next)(TConfigRecord&) : which) {
        const SectionToSave s = next(c);
        sections.push_back(ToWrite(c, s.section, s.settings));
    }
    std::string why;
    const std::vector<bool> written = win::WritePrivateProfileSections(sections, kSettingsFile, &why);
    std::vector<std::string_view> failed;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (written[i])
            Remember(c, sections[i]);
        else
            failed.push_back(sections[i].name);
    }
    if (failed.empty()) return true;
    ReportUnsaved(failed, why);
    return false;
}

}  // namespace

bool SaveAllSettings(TConfigRecord& c) {
    return SaveSections(c, {Misc, CurrentFile, Capture, Snipra, GridTitleFont, GridFont, MainWindow,
                            ScriptPage, Network, PrintListFont, Scheduler, EMail});
}

bool SaveCurrentFileMiscAndNetworkSettings(TConfigRecord& c) {
    return SaveSections(c, {CurrentFile, Misc, Network});
}

}  // namespace tessaro
