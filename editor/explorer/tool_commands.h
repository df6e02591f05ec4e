#pragma once
// The macro file's tools: text import, the macro listing, export and import, a desktop
// launcher for the selected macro, and the key remapper on the file's remap table.
#include <string>
#include <vector>

#include "macro/macro_record.h"

class QWidget;

namespace tessaro {

class Explorer;
class PlayerLink;
class TMainWinCore;
struct TConfigRecord;

class ToolCommands {
public:
    ToolCommands(QWidget& window, TConfigRecord& config, TMainWinCore& core, Explorer& explorer,
                 PlayerLink& link);

    // The key-remapping table of RecentFiles[0], made with the defaults when missing, and
    // the player's copy of it.
    void LoadSwapFile();
    const std::string& SwapFileName() const { return swapFile_; }

    void MenuImportTextClick();
    void MenuOutputClick();
    void MenuExportClick();
    void MenuImportClick();
    void MenuOnDesktopClick();
    void MenuRemapClick();

private:
    std::vector<TMacroRecord> ShownMacros();

    QWidget& window_;
    TConfigRecord& config_;
    TMainWinCore& core_;
    Explorer& explorer_;
    PlayerLink& link_;
    std::string swapFile_;
};

}  // namespace tessaro
