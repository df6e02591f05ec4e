#pragma once
// Loading and saving a settings record to and from "TESRO.INI", one section at a time.
// Loaders read every key of their section into the record they are given and apply its
// repair rules. Both programs write the one file: a saver writes, in a fixed key order, the
// keys whose value this program changed since it last read or wrote them, and the keys the
// file lacks; a key it left alone keeps whatever the file holds, so nothing the other program
// saved is rolled back and a save without a change leaves the file's bytes as they were. A
// saver that cannot write the file shows an "Error" box and returns false.
#include <string>
#include <string_view>

#include "foundation/config_record.h"
#include "platform/screen.h"

namespace tessaro {

inline constexpr const char* kSettingsFile = "TESRO.INI";

void LoadMiscSettings(TConfigRecord& config);
void LoadCurrentFileSetting(TConfigRecord& config);
void LoadCaptureSettings(TConfigRecord& config);
void LoadSnipraSettings(TConfigRecord& config);
// The stored bounds are kept on `screen`.
void LoadMainWindowSettings(TConfigRecord& config, win::ScreenSize screen);
void LoadGridTitleFontSettings(TConfigRecord& config);
void LoadGridFontSettings(TConfigRecord& config);
void LoadScriptPageSettings(TConfigRecord& config, win::ScreenSize screen);
void LoadNetworkSettings(TConfigRecord& config);
void LoadPrintListFontSettings(TConfigRecord& config);
void LoadSchedulerSettings(TConfigRecord& config);
void LoadEMailSettings(TConfigRecord& config);
void LoadAllSettings(TConfigRecord& config, win::ScreenSize screen);

bool SaveMiscSettings(TConfigRecord& config);  // every [Misc] key but "Current File"
bool SaveCurrentFileSetting(TConfigRecord& config);
bool SaveCaptureSettings(TConfigRecord& config);
bool SaveSnipraSettings(TConfigRecord& config);
bool SaveGridTitleFontSettings(TConfigRecord& config);
bool SaveGridFontSettings(TConfigRecord& config);
bool SaveMainWindowSettings(TConfigRecord& config);
bool SaveScriptPageSettings(TConfigRecord& config);
bool SaveNetworkSettings(TConfigRecord& config);
bool SavePrintListFontSettings(TConfigRecord& config);
bool SaveSchedulerSettings(TConfigRecord& config);
bool SaveEMailSettings(TConfigRecord& config);
bool SaveAllSettings(TConfigRecord& config);  // tries every section; one box names those that failed
// "Current File", [Misc] and [Network] as the player saves its switches: one write, and at
// most one box.
bool SaveCurrentFileMiscAndNetworkSettings(TConfigRecord& config);

// A profile text cut to `capacity` characters and upper-cased.
std::string IniUpper(std::string_view text, std::size_t capacity);
bool IsYes(std::string_view upperText);
const char* BoolToYesNo(bool flag);

}  // namespace tessaro
