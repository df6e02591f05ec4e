#include "player/engine/qt_playback_services.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <chrono>
#include <thread>

#include "platform/cp1252.h"
#include "macro/encrypted_text.h"
#include "player/engine/window_activation.h"

namespace tessaro {

std::int64_t QtPlaybackClock::NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void QtPlaybackClock::PumpMessages() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void QtPlaybackClock::Sleep(std::int64_t ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string QtClipboard::Text() {
    const QString text = QGuiApplication::clipboard()->text();
    return win::Utf8ToCp1252(text.toStdString());
}

void QtClipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(win::Cp1252ToUtf8(text)));
}

bool QtClipboard::Image(QImage& out) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasImage()) return false;
    QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull()) return false;
    out = image;
    return true;
}

void QtClipboard::SetImage(const QImage& image) { QGuiApplication::clipboard()->setImage(image); }

bool OpenWithDesktop(const std::string& address) {
    // An address that looks like an option would be taken as one by the opener.
    if (address.empty() || address.front() == '-') return false;
    return QProcess::startDetached(QStringLiteral("xdg-open"),
                                   {QString::fromStdString(win::Cp1252ToUtf8(address))});
}

bool QtPlayerDesktop::ActivateWindow(const std::string& title) { return ActivateIt(desktop_, title) != 0; }

std::optional<std::string> QtPlayerDesktop::Decrypt(const std::string& cipher) {
    return DecryptMacroText(cipher);
}

}  // namespace tessaro
