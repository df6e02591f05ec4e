#include "editor/script/ui/icon_button.h"

#include <QFileDialog>
#include <QMouseEvent>
#include <QToolButton>

#include "platform/message_box.h"

namespace tessaro {

namespace {

void ErrorBox(const std::string& text) {
    win::MessageBox(text, "Error", win::MbButtons::Ok, win::MbIcon::Error);
}

// Catches the right button's release on the icon button.
class RightClickFilter : public QObject {
public:
    RightClickFilter(QObject* parent, std::function<void()> reset)
        : QObject(parent), reset_(std::move(reset)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            if (win::MessageBox(kResetIconQuestion, "", win::MbButtons::YesNo) == win::MbResult::Yes)
                reset_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> reset_;
};

}  // namespace

std::optional<IconChoice> TakeIconFile(const std::string& chosenPath, const std::string& programDir) {
    const IconChoice c = ChooseIconFile(chosenPath, programDir + "/Icons");
    if (!c.warning.empty()) ErrorBox(c.warning);
    if (!c.ok) {
        ErrorBox(c.error);
        return std::nullopt;
    }
    return c;
}

void WireIconButton(QToolButton& button, const std::string& programDir,
                    std::function<void(std::string)> chosen, std::function<void()> reset) {
    button.setFixedSize(20, 20);
    button.setIconSize(QSize(16, 16));
    button.installEventFilter(new RightClickFilter(&button, std::move(reset)));
    QObject::connect(&button, &QToolButton::clicked, &button,
                     [&button, programDir, chosen = std::move(chosen)] {
                         const QString path = QFileDialog::getOpenFileName(
                             &button, "Load in Icon", QString::fromStdString(IconChooserFolder(programDir)),
                             "Icons (*.ico *.ICO)");
                         if (!path.isEmpty()) chosen(path.toStdString());
                     });
}

}  // namespace tessaro
