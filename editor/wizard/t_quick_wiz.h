#pragma once
// "Quick Wizard": one new macro for one of 29 common tasks, built page by page. The pages
// come from the page groups; the form walks them, checks each on Next and hands the
// answers to FinishUp on the last page.
#include <QDialog>
#include <map>
#include <memory>
#include <vector>

#include "editor/model/commands/command_form.h"
#include "editor/model/wizard/wizard_flow.h"
#include "editor/model/wizard/wizard_outcome.h"
#include "editor/wizard/wizard_pages.h"
#include "macro/schedule_checks.h"
#include "widgets/hot_key_fields.h"

class QLabel;
class QPushButton;
class QStackedWidget;

namespace tessaro {

// A page group that acts when Next leaves one of its pages, or that runs a recording with
// the wizard hidden (the form must neither restart nor close while it runs).
class WizardPageEvents {
public:
    virtual ~WizardPageEvents() = default;
    // After the page passed its checks; false keeps the page on screen.
    virtual bool Leaving(int page, WizardForm& form) = 0;
    // A recording started by the group is running.
    virtual bool Recording() const = 0;
    // The form closes: whatever the group started must end.
    virtual void Closing(WizardForm& form) = 0;
    // The form moves on: a recording still running ends first, complete.
    virtual void EndRecording(WizardForm&) {}
};

// The logo: the function's word, bold blue Arial, centred at the top.
class WizardLogo : public QWidget {
public:
    explicit WizardLogo(QWidget* parent);
    void SetWord(const QString& word, int pointSize);
    const QString& Word() const { return word_; }
    int PointSize() const { return pointSize_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString word_;
    int pointSize_ = 0;
};

class TQuickWiz : public QDialog, public WizardForm, private HotKeyFieldOwner {
    Q_OBJECT
public:
    // `ie4Installed`: the desktop offers the shell's window and folder services that pages
    // 25 and 47 need.
    TQuickWiz(wizard::WizardContext& ctx, WizardHosts hosts, int function, QWidget* parent = nullptr,
              bool ie4Installed = true);
    ~TQuickWiz() override;

    int WizardFunction() const override { return function_; }
    wizard::WizardContext& Context() override { return ctx_; }
    wizard::Answers Snapshot() const override;
    QWidget* Panel(int page) const override;
    QWidget* Window() override { return this; }

    // What the run produced; read after exec().
    const wizard::WizardOutcome& Outcome() const { return outcome_; }
    int CurrentPage() const { return flow_.CurrentPage(); }
    int CurrentIndex() const { return flow_.Index(); }

    WizardLogo* Logo;
    QPushButton *BackButton, *NextButton, *CancelButton;
    // The date the once-only schedule is checked against; today unless a test sets it.
    CalendarDate Today;

    void NextButtonClick();
    void BackButtonClick();
    // A hot key pressed while page 3's entry field has the focus (0..720).
    void WMHotKeyChosen(int code);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormShow();
    void Centre();
    void KeepCentred();
    QSize OuterSize() const;
    void DoTitle();
    void DoFunctions();
    void ShowPanel(wizard::Direction direction);
    bool ValidData();
    bool LeavePage(int page);
    void Finish();
    void FocusControl(const std::string& name);
    QWidget* OnPage(const std::string& name, int page) const;
    void Refuse(const FormError& error);
    bool FinishWouldAccept(int page);
    bool Recording() const;
    void EndRecordings();
    WizardPageGroup* GroupOf(int page) const;
    void HotKeyChosen(int code) override { WMHotKeyChosen(code); }
    void EndHotKeyRouting() override;

    wizard::WizardContext& ctx_;
    win::Messages& messages_;  // the hot-key entry's reports
    int function_;
    wizard::WizardFlow flow_;
    wizard::WizardOutcome outcome_;
    QStackedWidget* pages_;
    std::vector<QWidget*> panels_;  // [0] unused
    std::vector<std::unique_ptr<WizardPageGroup>> groups_;
    std::map<int, WizardPageGroup*> groupOfPage_;
    std::map<int, bool> loaded_;
    std::unique_ptr<HotKeyFields> hotKeys_;
    bool started_ = false;
    QSize centredFrame_;  // the frame's size when the form was last centred
    QPoint centredAt_;    // and where that put the form inside it
};

}  // namespace tessaro
