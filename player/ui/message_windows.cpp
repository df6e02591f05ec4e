#include "player/ui/message_windows.h"

#include <QEvent>
#include <QShowEvent>
#include <QTimer>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <charconv>

#include "foundation/strings.h"
#include "platform/cp1252.h"
#include "platform/desktop.h"
#include "platform/message_box.h"
#include "widgets/message_box_fit.h"
#include "widgets/screen_fit.h"

namespace tessaro {

namespace {

// The message windows' layout: their content over a centred "&Ok" that closes them.
QPushButton* AddOkButtonBelow(QDialog& dialog, QWidget* content) {
    auto* ok = new QPushButton(QObject::tr("&Ok"), &dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(content, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    return ok;
}

}  // namespace

std::optional<std::uint16_t> ParseRepeatCount(std::string_view text) {
    const std::string t = TrimBlanks(text);
    unsigned long value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || value > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

PauseLayout PauseWindowLayout(std::size_t messageLength) {
    PauseLayout l;
    if (messageLength > 0) {
        l.messageHeight = 19 * static_cast<int>(messageLength / 30 + 1);
        l.height += l.messageHeight;
    }
    l.buttonsTop = l.height - 52;
    return l;
}

std::string PauseCaption(std::string_view hotKeyName) {
    if (hotKeyName.empty()) return "Pause";
    return "Pause (" + std::string(hotKeyName) + ")";
}

TOnTopMessage::TOnTopMessage(const std::string& title, const std::string& text, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(win::ToQt(title));
    MakeOnTop(*this);
    MessageLabel = new QLabel(win::ToQt(text), this);
    MessageLabel->setTextFormat(Qt::PlainText);  // texts may quote a server's reply
    MessageLabel->setWordWrap(true);
    MessageLabel->setAlignment(Qt::AlignCenter);
    OkButton = AddOkButtonBelow(*this, MessageLabel);
    FitBoxToText(*this, *MessageLabel, {235, 130});
}

void TOnTopMessage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // With the frame of the program's windows so far: the caption's room is known better.
    if (!event->spontaneous()) FitBoxToText(*this, *MessageLabel, {235, 130});
}

TDoMyMessage::TDoMyMessage(const std::string& title, const std::string& text, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(win::ToQt(title));
    MakeOnTop(*this);
    MessageMemo = new QPlainTextEdit(win::ToQt(text), this);
    MessageMemo->setReadOnly(true);
    OkButton = AddOkButtonBelow(*this, MessageMemo);
    CentreOnScreen(*this);
}

TRepeatPrompt::TRepeatPrompt(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Macro Repeat");
    MakeOnTop(*this);
    TimesLabel = new QLabel("Times To Repeat", this);
    TimesEdit = new QLineEdit(this);
    TimesLabel->setBuddy(TimesEdit);
    OkButton = new QPushButton(tr("&Ok"), this);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &TRepeatPrompt::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(TimesLabel);
    row->addWidget(TimesEdit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(OkButton, 0, Qt::AlignHCenter);
    CentreOnScreen(*this);
}

void TRepeatPrompt::accept() {
    const auto count = ParseRepeatCount(win::Utf8ToCp1252(TimesEdit->text().toStdString()));
    if (!count) {
        win::MessageBox("Invalid numeric value entered.  Please Correct", "Error", win::MbButtons::Ok,
                        win::MbIcon::Error);
        TimesEdit->setFocus();
        return;
    }
    Count = *count;
    QDialog::accept();
}

TPauseMacro::TPauseMacro(win::Desktop& desktop, const std::string& hotKeyName, const std::string& nickname,
                         const std::string& message, std::uint64_t target, QWidget* parent)
    : QDialog(parent), MessageLabel(nullptr), desktop_(desktop), target_(target) {
    setWindowTitle(win::ToQt(PauseCaption(hotKeyName)));
    MakeOnTop(*this);
    const PauseLayout l = PauseWindowLayout(message.size());
    setFixedSize(l.width, l.height);
    HeadingLabel = new QLabel("Tessaro Pause", this);
    HeadingLabel->setGeometry(0, 4, l.width, 17);
    HeadingLabel->setAlignment(Qt::AlignHCenter);
    NicknameLabel = new QLabel(win::ToQt(nickname), this);
    NicknameLabel->setGeometry(0, 21, l.width, 17);
    NicknameLabel->setAlignment(Qt::AlignHCenter);
    if (l.messageHeight > 0) {
        MessageLabel = new QLabel(win::ToQt(message), this);
        MessageLabel->setWordWrap(true);
        MessageLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        MessageLabel->setGeometry(4, 40, l.width - 8, l.messageHeight);
    }
    ResumeButton = new QPushButton(tr("&Resume"), this);
    AbortButton = new QPushButton(tr("&Abort"), this);
    ResumeButton->setGeometry(24, l.buttonsTop, 80, 25);
    AbortButton->setGeometry(120, l.buttonsTop, 80, 25);
    connect(ResumeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(AbortButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TPauseMacro::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // In front with the keyboard, as a window manager obeys a pager: Enter, Alt+R, Alt+A
    // and Esc are the pause window's, not the target's.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) desktop_.SetForegroundWindow(static_cast<win::HWND>(winId()));
    });
}

void TPauseMacro::done(int result) {
    QDialog::done(result);
    // The rest of the macro types into the window it was meant for.
    if (target_) desktop_.SetForegroundWindow(static_cast<win::HWND>(target_));
}

}  // namespace tessaro
