#pragma once
// The settings record of both programs, kept in "TESRO.INI" (see foundation/settings.h for
// the loaders and savers). It also carries the in-memory macro index that the macro-file
// code fills; that part is never stored.
#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "foundation/short_string.h"

namespace tessaro {

// A font as the settings hold it: no toolkit object, so non-GUI code can load and save it.
struct TFontDescription {
    std::string Name;        // Windows-1252
    std::int32_t Size = 0;   // points
    std::int32_t Color = 0;  // colour value as stored (0x00BBGGRR or a system colour)
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
};

// A macro's icon as the index holds it: the record's icon name ("MAIN", "MENU" or a file
// name) and the file it was loaded from (empty for the two built-in icons). Drawing code
// turns it into a toolkit icon.
struct TMacroIcon {
    std::string Name;
    std::string Path;
};

struct TConfigRecord {
    static constexpr int kMaxMacros = 500;  // the index arrays are used 1..kMaxMacros
    template <typename T>
    using MacroArray = std::array<T, kMaxMacros + 1>;  // [0] unused

    std::int32_t LastDateFormat = 0;
    std::int32_t LastTimeFormat = 0;
    bool SuppressZerosInDate = false;
    bool SuppressZerosInTime = false;
    bool ShowDate = false;
    bool UseTray = false;
    bool StartEditor = false;
    bool SoundOff = false;
    bool AutoHooks = false;
    bool DisableScreenSaver = false;
    bool FirstUse = false;
    ShortString<255> EMailPath;
    ShortString<255> EMailLogPath;
    bool KeepLog = false;
    bool NetworkMode = false;
    bool AutoSync = false;
    std::uint16_t SyncMinutes = 0;
    bool BypassWizardScreen = false;
    bool UseWaveFile = false;
    bool WaveFileWait = false;
    ShortString<255> WaveFile;
    std::uint16_t TimerSeconds = 0;
    std::array<ShortString<255>, 6> RecentFiles;  // [0] the current macro file
    bool SortHeader = false;
    ShortString<3> PrimarySort;
    ShortString<5> ActivationSort;
    ShortString<5> ScopeSort;
    TFontDescription PrintListFont;
    bool PrintListBold = false;
    bool PrintListItalic = false;
    std::int32_t MainWidth = 0;
    std::int32_t MainHeight = 0;
    std::int32_t MainLeft = 0;
    std::int32_t MainTop = 0;
    std::int32_t CategoryWidth = 0;
    std::int32_t Col1Width = 0;
    std::int32_t Col2Width = 0;
    std::int32_t Col3Width = 0;
    bool UseSpeed = false;
    bool ShowIcons = false;
    bool ShowCategory = false;
    std::int32_t ScriptWidth = 0;
    std::int32_t ScriptHeight = 0;
    std::int32_t ScriptLeft = 0;
    std::int32_t ScriptTop = 0;
    std::int32_t InsertMethod = 0;
    MacroArray<ShortString<50>> MacroNicknames;
    MacroArray<ShortString<10>> MacroAbbreviations;
    MacroArray<TMacroIcon> MacroIcons;
    MacroArray<std::int32_t> MacroCategoryIds{};
    MacroArray<std::uint16_t> MacroAbbrevCases{};
    MacroArray<std::uint16_t> MacroAbbrevErases{};
    TFontDescription GridTitleFont;
    bool GridTitleBold = false;
    bool GridTitleItalic = false;
    bool GridTitleUnderline = false;
    bool GridTitleStrikeout = false;
    TFontDescription GridFont;
    bool GridBold = false;
    bool GridItalic = false;
    bool GridUnderline = false;
    bool GridStrikeout = false;
    bool CapDoubleAlt = false;
    bool CapKeys = false;
    bool CapMouse = false;
    bool CapTime = false;
    bool CapPrompt = false;
    std::int32_t CapRelativeToScreen = 0;  // 1 screen, 2 window, 3 position
    bool CapClicksOnly = false;
    bool CapWindowSize = false;
    bool CapGlobal = false;
    std::int32_t CapSpeed = 0;  // 1 actual, 2 half, 3 double, 4 quadruple
    ShortString<50> SMTPHost;
    std::int32_t SMTPPort = 0;
    ShortString<50> EMailName;
    ShortString<50> EMailAddress;
    std::int32_t AttachmentEncoding = 0;
    std::int32_t SystemMenu = 0;
    bool SnipraSolitaryUsage = false;
    std::int32_t SnipraCaseMode = 0;  // 1 upper-case first character, 2 exact, 3 none
    bool SnipraUsePunctuation = false;
    bool SnipraRetypeSuffix = false;
    bool SnipraNoRemove = false;
    bool SnipraUseSuffix = false;
    ShortString<2> SnipraPrefixKeys;
    ShortString<255> IE5Server;
    ShortString<255> IE5TypeLib;
    ShortString<20> IE5Version;

    // Every key's text as this program last read it from the settings file or wrote it
    // there, by "Section\nKey". A saver writes only the keys whose value differs from it, so
    // what the other program saved meanwhile is never rolled back (foundation/settings.h).
    std::map<std::string, std::string> SettingsSeen;
};

}  // namespace tessaro
