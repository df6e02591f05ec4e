// Pages 71-73 of "Enter On-Line Sweepstakes": the page opened in the browser, the
// recording of what the user types into it, and how the macro is used afterwards.
#include <QLabel>
#include <QLineEdit>
#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

#include "editor/commands/form_parts.h"
#include "editor/model/wizard/sweep_pages.h"
#include "editor/wizard/t_quick_wiz.h"
#include "editor/wizard/page_parts.h"
#include "editor/wizard/wizard_pages.h"
#include "platform/launch.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "protocol/window_messages.h"

namespace tessaro {
namespace {

using parts::Label;

constexpr std::uint32_t kCaptureChar = 0x400 + 3;
constexpr std::uint32_t kCaptureEnded = 0x400 + 4;

constexpr const char* kInstructions =
    "When you press Next, this wizard and the editor are put aside and everything you type is "
    "recorded.\n\nFill in the sweepstakes form in your web browser.  Do not use the mouse to "
    "move between the fields: press Tab instead, so the macro can do the same.\n\nWhen the form "
    "is complete, click the button of the recording helper's window to end the recording.  "
    "The wizard then comes back.";
constexpr const char* kHowToUse =
    "Go to the sweepstakes page in your web browser, click into its first field and activate "
    "this macro: it types everything you recorded, field by field.";

// Tells when a window put aside comes back on screen: restored, or made the active window.
class ComeBackWatch : public QObject {
public:
    ComeBackWatch(QWidget* window, std::function<void()> back) : window_(window), back_(std::move(back)) {
        window_->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if (watched == window_ && (type == QEvent::WindowStateChange || type == QEvent::WindowActivate) &&
            window_->isVisible() && !window_->isMinimized())
            back_();
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> back_;
};

class SweepPages : public WizardPageGroup, public WizardPageEvents {
public:
    // The recording's messages come as `messages` carries them.
    explicit SweepPages(win::Messages& messages) : messages_(messages) {}

    std::vector<int> Pages() const override { return {71, 72, 73}; }

    void Build(int page, QWidget* panel, WizardForm& form) override {
        auto* layout = new QVBoxLayout(panel);
        if (page == 71) BuildAddress(panel, layout);
        if (page == 72) BuildText(panel, layout, "INSTRUCTIONS", kInstructions);
        if (page == 73) BuildText(panel, layout, "How to use this macro", kHowToUse);
        layout->addStretch();
        if (!recording_) StartListening(form);
    }

    void Shown(int page, bool, WizardForm&) override {
        if (page == 71) url_->setFocus();
    }

    bool Leaving(int page, WizardForm& form) override { return page != 72 || DoTheSweep(form); }
    bool Recording() const override { return recording_ && recording_->Recording(); }
    // Closing the wizard during a recording releases the capture.
    void Closing(WizardForm&) override {
        helperWatch_.stop();
        if (recording_) recording_->Release();
    }
    void EndRecording(WizardForm&) override { End(); }

private:
    void BuildAddress(QWidget* panel, QVBoxLayout* layout) {
        layout->addWidget(
            pages::HeadingLabel(panel, "Enter the address of the sweepstakes web page and launch it"));
        auto* row = new QHBoxLayout;
        url_ = parts::Edit(panel, "P71URL", 255);
        row->addWidget(Label(panel, "http://", url_));
        row->addWidget(url_, 1);
        layout->addLayout(row);
        auto* launch = parts::Button(panel, "P71Launch", "&Launch Web Page");
        layout->addWidget(launch);
        QObject::connect(launch, &QPushButton::clicked, panel, [this] { P71LaunchClick(); });
    }

    static void BuildText(QWidget* panel, QVBoxLayout* layout, const char* heading, const char* text) {
        layout->addWidget(pages::HeadingLabel(panel, heading));
        auto* body = Label(panel, text);
        body->setWordWrap(true);
        layout->addWidget(body);
    }

    // The recording's messages come to a window of their own, whose id the helper is given.
    void StartListening(WizardForm& form) {
        recording_ = std::make_unique<wizard::SweepRecording>(form.Context());
        receiver_ = std::make_unique<win::MessageWindow>(
            messages_, [this](std::uint32_t msg, std::uint32_t, std::int32_t lParam) {
                if (msg == kCaptureChar) recording_->OnChar(lParam);
                if (msg == kCaptureEnded) End();
                return 0;
            });
        form_ = &form;
        // The user back at the wizard ends the recording: what is typed into it from then on
        // is not the form's. So does the end of the helper, the only one left to end it.
        comeBack_ = std::make_unique<ComeBackWatch>(form.Window(), [this] { End(); });
        helperWatch_.setInterval(100);
        QObject::connect(&helperWatch_, &QTimer::timeout, [this] {
            if (!recording_->HelperRunning()) End();
        });
    }

    void End() {
        helperWatch_.stop();
        if (recording_ && recording_->OnEnded()) ShowAgain();
    }

    void P71LaunchClick() {
        const std::string address = wizard::SweepAddress(win::FromQt(url_->text()));
        if (address.empty()) {
            win::MessageBox(wizard::kNoWebPage, "Error", win::MbButtons::Ok, win::MbIcon::Error);
            url_->setFocus();
            return;
        }
        launcher_.Open(wizard::BrowserAddress(address), "");
    }

    bool DoTheSweep(WizardForm& form) {
        const std::string error = recording_->Start(receiver_->hwnd());
        if (!error.empty()) {
            win::MessageBox(error, "Error", win::MbButtons::Ok, win::MbIcon::Error);
            return false;
        }
        // Only the browser and the helper stay in sight. Minimised, not hidden: hiding the
        // modal wizard would end it.
        QWidget* wizard = form.Window();
        if (QWidget* editor = wizard->parentWidget()) editor->window()->showMinimized();
        wizard->showMinimized();
        helperWatch_.start();
        return true;
    }

    void ShowAgain() {
        QWidget* wizard = form_->Window();
        if (QWidget* editor = wizard->parentWidget()) editor->window()->showNormal();
        wizard->showNormal();
        wizard->raise();
        wizard->activateWindow();
    }

    QLineEdit* url_ = nullptr;
    win::Messages& messages_;
    win::Launcher launcher_;
    WizardForm* form_ = nullptr;
    std::unique_ptr<wizard::SweepRecording> recording_;
    std::unique_ptr<win::MessageWindow> receiver_;
    std::unique_ptr<ComeBackWatch> comeBack_;
    QTimer helperWatch_;
};

}  // namespace

std::unique_ptr<WizardPageGroup> MakeSweepPages(win::Messages& messages) {
    return std::make_unique<SweepPages>(messages);
}

}  // namespace tessaro
