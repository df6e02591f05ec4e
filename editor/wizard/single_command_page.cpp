#include "editor/commands/form_parts.h"
#include "editor/wizard/single_command_page.h"

#include <QLineEdit>
#include <QPushButton>

#include "editor/model/wizard/single_command.h"
#include "editor/script/line_ops.h"
#include "editor/script/script_writer.h"
#include "editor/script/ui/script_editor_services.h"
#include "editor/wizard/page_parts.h"
#include "platform/cp1252.h"

namespace tessaro {

namespace {

class SingleCommandPages : public WizardPageGroup {
public:
    explicit SingleCommandPages(ScriptEditorServices& services) : services_(services) {}

    std::vector<int> Pages() const override { return {53, 54, 55, 56, 57, 58}; }

    void Build(int page, QWidget* panel, WizardForm& form) override {
        if (page == 53) {
            pages::Heading(panel, "What type of macro command would you like?");
            for (const wizard::CommandType& t : wizard::CommandTypes())
                pages::Radio(panel, t.control.data(), win::ToQt(t.caption))->setChecked(t.page == 54);
        } else if (page >= 54 && page <= 57) {
            pages::Heading(panel, "Choose a macro command");
            bool first = true;
            for (const wizard::CommandChoice& c : wizard::CommandChoicesOf(page)) {
                pages::Radio(panel, c.control.data(), win::ToQt(c.caption))->setChecked(first);
                first = false;
            }
        } else if (page == 58) {
            pages::Heading(panel, "Macro Command");
            command_ = new QLineEdit(panel);
            command_->setObjectName("P58Command");
            command_->setReadOnly(true);
            pages::Column(panel)->addWidget(command_);
            auto* choose = new QPushButton("C&hoose Final Macro Command", panel);
            choose->setObjectName("P58Choose");
            pages::Column(panel)->addWidget(choose);
            QObject::connect(choose, &QPushButton::clicked, [this, &form] { Choose(form); });
        }
    }

    void Shown(int, bool, WizardForm&) override {}

private:
    // Every press replaces the command; a cancelled dialog leaves none.
    void Choose(WizardForm& form) {
        command_->clear();
        const int code = wizard::ChosenCommandCode(form.Snapshot());
        if (code == 0) return;
        ScriptList made;
        CommandRequest request(code, true, AddStyle::AtEnd, -1);
        request.AllowTextEdit = false;  // a text file is not edited as lines from here
        if (!services_.EditCommand(form.Window(), made, request).Changed) return;
        // A text box without a header makes no command here.
        for (const ScriptLine& line : made.Lines)
            if (const auto* box = std::get_if<TWTextRec>(&line.Record); box && box->Title.empty()) return;
        const ScriptTextResult text = BuildMacroText(made.Lines);
        if (text.ok) command_->setText(win::ToQt(text.text));
    }

    ScriptEditorServices& services_;
    QLineEdit* command_ = nullptr;
};

}  // namespace

std::unique_ptr<WizardPageGroup> MakeSingleCommandPages(ScriptEditorServices& services) {
    return std::make_unique<SingleCommandPages>(services);
}

}  // namespace tessaro
