#include "editor/explorer/forms/form_support.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/cp1252.h"

namespace tessaro::forms {

QString Q(std::string_view cp1252) { return QString::fromStdString(win::Cp1252ToUtf8(cp1252)); }
std::string W(const QString& text) { return win::Utf8ToCp1252(text.toStdString()); }

void CentreOnScreen(QWidget& form) {
    const QScreen* screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect s = screen->geometry();
    form.move(s.x() + (s.width() - form.width()) / 2, s.y() + (s.height() - form.height()) / 2);
}

void ErrorBox(const std::string& text) {
    win::MessageBox(text, "Error", win::MbButtons::Ok, win::MbIcon::Error);
}

void WarningBox(const std::string& text) {
    win::MessageBox(text, "Warning", win::MbButtons::Ok, win::MbIcon::Warning);
}

bool AskYesNo(const std::string& text, const std::string& caption) {
    return win::MessageBox(text, caption, win::MbButtons::YesNo, win::MbIcon::Question) == win::MbResult::Yes;
}

std::uint32_t NativeId(QWidget& form) { return static_cast<std::uint32_t>(form.winId()); }

}  // namespace tessaro::forms
