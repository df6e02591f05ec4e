#pragma once
// The display mode dialog (TDoScreen) and the default printer dialog (TDoDefPrint): pick one
// entry of what this desktop offers.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/model/commands/command_form.h"
#include "platform/system_settings.h"

namespace tessaro {

// " 640 x  480  256 Colors  60 hertz": width and height right-aligned in 4.
std::string FormatDisplayMode(const win::DisplayMode& mode);
std::vector<std::string> DisplayModeList(const std::vector<win::DisplayMode>& modes);

struct ScreenFields {
    std::int32_t ModeIndex = 0;
};

// The entry selected on showing: the stored index with NewCommand 0, else the first.
int ScreenInitialSelection(int entries, bool newCommand, std::int32_t modeIndex);
// `selected`: the list's selected position, -1 for none.
FormResult<ScreenFields> BuildScreen(int selected);

struct DefPrintFields {
    std::string PrinterName;
};

// The list entry equal to `name` without regard to case (the list box's exact search), -1
// for none.
int FindListEntry(const std::vector<std::string>& entries, const std::string& name);
int DefPrintInitialSelection(const std::vector<std::string>& entries, bool newCommand,
                             const std::string& name);
FormResult<DefPrintFields> BuildDefPrint(const std::vector<std::string>& entries, int selected);

}  // namespace tessaro
