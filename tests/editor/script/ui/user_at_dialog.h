#pragma once
// Plays the user at each command dialog a command editor runs: notes which dialog came up,
// fills what a command cannot do without, confirms until the dialog closes (or gives up)
// and keeps the command text the dialog built.
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "editor/commands/command_dialog.h"
#include "editor/script/ui/command_editors.h"
#include "editor/script/ui/do_text_insert.h"

namespace tessaro::testing {

class UserAtDialog final : public CommandDialogRunner {
public:
    bool confirm = true;
    // Where OK is refused, the control the refusal focused gets a plausible value (an
    // existing file, then numbers, then text) and OK again; false: OK once, as it came up.
    bool retry = true;
    std::string file;
    // Control name -> text put in before OK, for the fields a line cannot do without.
    std::vector<std::pair<QString, QString>> prefill;
    std::vector<std::string> shown;  // the class of each dialog, in order
    std::string built;
    std::function<void(QDialog&)> look;  // sees the dialog as it came up

    void Run(QDialog& dlg) override {
        shown.push_back(ClassOf(dlg));
        built.clear();
        dlg.show();
        QCoreApplication::processEvents();
        if (look) look(dlg);
        if (!confirm) {
            dlg.reject();
            return;
        }
        for (const auto& [name, text] : prefill) {
            if (auto* e = dlg.findChild<QLineEdit*>(name)) e->setText(text);
            if (auto* t = dlg.findChild<QPlainTextEdit*>(name)) t->setPlainText(text);
            if (auto* t = dlg.findChild<QTextEdit*>(name)) t->setPlainText(text);
        }
        std::map<QWidget*, int> tries;
        for (int attempt = 0; attempt < (retry ? 12 : 1) && dlg.isVisible(); ++attempt) {
            if (attempt > 0) Fill(dlg.focusWidget(), tries);
            // The keystroke editor confirms with Update; its "ok" inserts a symbol.
            auto* ok = dlg.findChild<QPushButton*>("UpdateButton");
            if (ok == nullptr) ok = dlg.findChild<QPushButton*>("OkButton");
            if (ok != nullptr) ok->click();
            QCoreApplication::processEvents();
        }
        if (dlg.isVisible()) dlg.reject();
        if (auto* c = qobject_cast<CommandDialog*>(&dlg)) built = c->CommandText;
        if (auto* t = qobject_cast<TDoTextInsert*>(&dlg)) built = t->CommandText;
    }

    static std::string ClassOf(const QDialog& dlg) {
        const std::string name = dlg.metaObject()->className();
        return name.substr(name.rfind(':') == std::string::npos ? 0 : name.rfind(':') + 1);
    }

private:
    void Fill(QWidget* w, std::map<QWidget*, int>& tries) {
        if (w == nullptr) return;
        const int n = tries[w]++;
        const QString values[] = {QString::fromStdString(file), "1", "5", "Text"};
        const QString value = values[n % 4];
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(value);
        if (auto* t = qobject_cast<QPlainTextEdit*>(w)) t->setPlainText("Text");
        if (auto* t = qobject_cast<QTextEdit*>(w)) t->setPlainText("Text");
        if (auto* l = qobject_cast<QListWidget*>(w)) {
            if (l->count() == 0) l->addItem(value);
            l->setCurrentRow(0);
        }
        if (auto* c = qobject_cast<QComboBox*>(w)) {
            if (c->count() > 0) c->setCurrentIndex(0);
            if (c->isEditable()) c->setEditText(value);
        }
    }
};

}  // namespace tessaro::testing
