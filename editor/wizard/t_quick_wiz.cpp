#include "editor/wizard/t_quick_wiz.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "editor/model/macro_forms/hot_key_list.h"
#include "editor/model/wizard/activation_names.h"
#include "editor/model/wizard/activation_pages.h"
#include "editor/model/wizard/wizard_checks.h"
#include "editor/model/wizard/wizard_finish.h"
#include "editor/model/wizard/wizard_functions.h"
#include "editor/wizard/control_binding.h"
#include "widgets/label_text.h"
#include "platform/datetime.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"

namespace tessaro {
namespace {

constexpr int kLogoWidth = 150;

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

WizardLogo::WizardLogo(QWidget* parent) : QWidget(parent) { setObjectName("Logo"); }

void WizardLogo::SetWord(const QString& word, int pointSize) {
    word_ = word;
    pointSize_ = pointSize;
    update();
}

void WizardLogo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QFont font("Arial");
    font.setBold(true);
    if (pointSize_ > 0) font.setPointSize(pointSize_);
    p.setFont(font);
    p.setPen(QColor(0, 0, 255));
    const int x = (width() - p.fontMetrics().horizontalAdvance(word_)) / 2;
    p.drawText(x, 10 + p.fontMetrics().ascent(), word_);
}

TQuickWiz::TQuickWiz(wizard::WizardContext& ctx, WizardHosts hosts, int function, QWidget* parent,
                     bool ie4Installed)
    : QDialog(parent), ctx_(ctx), messages_(hosts.messages), function_(function), flow_(function, false) {
    setObjectName("QuickWiz");
    setWindowTitle("Quick Wizard");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont font("Arial");
    font.setPixelSize(13);
    setFont(font);
    resize(573, 344);
    const win::DateTimeParts now = win::DecodeDateTime(win::Now());
    Today = {now.year, now.month, now.day};

    auto* logoPanel = new QWidget(this);
    logoPanel->setObjectName("LogoPanel");
    logoPanel->setFixedWidth(kLogoWidth);
    Logo = new WizardLogo(logoPanel);
    auto* logoLayout = new QVBoxLayout(logoPanel);
    logoLayout->setContentsMargins(0, 0, 0, 0);
    logoLayout->addWidget(Logo);

    pages_ = new QStackedWidget(this);
    panels_.assign(wizard::kPageCount + 1, nullptr);
    for (int page = 1; page <= wizard::kPageCount; ++page) {
        auto* panel = new QWidget;
        panel->setObjectName(QString("Panel%1").arg(page));
        panel->setEnabled(false);
        pages_->addWidget(panel);
        panels_[static_cast<size_t>(page)] = panel;
    }

    auto* sequence = new QWidget(this);
    sequence->setObjectName("SequencePanel");
    BackButton = new QPushButton("< &Back", sequence);
    BackButton->setObjectName("BackButton");
    NextButton = new QPushButton("&Next >", sequence);
    NextButton->setObjectName("NextButton");
    NextButton->setDefault(true);
    CancelButton = new QPushButton("&Cancel", sequence);
    CancelButton->setObjectName("CancelButton");
    auto* buttons = new QHBoxLayout(sequence);
    buttons->addStretch(1);
    buttons->addWidget(BackButton);
    buttons->addWidget(NextButton);
    buttons->addSpacing(12);
    buttons->addWidget(CancelButton);
    connect(BackButton, &QPushButton::clicked, this, &TQuickWiz::BackButtonClick);
    connect(NextButton, &QPushButton::clicked, this, &TQuickWiz::NextButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* body = new QHBoxLayout;
    body->addWidget(logoPanel);
    body->addWidget(pages_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(sequence);

    groups_ = MakeWizardPageGroups(hosts);
    for (auto& group : groups_) {
        for (int page : group->Pages()) {
            if (page < 1 || page > wizard::kPageCount || groupOfPage_.count(page)) continue;
            groupOfPage_[page] = group.get();
            group->Build(page, panels_[static_cast<size_t>(page)], *this);
        }
    }
    WriteControls(this, wizard::CreationPresets(Today, ctx_.Config.FirstUse, ie4Installed));
}

TQuickWiz::~TQuickWiz() = default;

wizard::Answers TQuickWiz::Snapshot() const { return ReadControls(this); }

QWidget* TQuickWiz::Panel(int page) const {
    if (page < 1 || page > wizard::kPageCount) return nullptr;
    return panels_[static_cast<size_t>(page)];
}

WizardPageGroup* TQuickWiz::GroupOf(int page) const {
    const auto it = groupOfPage_.find(page);
    return it == groupOfPage_.end() ? nullptr : it->second;
}

bool TQuickWiz::Recording() const {
    for (const auto& group : groups_)
        if (auto* events = dynamic_cast<const WizardPageEvents*>(group.get()); events && events->Recording())
            return true;
    return false;
}

void TQuickWiz::EndRecordings() {
    for (auto& group : groups_)
        if (auto* events = dynamic_cast<WizardPageEvents*>(group.get()); events && events->Recording())
            events->EndRecording(*this);
}

void TQuickWiz::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!Recording() && !started_) FormShow();
}

void TQuickWiz::FormShow() {
    started_ = true;
    // One size for every page, what they ask for as the form first shows: a page showing
    // more of itself later must not widen the form off the centre it was put on.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    setFixedSize(size().expandedTo(minimumSizeHint()));
    Centre();
    hotKeys_ = std::make_unique<HotKeyFields>(messages_, *this, static_cast<HotKeyFieldOwner&>(*this));
    if (auto* entry = Control<QLineEdit>(wizard::kP3HotKeyEntry)) hotKeys_->AddField(*entry);
    DoTitle();
    DoFunctions();
    const bool bypass = ctx_.Config.BypassWizardScreen && function_ != wizard::kFirstUseFunction;
    flow_ = wizard::WizardFlow(function_, bypass);
    if (bypass)
        if (auto* box = Control<QAbstractButton>(wizard::kP1Bypass)) box->setChecked(true);
    ShowPanel(wizard::Direction::Forward);
}

// The form with its frame, as far as the window system has told the frame yet (while it
// learns it, it may answer less than the form itself).
QSize TQuickWiz::OuterSize() const { return frameGeometry().size().expandedTo(size()); }

void TQuickWiz::Centre() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect s = screen->geometry();
    centredFrame_ = OuterSize();
    move(s.x() + (s.width() - centredFrame_.width()) / 2, s.y() + (s.height() - centredFrame_.height()) / 2);
    centredAt_ = geometry().topLeft();
}

