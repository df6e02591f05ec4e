#pragma once
// Loading and saving the settings record (`Config`) to and from "TESRO.INI", one section
// at a time. Loaders read every key of their section and apply its repair rules; savers
// write every key of their section in a fixed order. A saver that cannot write the file
// shows an "Error" box and returns false.
#include <string>
#include <string_view>

#include "foundation/config_record.h"

namespace tessaro {

inline constexpr const char* kSettingsFile = "TESRO.INI";

void LoadMiscSettings();
void LoadCurrentFileSetting();
void LoadCaptureSettings();
void LoadSnipraSettings();
void LoadMainWindowSettings();
void LoadGridTitleFontSettings();
void LoadGridFontSettings();
void LoadScriptPageSettings();
void LoadNetworkSettings();
void LoadPrintListFontSettings();
void LoadSchedulerSettings();
void LoadEMailSettings();
void LoadAllSettings();

bool SaveMiscSettings();  // every [Misc] key but "Current File"
bool SaveCurrentFileSetting();
bool SaveCaptureSettings();
bool SaveSnipraSettings();
bool SaveGridTitleFontSettings();
bool SaveGridFontSettings();
bool SaveMainWindowSettings();
bool SaveScriptPageSettings();
bool SaveNetworkSettings();
bool SavePrintListFontSettings();
bool SaveSchedulerSettings();
bool SaveEMailSettings();
bool SaveAllSettings();  // tries every section; one box names those that failed

// A profile text cut to `capacity` characters and upper-cased.
std::string IniUpper(std::string_view text, std::size_t capacity);
bool IsYes(std::string_view upperText);
const char* BoolToYesNo(bool flag);

}  // namespace tessaro
