#include "widgets/message_box_qt.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QShowEvent>

#include <cstdio>

#include "widgets/message_box_fit.h"

namespace tessaro {

namespace {

// Qt sizes a box to half the screen at most and leaves its place to the manager: this one
// takes its caption's and text's width and stands centred.
class WholeMessageBox final : public QMessageBox {
protected:
    // Sized once: Qt would size it anew when it comes back from the manager (a minimise undone).
    void showEvent(QShowEvent* event) override {
        if (event->spontaneous()) return QDialog::showEvent(event);
        QMessageBox::showEvent(event);
        if (auto* text = findChild<QLabel*>("qt_msgbox_label")) FitBoxToText(*this, *text);
    }
    // Qt sizes its box again on each layout request; the text does not change once shown.
    bool event(QEvent* event) override {
        if (event->type() == QEvent::LayoutRequest) return QDialog::event(event);
        return QMessageBox::event(event);
    }
};

}  // namespace

win::MbResult QtMessageBox(const win::MessageBoxCall& call) {
    using namespace win;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s: %s\n", call.caption.c_str(), call.text.c_str());
        return FirstButton(call.buttons);
    }
    WholeMessageBox box;
    // An empty title is shown as the program's name on this desktop: a box meant to have
    // no caption gets a blank one.
    box.setWindowTitle(call.caption.empty() ? QStringLiteral(" ") : QString::fromStdString(call.caption));
    box.setText(QString::fromStdString(call.text));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    switch (call.icon) {
        case MbIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MbIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MbIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case MbIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MbIcon::None: break;
    }
    switch (call.buttons) {
        case MbButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MbButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case MbButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case MbButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case MbButtons::RetryCancel: box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel); break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes: return MbResult::Yes;
        case QMessageBox::No: return MbResult::No;
        case QMessageBox::Cancel: return MbResult::Cancel;
        case QMessageBox::Retry: return MbResult::Retry;
        default: return MbResult::Ok;
    }
}

}  // namespace tessaro