// A window manager frames the form only once it is mapped: when the frame has come to be
// known since, the form is centred again with it, unless the user has moved it.
void TQuickWiz::KeepCentred() {
    if (started_ && geometry().topLeft() == centredAt_ && OuterSize() != centredFrame_) Centre();
}

bool TQuickWiz::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) KeepCentred();
    return QDialog::event(event);
}

void TQuickWiz::DoTitle() {
    const wizard::FunctionInfo* f = wizard::Function(function_);
    if (!f) return;
    setWindowTitle(Q(wizard::Caption(function_)));
    Logo->SetWord(Q(f->logoWord), f->logoSize);
    if (function_ == 20)
        if (auto* heading = Control<QLabel>("P33Heading"))
            heading->setText(
                "Enter the title of the window of the program you wish to move or resize. The \"title\" "
                "is what appears in the blue caption bar at the top of a window.  A partial title may "
                "be entered.");
}

void TQuickWiz::DoFunctions() {
    const wizard::FunctionInfo* f = wizard::Function(function_);
    if (!f) return;
    if (auto* functions = Control<QLabel>(wizard::kP1Functions)) functions->setText(Q(f->description));
    if (auto* examples = Control<QLabel>(wizard::kP1Examples))
        examples->setText(CaptionShown(Q(wizard::ExamplesText(function_))));
}

void TQuickWiz::ShowPanel(wizard::Direction direction) {
    if (flow_.Empty()) return;
    flow_.Settle(direction, Snapshot(), wizard::MenusExist(ctx_.GlobData));
    const int page = flow_.CurrentPage();
    for (int p = 1; p <= wizard::kPageCount; ++p) panels_[static_cast<size_t>(p)]->setEnabled(p == page);
    pages_->setCurrentWidget(panels_[static_cast<size_t>(page)]);
    if (WizardPageGroup* group = GroupOf(page)) {
        const bool first = !loaded_[page];
        loaded_[page] = true;
        group->Shown(page, first, *this);
    }
    BackButton->setEnabled(flow_.BackEnabled());
    NextButton->setText(flow_.NextCaption());
    KeepCentred();
}

QWidget* TQuickWiz::OnPage(const std::string& name, int page) const {
    QWidget* panel = Panel(page);
    QWidget* w = name.empty() ? nullptr : Control<QWidget>(name);
    return panel && w && panel->isAncestorOf(w) ? w : nullptr;
}

