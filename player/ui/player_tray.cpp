#include "player/ui/player_tray.h"

#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "foundation/helper_programs.h"
#include "macro/macro_record.h"
#include "platform/paths.h"
#include "player/engine/qt_playback_services.h"
#include "player/ui/tray_pictures.h"
#include "protocol/glob_data.h"
#include "widgets/about_box.h"

namespace tessaro {

namespace {

void Error(const std::string& text) {
    win::MessageBox(text, "Error", win::MbButtons::Ok, win::MbIcon::Error);
}

}  // namespace

std::vector<int> MenuTrayMacros(const TGlobData& glob, const TConfigRecord& config) {
    std::vector<int> macros;
    const int count = glob.MacroCount;
    for (int n = 1; n <= count && n <= kMaxMacros; ++n) {
        if (macros.size() >= static_cast<std::size_t>(kMaxMenuTrayIcons)) break;
        if (glob.Scope[n] == scPopupMenu && config.MacroAbbreviations[n].view().starts_with('Y'))
            macros.push_back(n);
    }
    return macros;
}

PlayerTray::PlayerTray(TrayShell& shell, TrayHost* host)
    : shell_(shell),
      host_(host),
      main_(std::make_unique<TTaskIcon>(this, host)),
      capture_(std::make_unique<TTaskIcon>(this, host)) {
    if (!host && !QSystemTrayIcon::isSystemTrayAvailable())
        std::fprintf(stderr,
                     "tesrun: this desktop has no notification area; the player runs without its icons\n");
    main_->SetIcon(MainIcon());
    main_->SetToolTip(kTrayTip);
    main_->SetTaskIconID(0);
    // Each click is handled from the event loop, never inside the area's notice: what it
    // starts (a menu, a chooser, a reload) may remove the very icon that reported it.
    main_->OnClick = [this](TTaskIcon*) { QTimer::singleShot(0, this, [this] { TaskIcon1Click(); }); };
    main_->OnRightClick = [this](TTaskIcon*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        QTimer::singleShot(0, this, [this, x, y] { TaskIcon1RightClick(x, y); });
    };
    capture_->SetIcon(RecordingIcon());
    capture_->SetToolTip(kRecordingTip);
    capture_->SetTaskIconID(0);
    capture_->OnRightClick = [this](TTaskIcon*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        QTimer::singleShot(0, this, [this] { TaskIconRecRightClick(); });
    };
}

PlayerTray::~PlayerTray() = default;

void PlayerTray::ShowRunning(bool running, bool useTray) {
    main_->SetIcon(running ? RunningIcon() : MainIcon());
    main_->SetToolTip(running ? kRunningTip : kTrayTip);
    if (running)
        main_->SetActive(true);
    else if (!useTray)
        main_->SetActive(false);
}

void PlayerTray::DoTaskIconRec() { capture_->SetActive(true); }

void PlayerTray::ClearTaskIcon() { capture_->SetActive(false); }

void PlayerTray::DoMenuTaskIcon(const std::vector<int>& macros, const TConfigRecord& config) {
    ClearMenuTaskIcon();
    for (const int n : macros) {
        if (menuIcons_.size() >= static_cast<std::size_t>(kMaxMenuTrayIcons)) break;
        auto icon = std::make_unique<TTaskIcon>(this, host_);
        icon->SetIcon(PopupTrayPicture(config.MacroIcons[n]));
        icon->SetToolTip(config.MacroNicknames[n].view());
        icon->SetTaskIconID(n);
        icon->OnRightClick = [this, n](TTaskIcon*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int) {
            QTimer::singleShot(0, this, [this, n, x] { shell_.MenuTaskIconRightClick(n, x); });
        };
        icon->SetActive(true);
        menuIcons_.push_back(std::move(icon));
    }
}

void PlayerTray::ClearMenuTaskIcon() { menuIcons_.clear(); }

void PlayerTray::TaskIcon1Click() {
    if (shell_.MacroPlaying()) return;
    if (shell_.CanDoMenu()) shell_.ActivateMe();
}

void PlayerTray::TaskIcon1RightClick(int x, int y) {
    if (shell_.MacroPlaying()) {
        shell_.AbortMacro();
        return;
    }
    if (!shell_.CanDoMenu()) return;
    std::unique_ptr<QMenu> menu = MyPopUp();
    ++menusShown_;
    menu->exec(QPoint(x, y));
}

void PlayerTray::TaskIconRecRightClick() { shell_.EndCaptureFromTray(); }

std::unique_ptr<QMenu> PlayerTray::MyPopUp() {
    auto menu = std::make_unique<QMenu>();
    menu->addAction("&Open Editor", this, [this] { shell_.ActivateMe(); });
    QMenu* tools = menu->addMenu("&Tools");
    tools->addAction("&Restore Keyboard and Mouse Hooks", this, [this] { shell_.RestoreHooks(); });
    tools->addAction("&Launch Mouse Locator", this, [] { MenuLaunchClick(win::ExecutableDirectory()); });
    menu->addAction("&Help", this, [] { PopHelpClick(win::ProgramDirectory()); });
    menu->addAction("&About", this, [] { MenuAboutClick(); });
    menu->addSeparator();
    // T and H belong to "&Tools" and "&Help": the last two take letters of their own.
    menu->addAction("Tessaro Home &Page", this, [] { MenuHomePageClick(win::ExecutableDirectory()); });
    menu->addSeparator();
    menu->addAction("Te&rminate Tessaro", this, [this] { shell_.Terminate(); });
    return menu;
}

void PlayerTray::MenuLaunchClick(const std::string& executableDirectory) {
    StartMouseLocator(executableDirectory);
}

void PlayerTray::PopHelpClick(const std::string& programDirectory) {
    const std::string file = win::JoinPath(programDirectory, kHelpFile);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        Error("The help file " + win::Utf8ToCp1252(file) + " could not be found.");
        return;
    }
    if (!OpenWithDesktop(win::Utf8ToCp1252(file)))
        Error("The help file " + win::Utf8ToCp1252(file) + " could not be opened.");
}

void PlayerTray::MenuAboutClick() { ShowAboutBox(); }

void PlayerTray::MenuHomePageClick(const std::string& executableDirectory) {
    OpenHomePage(executableDirectory);
}

}  // namespace tessaro
