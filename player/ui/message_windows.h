#pragma once
// The player's small windows: messages, the repeat prompt and the pause window (the video
// clip player is a plugin: video_plugin.h). The player has no visible main window, so each
// one stays on top of every other window and takes the foreground when it opens.
#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QShowEvent;

namespace win {
class Desktop;
}

#include "widgets/on_top.h"

namespace tessaro {

// The repeat prompt's number: decimal digits (blanks around allowed) from 0 to 65535;
// anything else is refused.
std::optional<std::uint16_t> ParseRepeatCount(std::string_view text);

// The pause window's layout for a message of `messageLength` characters.
struct PauseLayout {
    int width = 224;
    int height = 94;
    int messageHeight = 0;  // 0: no message label
    int buttonsTop = 42;    // 52 pixels above the bottom
};
PauseLayout PauseWindowLayout(std::size_t messageLength);

// "Pause", or "Pause (" + hot-key name + ")" for a macro run by a hot key.
std::string PauseCaption(std::string_view hotKeyName);

class TOnTopMessage : public QDialog {
    Q_OBJECT
public:
    TOnTopMessage(const std::string& title, const std::string& text, QWidget* parent = nullptr);
    QLabel* MessageLabel;
    QPushButton* OkButton;

protected:
    void showEvent(QShowEvent* event) override;
};

class TDoMyMessage : public QDialog {
    Q_OBJECT
public:
    TDoMyMessage(const std::string& title, const std::string& text, QWidget* parent = nullptr);
    QPlainTextEdit* MessageMemo;
    QPushButton* OkButton;
};

class TRepeatPrompt : public QDialog {
    Q_OBJECT
public:
    explicit TRepeatPrompt(QWidget* parent = nullptr);
    QLabel* TimesLabel;
    QLineEdit* TimesEdit;
    QPushButton* OkButton;
    std::uint16_t Count = 0;  // valid after an accepted run

    void accept() override;  // refuses what is not a count, and stays open
};

class TPauseMacro : public QDialog {
    Q_OBJECT
public:
    // `message` may be empty. The window takes the keyboard when shown; once it closes the
    // focus goes back to `target` (0: none), so typing goes on in the macro's window.
    TPauseMacro(win::Desktop& desktop, const std::string& hotKeyName, const std::string& nickname,
                const std::string& message, std::uint64_t target = 0, QWidget* parent = nullptr);
    QLabel* HeadingLabel;
    QLabel* NicknameLabel;
    QLabel* MessageLabel;  // nullptr without a message
    QPushButton* ResumeButton;
    QPushButton* AbortButton;

    bool Resumed() const { return result() == QDialog::Accepted; }
    // The hot key of the paused macro or of "Resume Pause".
    void Resume() { accept(); }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    win::Desktop& desktop_;
    std::uint64_t target_;
};

}  // namespace tessaro
