#pragma once
// A stand-in for the wizard form for one page group: a window holding numbered panels,
// with the group's pages built on them and the context of a temporary program folder.
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "editor/wizard/wizard_pages.h"
#include "tests/editor/model/wizard/misc_rig.h"
#include "tests/support/qt_app.h"

namespace tessaro::testing {

class MiscForm : public WizardForm {
public:
    explicit MiscForm(std::unique_ptr<WizardPageGroup> group) : group_(std::move(group)) { Build(); }
    // A group that works on the rig's simulated desktop.
    explicit MiscForm(const std::function<std::unique_ptr<WizardPageGroup>(win::Platform&)>& make) {
        group_ = make(rig.platform);
        Build();
    }

    int WizardFunction() const override { return 0; }
    wizard::WizardContext& Context() override { return rig.ctx; }
    wizard::Answers Snapshot() const override { return {}; }
    QWidget* Panel(int page) const override { return panels_.at(page); }
    QWidget* Window() override { return window_.get(); }

    WizardPageGroup& group() { return *group_; }
    void Show(int page, bool first = true) { group_->Shown(page, first, *this); }

    MiscRig rig;

private:
    void Build() {
        EnsureQtApplication();
        window_ = std::make_unique<QWidget>();
        window_->resize(573, 344);
        auto* layout = new QVBoxLayout(window_.get());
        // The activation tail's choices a page may preset.
        for (const char* name : {"P2HotKey", "P2None", "P7Global", "P7SpecWin"}) {
            auto* b = new QRadioButton(name, window_.get());
            b->setObjectName(name);
            b->setAutoExclusive(false);
            layout->addWidget(b);
        }
        for (int page : group_->Pages()) {
            panels_[page] = new QWidget(window_.get());
            layout->addWidget(panels_[page]);
            group_->Build(page, panels_[page], *this);
        }
        window_->show();
    }

    std::unique_ptr<QWidget> window_;
    std::map<int, QWidget*> panels_;
    std::unique_ptr<WizardPageGroup> group_;
};

}  // namespace tessaro::testing
