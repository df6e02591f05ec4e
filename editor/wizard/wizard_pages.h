#pragma once
// The quick wizard's 83 pages come in groups, each in its own file: a group builds the
// controls of its pages (object names as the model reads them, "P14MyMemo") and answers
// their events. The form owns the panels, the flow and the buttons.
#include <QWidget>
#include <memory>
#include <string_view>
#include <vector>

#include "editor/model/wizard/wizard_answers.h"
#include "editor/model/wizard/wizard_context.h"

namespace win {
class Messages;
class Printers;
class SystemSettings;
}  // namespace win

namespace tessaro {

class CommandDialogRunner;
class RecipientPathEditor;
class ScriptEditorServices;

// The editor's dialogs some pages open: the command dialogs of the single-command page
// (as the script editor opens them) and the recipient list of the e-mail pages; and the
// desktop's services the pages use.
struct WizardHosts {
    ScriptEditorServices& commands;
    RecipientPathEditor& recipients;
    CommandDialogRunner& runner;
    win::Messages& messages;       // the hot-key entry's reports, the sweep's recording
    win::Printers& printers;       // page 15
    win::SystemSettings& display;  // page 16
};

// What a page group may ask of the wizard form.
class WizardForm {
public:
    virtual ~WizardForm() = default;
    virtual int WizardFunction() const = 0;
    virtual wizard::WizardContext& Context() = 0;
    // Every named control's state as it stands now.
    virtual wizard::Answers Snapshot() const = 0;
    // The panel of page 1..83.
    virtual QWidget* Panel(int page) const = 0;
    // The form itself: owner of dialogs and message boxes.
    virtual QWidget* Window() = 0;

    // A control of any page by its object name; nullptr when there is none.
    template <class W>
    W* Control(std::string_view name) const {
        return const_cast<WizardForm*>(this)->Window()->template findChild<W*>(
            QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
};

class WizardPageGroup {
public:
    virtual ~WizardPageGroup() = default;
    // The page numbers this group builds.
    virtual std::vector<int> Pages() const = 0;
    // Creates the controls of `page` on its panel; called once, when the form is made.
    virtual void Build(int page, QWidget* panel, WizardForm& form) = 0;
    // The page is about to show: loaders on its first showing, the controls that depend
    // on earlier answers, the focus.
    virtual void Shown(int page, bool firstShowing, WizardForm& form) = 0;
};

// One factory per group file; page_groups.cpp lists them.
std::unique_ptr<WizardPageGroup> MakeActivationPages();                    // 1-3, 7-10, 37
std::unique_ptr<WizardPageGroup> MakeMenuPages();                          // 50-52
std::unique_ptr<WizardPageGroup> MakeCombinedPages();                      // 64
std::unique_ptr<WizardPageGroup> MakeSweepPages(win::Messages& messages);  // 71-73
std::vector<std::unique_ptr<WizardPageGroup>> MakeWizardPageGroups(WizardHosts& hosts);

}  // namespace tessaro
