// The first-use function's pages: welcome, abbreviation, capture, e-mail and network
// settings, and the wizards to run afterwards.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>

#include "editor/commands/form_parts.h"
#include "editor/model/wizard/combined_pages.h"
#include "editor/model/wizard/first_use.h"
#include "editor/wizard/builder_pages.h"
#include "editor/wizard/page_parts.h"

namespace tessaro {

namespace {

class FirstUsePages : public WizardPageGroup {
public:
    std::vector<int> Pages() const override { return {65, 66, 67, 68, 69, 70, 74}; }

    void Build(int page, QWidget* panel, WizardForm& form) override {
        switch (page) {
            case 65: {
                pages::Heading(panel, "Welcome to Tessaro!");
                QCheckBox* show = pages::Check(panel, "P65Show", "Do not show this on program startup.");
                // Only the user's click counts: the presets set the box without saving.
                QObject::connect(show, &QCheckBox::clicked, panel,
                                 [&form](bool on) { wizard::P65ShowClick(form.Context(), on); });
                break;
            }
            case 66: {
                pages::Heading(panel, "Snipra Settings");
                pages::Check(panel, "P66UsePrefix", "Use &Prefix Keys");
                pages::Column(panel)->addWidget(parts::Edit(panel, "P66PrefixKeys", 2));
                pages::Check(panel, "P66CaseSense", "Case &Sensitive");
                pages::Check(panel, "P66Solitary", "&Solitary Usage");
                break;
            }
            case 67: Build67(panel); break;
            case 68:
                pages::Heading(panel, "Networking");
                pages::Check(panel, "P68Network", "&Enable Network Mode");
                break;
            case 69:
                pages::Heading(panel, "Check off those items for which you would like to create a macro");
                for (const wizard::FollowUp& f : wizard::kFollowUps)
                    pages::Check(panel, f.control.data(), f.caption);
                break;
            case 70:
                pages::Heading(panel,
                               "Before we begin, here is a partial list of some of the things you can do "
                               "with Tessaro...");
                Build70(panel);
                break;
            case 74: Build74(panel); break;
            default: break;
        }
    }

    void Shown(int page, bool firstShowing, WizardForm& form) override {
        if (page == 65 && firstShowing) {
            wizard::Answers presets;
            wizard::LoadFirstUsePages(form.Context().Config, presets);
            pages::ApplyAnswers(form.Window(), presets);
            EnableDisable();
        }
    }

private:
    void Build67(QWidget* panel) {
        pages::Heading(panel, "Macro Capture Options");
        doKey_ = pages::Check(panel, "P67DoKey", "Capture &Keystrokes");
        doMouse_ = pages::Check(panel, "P67DoMouse", "Capture &Mouse Relative To");
        relative_ = pages::Group(panel, "P67RelativePanel");
        pages::Radio(relative_, "P67ToScreen", "&Screen");
        pages::Radio(relative_, "P67ToWindow", "&Window");
        pages::Radio(relative_, "P67ToPosition", "Positio&n");
        pages::Check(relative_, "P67ClicksOnly",
                     "Capture Mouse Movements Onl&y In Relation With A Mouse Click");
        doTime_ = pages::Check(panel, "P67DoTime", "Captur&e At");
        speeds_ = pages::Group(panel, "P67SpeedPanel");
        pages::Radio(speeds_, "P67ActualSpeed", "&Actual Speed");
        pages::Radio(speeds_, "P67HalfSpeed", "&Half Speed");
        pages::Radio(speeds_, "P67DoubleSpeed", "Do&uble Speed");
        pages::Radio(speeds_, "P67QuadSpeed", "&Quadruple Speed");
        for (QCheckBox* box : {doKey_, doMouse_, doTime_})
            QObject::connect(box, &QCheckBox::toggled, [this] { EnableDisable(); });
        EnableDisable();
    }

    // Two columns of things the program does; the lists come with the creation presets.
    void Build70(QWidget* panel) {
        auto* columns = new QHBoxLayout;
        for (const char* name : {"P70Lab1", "P70Lab2"}) {
            auto* list = new QLabel(panel);
            list->setObjectName(name);
            list->setTextFormat(Qt::PlainText);
            list->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            columns->addWidget(list, 1);
        }
        pages::Column(panel)->addLayout(columns);
    }

    void Build74(QWidget* panel) {
        pages::Heading(panel, "Default E-Mail Settings");
        auto* grid = new QGridLayout;
        const struct {
            const char* name;
            const char* caption;
            int length;
        } fields[] = {{"P74Host", "SMTP &Host", 50},
                      {"P74Port", "&Port", 5},
                      {"P74Name", "Your &Name", 50},
                      {"P74Address", "Your E-Mail &Address", 50}};
        int row = 0;
        for (const auto& f : fields) {
            QLineEdit* edit = parts::Edit(panel, f.name, f.length);
            grid->addWidget(parts::Label(panel, f.caption, edit), row, 0);
            grid->addWidget(edit, row++, 1);
        }
        pages::Column(panel)->addLayout(grid);
    }

    // The mouse options count only with the mouse, the speeds only with timing.
    void EnableDisable() {
        if (!doMouse_) return;
        relative_->setEnabled(doMouse_->isChecked());
        speeds_->setEnabled(doTime_->isChecked());
    }

    QCheckBox* doKey_ = nullptr;
    QCheckBox* doMouse_ = nullptr;
    QCheckBox* doTime_ = nullptr;
    QWidget* relative_ = nullptr;
    QWidget* speeds_ = nullptr;
};

}  // namespace

std::unique_ptr<WizardPageGroup> MakeFirstUsePages() { return std::make_unique<FirstUsePages>(); }

}  // namespace tessaro
