#pragma once
// The player's notification-area icons: the main icon with the player's menu, the capture
// icon while a macro is recorded, and one icon for each popup-menu macro that asks for one.
#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "foundation/config_record.h"
#include "widgets/task_icon.h"

class QMenu;

namespace tessaro {

struct TGlobData;

inline constexpr const char* kTrayTip = "Tessaro 99";
inline constexpr const char* kRunningTip = "Macro Is Running - Right Click to Abort";
inline constexpr const char* kRecordingTip = "Macro Is Recording";
inline constexpr int kMaxMenuTrayIcons = 15;
inline constexpr const char* kHelpFile = "TESSARO.HLP";  // in the program directory

// The popup-menu macros (scope 4) whose first option character is "Y", in file order, at
// most 15.
std::vector<int> MenuTrayMacros(const TGlobData& glob, const TConfigRecord& config);

// What the icons and the menu ask of the player.
class TrayShell {
public:
    virtual ~TrayShell() = default;
    virtual bool MacroPlaying() = 0;
    // The running macro stops at its next step and says so.
    virtual void AbortMacro() = 0;
    // No capture runs, no macro is paused and no popup menu shows.
    virtual bool CanDoMenu() = 0;
    virtual void ActivateMe() = 0;
    // A new keyboard and mouse hook in place of the old ones, and the hot keys again.
    virtual void RestoreHooks() = 0;
    virtual void Terminate() = 0;
    // The capture icon's right click: the capture ends as by its stop key.
    virtual void EndCaptureFromTray() = 0;
    // A popup-menu icon's right click at screen x: its chooser for the last active window.
    virtual void MenuTaskIconRightClick(int macro, int x) = 0;
};

class PlayerTray : public QObject {
    Q_OBJECT
public:
    // `host` defaults to the desktop's notification area. Without one the player says so
    // once and goes on without icons.
    explicit PlayerTray(TrayShell& shell, TrayHost* host = nullptr);
    ~PlayerTray() override;

    TTaskIcon& mainIcon() { return *main_; }
    TTaskIcon& captureIcon() { return *capture_; }
    const std::vector<std::unique_ptr<TTaskIcon>>& menuIcons() const { return menuIcons_; }

    // The main icon at rest; code 9 shows or hides it.
    void ShowMainIcon(bool show) { main_->SetActive(show); }
    // While a macro plays the main icon shows so, even when the tray is off.
    void ShowRunning(bool running, bool useTray);

    // The capture icon.
    void DoTaskIconRec();
    void ClearTaskIcon();
    // The popup-menu icons of `macros` (numbers), pictures and tips from the index.
    void DoMenuTaskIcon(const std::vector<int>& macros, const TConfigRecord& config);
    void ClearMenuTaskIcon();

    void TaskIcon1Click();
    void TaskIcon1RightClick(int x, int y);
    void TaskIconRecRightClick();

    // The main icon's menu, in its order; `menusShown` counts how often it opened.
    std::unique_ptr<QMenu> MyPopUp();
    int menusShown() const { return menusShown_; }

    // The menu's own commands.
    static void MenuLaunchClick(const std::string& executableDirectory);
    static void PopHelpClick(const std::string& programDirectory);
    static void MenuAboutClick();
    static void MenuHomePageClick(const std::string& executableDirectory);

private:
    TrayShell& shell_;
    TrayHost* host_;
    std::unique_ptr<TTaskIcon> main_;
    std::unique_ptr<TTaskIcon> capture_;
    std::vector<std::unique_ptr<TTaskIcon>> menuIcons_;
    int menusShown_ = 0;
};

}  // namespace tessaro
