// The capture function's pages: what to record, how fast to play it back, the window to
// record in and the keys that end the recording.
#include <QListWidget>

#include "editor/commands/form_parts.h"
#include "editor/model/macro_forms/capture_setup.h"
#include "editor/model/wizard/capture_pages.h"
#include "editor/wizard/builder_pages.h"
#include "editor/wizard/page_parts.h"
#include "platform/cp1252.h"
#include "protocol/hotkey_names.h"

namespace tessaro {

namespace {

class CapturePages : public WizardPageGroup {
public:
    std::vector<int> Pages() const override { return {59, 60, 61, 62, 63}; }

    void Build(int page, QWidget* panel, WizardForm&) override {
        switch (page) {
            case 59: Build59(panel); break;
            case 60: Build60(panel); break;
            case 61: Build61(panel); break;
            case 62:
                pages::Heading(panel, "Choose the window of the program you will capture in");
                list_ = new QListWidget(panel);
                list_->setObjectName("P62ProgList");
                pages::Column(panel)->addWidget(list_);
                pages::Check(panel, "P62Specific", "&Make this macro specific to this program only");
                break;
            case 63:
                pages::Heading(panel, "Click the Finish Button to start capturing your macro.");
                pages::Heading(panel, "To end the capture press", "P63StopLabel");
                ownKey_ = pages::Heading(panel, "", "P63OwnKey");
                stopKey_ = pages::Heading(panel, "", "P63StopKey");
                break;
            default: break;
        }
    }

    void Shown(int page, bool firstShowing, WizardForm& form) override {
        if (page == 59 && firstShowing) {
            wizard::Answers presets;
            wizard::LoadCapturePages(form.Context().Config, presets);
            pages::ApplyAnswers(form.Window(), presets);
        }
        if (page == 62 && firstShowing) {
            list_->clear();
            for (const std::string& title : wizard::CaptureWindowTitles(form.Context().desktop))
                list_->addItem(win::ToQt(title));
        }
        if (page == 63) {
            const wizard::Answers a = form.Snapshot();
            ownKey_->setText(win::ToQt(HotKeyNames(a.Index("P3KeyList"))));
            const TGlobData& glob = form.Context().GlobData;
            const int stop = StopMacroNumber(glob);
            stopKey_->setText(stop == 0 ? QString() : win::ToQt(HotKeyNames(glob.ActivationCode[stop])));
        }
        UpdateEnabling();
    }

private:
    void Build59(QWidget* panel) {
        pages::Heading(panel, "Do you wish to capture keystrokes?");
        keysYes_ = pages::Radio(panel, "P59Yes", "&Yes");
        pages::Radio(panel, "P59No", "N&o");
        altKey_ = pages::Check(panel, "P59AltKey", "&You plan to capture the ALT key by invoking a menu");
        altLabel_ = pages::Heading(panel, "Tick this when the recording presses ALT alone to open a menu.",
                                   "P59Label");
        QObject::connect(keysYes_, &QRadioButton::toggled, [this] { UpdateEnabling(); });
    }

    void Build60(QWidget* panel) {
        pages::Heading(panel, "Do you wish to capture the mouse movements and clicks?");
        mouseYes_ = pages::Radio(panel, "P60Yes", "&Yes");
        pages::Radio(panel, "P60No", "N&o");
        pan1_ = pages::Group(panel, "P60Pan1");
        pages::Radio(pan1_, "P60Screen", "&Screen");
        pages::Radio(pan1_, "P60Window", "&Top Most Window");
        pages::Radio(pan1_, "P60Position", "&Last Mouse Position");
        pan2_ = pages::Group(panel, "P60Pan2");
        pages::Radio(pan2_, "P60AllMoves", "C&apture All Mouse Movements");
        pages::Radio(pan2_, "P60CapOnly", "Ca&pture Mouse Movement Only Before A Mouse Click");
        QObject::connect(mouseYes_, &QRadioButton::toggled, [this] { UpdateEnabling(); });
    }

    void Build61(QWidget* panel) {
        pages::Heading(panel, "Do you wish the macro to play back");
        pages::Radio(panel, "P61Fast", "&As fast as possible");
        pages::Radio(panel, "P61Same", "At the same speed as recorded");
        pages::Radio(panel, "P61Two", "At twice the speed as recorded");
        pages::Radio(panel, "P61Four", "At four times the speed as recorded");
        pages::Radio(panel, "P61Ten", "At ten times the speed as recorded");
        pages::Radio(panel, "P61Half", "At half the speed as recorded");
    }

    // The ALT box counts only with keystrokes, the mouse options only with the mouse.
    void UpdateEnabling() {
        if (keysYes_) {
            altKey_->setEnabled(keysYes_->isChecked());
            altLabel_->setEnabled(keysYes_->isChecked());
        }
        if (mouseYes_) {
            for (QWidget* pan : {pan1_, pan2_}) {
                pan->setEnabled(mouseYes_->isChecked());
                pan->setVisible(mouseYes_->isChecked());
            }
        }
    }

    QRadioButton* keysYes_ = nullptr;
    QCheckBox* altKey_ = nullptr;
    QLabel* altLabel_ = nullptr;
    QRadioButton* mouseYes_ = nullptr;
    QWidget* pan1_ = nullptr;
    QWidget* pan2_ = nullptr;
    QListWidget* list_ = nullptr;
    QLabel* ownKey_ = nullptr;
    QLabel* stopKey_ = nullptr;
};

}  // namespace

std::unique_ptr<WizardPageGroup> MakeCapturePages() { return std::make_unique<CapturePages>(); }

}  // namespace tessaro