// Only a control on the page on screen takes the focus: a hidden one would swallow the keys.
void TQuickWiz::FocusControl(const std::string& name) {
    if (QWidget* w = OnPage(name, flow_.CurrentPage())) w->setFocus();
}

void TQuickWiz::Refuse(const FormError& error) {
    win::MessageBox(error.message, "Error", win::MbButtons::Ok, win::MbIcon::Error);
    FocusControl(error.focus);
}

// What Finish would refuse in an entry of this page is refused on its Next, where it can
// be mended.
bool TQuickWiz::FinishWouldAccept(int page) {
    for (const FormError& fault : wizard::FinishRefusals(function_, Snapshot(), ctx_))
        if (OnPage(fault.focus, page)) {
            Refuse(fault);
            return false;
        }
    return true;
}

bool TQuickWiz::ValidData() {
    const int page = flow_.CurrentPage();
    wizard::Answers answers = Snapshot();
    if (page == 3 && answers.Checked(wizard::kP2HotKey) && answers.Index(wizard::kP3KeyList) >= 0)
        if (auto* global = Control<QWidget>(wizard::kP7Global)) global->setEnabled(true);
    wizard::CheckEnv env{Today, GlobalHotKeysUsed(ctx_.GlobData, true), {}};
    for (int n = 1; n <= ctx_.GlobData.MacroCount && n <= kMaxMacros; ++n)
        env.nicknames.push_back(ctx_.Config.MacroNicknames[static_cast<size_t>(n)].str());
    const wizard::PageCheck check = wizard::ValidData(page, function_, answers, env);
    switch (check.verdict) {
        case wizard::Verdict::Pass: return FinishWouldAccept(page);
        case wizard::Verdict::Fail: Refuse(check.error); return false;
        case wizard::Verdict::AskGlobal: {
            if (win::MessageBox(wizard::kGlobalTakenQuestion, "Warning", win::MbButtons::YesNo,
                                win::MbIcon::Warning) != win::MbResult::Yes)
                return false;
            wizard::LeaveGlobalScope(answers);
            wizard::Answers scope;
            for (const char* name : {wizard::kP7Global, wizard::kP7SpecProg, wizard::kP7SpecWin})
                scope.Set(name) = answers.Get(name);
            WriteControls(this, scope);
            return true;
        }
    }
    return false;
}

bool TQuickWiz::LeavePage(int page) {
    auto* events = dynamic_cast<WizardPageEvents*>(GroupOf(page));
    return !events || events->Leaving(page, *this);
}

void TQuickWiz::NextButtonClick() {
    EndRecordings();
    if (flow_.Empty() || !ValidData() || !LeavePage(flow_.CurrentPage())) return;
    if (flow_.OnLastPage()) {
        Finish();
        return;
    }
    flow_.Step(wizard::Direction::Forward, Snapshot(), wizard::MenusExist(ctx_.GlobData));
    ShowPanel(wizard::Direction::Forward);
}

void TQuickWiz::BackButtonClick() {
    EndRecordings();
    if (!flow_.BackEnabled()) return;
    flow_.Step(wizard::Direction::Backward, Snapshot(), wizard::MenusExist(ctx_.GlobData));
    ShowPanel(wizard::Direction::Backward);
}

void TQuickWiz::Finish() {
    auto result = wizard::FinishUp(function_, Snapshot(), ctx_);
    if (auto* error = std::get_if<FormError>(&result)) {
        if (!error->message.empty())
            Refuse(*error);
        else
            FocusControl(error->focus);
        return;
    }
    outcome_ = std::get<wizard::WizardOutcome>(result);
    accept();
}

void TQuickWiz::WMHotKeyChosen(int code) {
    auto* list = Control<QListWidget>(wizard::kP3KeyList);
    auto* entry = Control<QLineEdit>(wizard::kP3HotKeyEntry);
    if (!list || code < 0 || code >= list->count()) return;
    list->setCurrentRow(code);
    if (entry) entry->setText(Q(HotKeyNames(code)));
}

void TQuickWiz::EndHotKeyRouting() {
    // The group of page 3 routes the keys while its entry field has the focus.
    if (auto* events = dynamic_cast<WizardPageEvents*>(GroupOf(3))) events->Closing(*this);
}

void TQuickWiz::done(int result) {
    for (auto& group : groups_)
        if (auto* events = dynamic_cast<WizardPageEvents*>(group.get())) events->Closing(*this);
    QDialog::done(result);
}

}  // namespace tessaro
