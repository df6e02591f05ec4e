#pragma once
// The option and help commands of the main window: the option dialogs, the scheduler's
// alarm and interval, the screen saver hold, the browser repair, help, tutorial, home page
// and the mouse locator.
#include <map>
#include <memory>

#include "editor/explorer/main_win_widgets.h"
#include "platform/screen_saver.h"

class QWidget;

namespace tessaro {

class PlayerLink;
class RecipientPathEditor;
class TMainWinCore;
struct TConfigRecord;

class OptionCommands {
public:
    // `screenSaver` is the desktop's hold on its screen saver, owned from now on.
    OptionCommands(QWidget& window, TConfigRecord& config, TMainWinCore& core, PlayerLink& link,
                   std::map<ExplorerAction, CommandWidgets>& commands, RecipientPathEditor& recipients,
                   std::unique_ptr<win::ScreenSaverInhibitor> screenSaver);

    // The screen saver is kept off while the setting asks it and a timed macro is enabled.
    void HoldScreenSaver();
    void MenuDisableScreenSaverClick();
    void MenuCaptureOptionsClick();
    void MenuEMailOptionsClick();
    void MenuSettingsClick();
    void MenuSnipraOptionsClick();
    void MenuRecipientsClick();
    void MenuTutorialClick();
    void MenuAlarmClick();
    void MenuTimerClick();
    void MenuIE5FixClick();
    void MenuIE5RestoreClick();
    void DoHelp();
    void MenuHomePageClick();
    void MenuMouseLocClick();

private:
    QWidget& window_;
    TConfigRecord& config_;
    TMainWinCore& core_;
    PlayerLink& link_;
    std::map<ExplorerAction, CommandWidgets>& commands_;
    RecipientPathEditor& recipients_;
    std::unique_ptr<win::ScreenSaverInhibitor> screenSaver_;
};

}  // namespace tessaro
