#include "editor/model/commands/display_forms.h"

#include <QString>

#include "editor/model/commands/refusal.h"
#include "foundation/strings.h"

namespace tessaro {

std::string FormatDisplayMode(const win::DisplayMode& mode) {
    return PadLeft(std::to_string(mode.width), 4) + " x " + PadLeft(std::to_string(mode.height), 4) + "  " +
           std::to_string(mode.colours) + " Colors  " + std::to_string(mode.refreshHz) + " hertz";
}

std::vector<std::string> DisplayModeList(const std::vector<win::DisplayMode>& modes) {
    std::vector<std::string> out;
    out.reserve(modes.size());
    for (const auto& m : modes) out.push_back(FormatDisplayMode(m));
    return out;
}

int ScreenInitialSelection(int entries, bool newCommand, std::int32_t modeIndex) {
    const int wanted = newCommand ? 0 : modeIndex;
    return wanted >= 0 && wanted < entries ? wanted : -1;
}

FormResult<ScreenFields> BuildScreen(int selected) {
    if (selected < 0) return Fail<ScreenFields>("No display setting selected.", "SettingBox");
    return Finish(ScreenFields{selected}, cmd::DefaultDisplaySize, TDisplayRec{selected});
}

int FindListEntry(const std::vector<std::string>& entries, const std::string& name) {
    const QString wanted = QString::fromLatin1(name);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (QString::fromLatin1(entries[i]).compare(wanted, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

int DefPrintInitialSelection(const std::vector<std::string>& entries, bool newCommand,
                             const std::string& name) {
    if (newCommand) return entries.empty() ? -1 : 0;
    return FindListEntry(entries, name);
}

FormResult<DefPrintFields> BuildDefPrint(const std::vector<std::string>& entries, int selected) {
    if (selected < 0 || selected >= static_cast<int>(entries.size()))
        return Fail<DefPrintFields>("No printer setting selected.", "SettingBox");
    const std::string name = entries[static_cast<std::size_t>(selected)].substr(0, 255);
    if (auto bad = CheckFreeText(name, "SettingBox")) return Refused<DefPrintFields>(*bad);
    return Finish(DefPrintFields{name}, cmd::DefaultPrinter, TNameRec{name});
}

}  // namespace tessaro
