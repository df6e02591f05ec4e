#include "player/ui/player_windows.h"

#include <QFileDialog>
#include <QStringList>
#include <QTimer>

#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "platform/wait_step.h"
#include "platform/window_control.h"
#include "player/commands/multimedia.h"
#include "player/ui/do_a_menu.h"
#include "player/ui/message_windows.h"
#include "player/ui/video_plugin.h"

namespace tessaro {

namespace {

constexpr int kAbortPollMs = 50;

// Clears a one-at-a-time flag however the window closes.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
};

}  // namespace

int QtPlayerWindows::RunOnTop(QDialog& dialog) {
    if (ending_ || win::EndRequested()) return QDialog::Rejected;
    open_.emplace_back(&dialog);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    const int result = dialog.exec();
    std::erase(open_, QPointer<QDialog>(&dialog));
    return result;
}

void QtPlayerWindows::CloseAll() {
    ending_ = true;
    for (const QPointer<QDialog>& dialog : std::vector<QPointer<QDialog>>(open_))
        if (dialog) dialog->reject();
}

void QtPlayerWindows::DoAMessage(const std::string& caption, const std::string& text) {
    // Asked to end: told where no one has to answer it.
    if (win::EndRequested()) {
        win::MessageBox(text, caption, win::MbButtons::Ok, win::MbIcon::Error);
        return;
    }
    if (messageOpen_) return;
    FlagGuard open(messageOpen_);
    TOnTopMessage window(caption, text);
    RunOnTop(window);
}

void QtPlayerWindows::MyMessage(const std::string& title, const std::string& body) {
    if (textBoxOpen_) return;
    FlagGuard open(textBoxOpen_);
    TDoMyMessage window(title, body);
    RunOnTop(window);
}

int QtPlayerWindows::ChooseAMacro(const ChooserOptions& options, std::vector<ChooserItem> items,
                                  std::optional<int> iconX) {
    TDoAMenu window(desktop_, options, std::move(items), iconX);
    RunOnTop(window);
    return window.Result();
}

std::uint16_t QtPlayerWindows::DoRepPrompt() {
    TRepeatPrompt window;
    return RunOnTop(window) == QDialog::Accepted ? window.Count : 0;
}

bool QtPlayerWindows::PauseMacro(int top, int left, const std::string& text) {
    TPauseMacro window(desktop_, running_.hotKeyName, running_.nickname, text, running_.target);
    window.move(left, top);
    pause_ = &window;
    const bool resumed = RunOnTop(window) == QDialog::Accepted;
    pause_ = nullptr;
    return resumed;
}

void QtPlayerWindows::ResumePause() {
    if (pause_) pause_->Resume();
}

int QtPlayerWindows::ScreenWidth() { return windowControl_.Screen().width; }
int QtPlayerWindows::ScreenHeight() { return windowControl_.Screen().height; }

std::optional<std::string> QtPlayerWindows::PromptSavePath(const std::string& title,
                                                           const std::string& defaultExt,
                                                           const std::string& filter, bool mustExist) {
    // "Name|*.EXT|Name|*.EXT" becomes Qt's "Name (*.EXT);;Name (*.EXT)"; a name that already
    // shows its patterns ("Text Files (*.TXT)") keeps them once.
    const QStringList parts = win::ToQt(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString shown = " (" + parts[i + 1] + ")";
        filters << (parts[i].endsWith(shown) ? parts[i] : parts[i] + shown);
    }
    QFileDialog dialog(nullptr, win::ToQt(title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(win::ToQt(defaultExt));
    if (mustExist) dialog.setFileMode(QFileDialog::ExistingFile);
    MakeOnTop(dialog);
    if (RunOnTop(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return win::Utf8ToCp1252(dialog.selectedFiles().front().toStdString());
}

void QtPlayerWindows::PlayVideo(const std::string& file, int mode, const std::function<bool()>& aborted) {
    if (videoInUse_) {
        DoAMessage("Error", "AVI Player currently in use.");
        return;
    }
    // The media code comes with the plugin, and is asked whether it can play before any
    // player is built: a missing piece is told, never crashed on.
    QString missing;
    VideoPlayerPlugin* video = LoadVideoPlayerPlugin(missing);
    if (video) missing = video->MissingBackend();
    if (!missing.isEmpty()) {
        DoAMessage("Multimedia Error", win::Utf8ToCp1252(missing.toStdString()));
        return;
    }
    if (const QString lacking = video->MissingForFile(win::ToQt(file)); !lacking.isEmpty()) {
        DoAMessage("Multimedia Error", MissingPluginText(file, lacking.toStdString()));
        return;
    }
    FlagGuard inUse(videoInUse_);
    const std::unique_ptr<QDialog> window = video->CreatePlayAVI(win::ToQt(file), mode);
    // An abort arrives as a flag set while the window runs its own event loop.
    QTimer abortWatch;
    QObject::connect(&abortWatch, &QTimer::timeout, window.get(), [&] {
        if (aborted()) window->reject();
    });
    abortWatch.start(kAbortPollMs);
    MakeOnTop(*window);
    RunOnTop(*window);
}

}  // namespace tessaro
