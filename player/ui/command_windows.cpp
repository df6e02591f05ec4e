#include "player/ui/command_windows.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/cp1252.h"
#include "player/ui/message_windows.h"
#include "player/engine/macro_player.h"
#include "player/ui/player_windows.h"

namespace tessaro {

namespace {

// A topmost window with one line of status text while a number is dialled.
class QtDialStatus : public DialStatusWindow {
public:
    void ShowStatus(const std::string& caption, const std::string& text) override {
        window_ = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        window_->setWindowTitle(QString::fromStdString(caption));
        auto* layout = new QVBoxLayout(window_.get());
        layout->addWidget(new QLabel(QString::fromStdString(text), window_.get()));
        MakeOnTop(*window_);
        window_->show();
        QCoreApplication::processEvents();  // painted before the dial blocks
    }
    void CloseStatus() override { window_.reset(); }

private:
    std::unique_ptr<QWidget> window_;
};

class QtVideo : public VideoWindow {
public:
    explicit QtVideo(QtPlayerWindows& windows) : windows_(windows) {}
    // The command's path is UTF-8; the player's windows take Windows-1252 like every text.
    void PlayVideo(const std::string& path, int mode, const MacroPlayer& macro) override {
        windows_.PlayVideo(win::Utf8ToCp1252(path), mode, [&macro] { return macro.Aborted(); });
    }

private:
    QtPlayerWindows& windows_;
};

}  // namespace

std::unique_ptr<DialStatusWindow> CreateDialStatusWindow() { return std::make_unique<QtDialStatus>(); }

std::unique_ptr<VideoWindow> CreateVideoWindow(QtPlayerWindows& windows) {
    return std::make_unique<QtVideo>(windows);
}

}  // namespace tessaro
