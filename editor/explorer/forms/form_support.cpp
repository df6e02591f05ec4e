#include "editor/explorer/forms/form_support.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "editor/commands/command_dialog.h"
#include "platform/cp1252.h"

namespace tessaro::forms {

namespace {

// Lives as the form's child; the move happens before the window is mapped.
class CentreOnShow final : public QObject {
public:
    explicit CentreOnShow(QWidget& form) : QObject(&form), form_(form) { form.installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &form_ && event->type() == QEvent::Show) CentreOnScreen(form_);
        return false;
    }

private:
    QWidget& form_;
};

}  // namespace

void CentreWhenShown(QWidget& form) { new CentreOnShow(form); }

void FitClientHeight(QWidget& form, int clientHeight) {
    if (QLayout* layout = form.layout()) {
        layout->invalidate();
        layout->activate();
        clientHeight = std::max(clientHeight, layout->minimumSize().height());
    }
    ResizeAfterChange(form, {form.width(), clientHeight});
}

QPushButton* NewHelpButton(QWidget& form, std::function<std::string()> keyword) {
    auto* help = new QPushButton("&Help", &form);
    help->setObjectName("HelpButton");
    help->setAutoDefault(false);
    QObject::connect(help, &QPushButton::clicked, &form,
                     [&form, keyword = std::move(keyword)] { ShowHelpTopic(&form, keyword()); });
    return help;
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
