#include "editor/wizard/activation_pages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/model/macro_forms/hot_key_list.h"
#include "editor/model/macro_forms/macro_icon.h"
#include "editor/model/macro_forms/schedule_panels.h"
#include "editor/model/macro_forms/spec_wind.h"
#include "editor/model/macro_forms/window_routing.h"
#include "editor/model/wizard/activation_names.h"
#include "editor/model/wizard/activation_pages.h"
#include "editor/wizard/control_binding.h"
#include "editor/wizard/page_parts.h"
#include "editor/wizard/t_quick_wiz.h"
#include "foundation/settings.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "protocol/hotkey_names.h"
#include "widgets/file_chooser.h"
#include "widgets/kept_text.h"

namespace tessaro {
namespace {

using namespace wizard;

constexpr int kPeerMiscSettings = 15;

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }
QString N(const char* name) { return QString::fromLatin1(name); }

template <class W>
W* Named(W* w, const char* name) {
    w->setObjectName(N(name));
    return w;
}

QLabel* Heading(const char* text, QWidget* panel) {
    return pages::HeadingLabel(panel, QString::fromUtf8(text));
}

using pages::ShowAll;

// Page 10's icon button: its state is the name of the chosen icon in the Icons folder,
// empty while the standard one is shown.
class IconButton : public QPushButton, public BoundControl {
public:
    using QPushButton::QPushButton;
    std::string iconName;
    void ReadState(ControlState& state) const override { state.text = iconName; }
    void WriteState(const ControlState& state) override { iconName = state.text; }
};

class ActivationPages : public WizardPageGroup, public WizardPageEvents, public QObject {
public:
    std::vector<int> Pages() const override { return {1, 2, 3, 7, 8, 9, 10, 37}; }

    void Build(int page, QWidget* panel, WizardForm& form) override {
        form_ = &form;
        auto* v = new QVBoxLayout(panel);
        switch (page) {
            case 1: BuildPage1(panel, v); break;
            case 2: BuildPage2(panel, v); break;
            case 3: BuildPage3(panel, v); break;
            case 7: BuildPage7(panel, v); break;
            case 8: BuildPage8(panel, v); break;
            case 9: BuildPage9(panel, v); break;
            case 10: BuildPage10(panel, v); break;
            case 37: BuildPage37(panel, v); break;
            default: break;
        }
        v->addStretch(1);
    }

    void Shown(int page, bool first, WizardForm& form) override {
        switch (page) {
            case 3: ShowPage3(first, form); break;
            case 8: ShowPage8(first, form); break;
            case 9:
                if (first) LoadP9(form);
                break;
            case 10:
                if (first) LoadP10(form);
                nick_->setFocus();
                break;
            case 37: title37_->setFocus(); break;
            default: break;
        }
    }

    bool Leaving(int, WizardForm&) override { return true; }
    bool Recording() const override { return false; }
    void Closing(WizardForm& form) override { RouteHotKeys(form, false); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == hotKeyEntry_ && form_) {
            if (event->type() == QEvent::FocusIn) RouteHotKeys(*form_, true);
            if (event->type() == QEvent::FocusOut) RouteHotKeys(*form_, false);
        }
        return false;
    }

private:
    void BuildPage1(QWidget* panel, QVBoxLayout* v) {
        v->addWidget(Heading("Functions", panel));
        auto* functions = Named(new QLabel(panel), kP1Functions);
        functions->setWordWrap(true);
        v->addWidget(functions);
        v->addWidget(Heading("Examples", panel));
        auto* examples = Named(new QLabel(panel), kP1Examples);
        examples->setWordWrap(true);
        examples->setTextFormat(Qt::PlainText);
        v->addWidget(examples, 1);
        auto* bypass = Named(new QCheckBox("Bypass this &Function and Example screen", panel), kP1Bypass);
        v->addWidget(bypass);
        QObject::connect(bypass, &QCheckBox::clicked, [this](bool on) { P1BypassClick(on); });
    }

    void P1BypassClick(bool on) {
        WizardContext& ctx = form_->Context();
        ctx.Config.BypassWizardScreen = on;
        SaveMiscSettings(ctx.Config);
        if (ctx.notify) ctx.notify(kPeerMiscSettings, 0);
    }

    void BuildPage2(QWidget* panel, QVBoxLayout* v) {
        v->addWidget(Heading("Choose a method to activate the macro", panel));
        const std::pair<const char*, const char*> choices[] = {{kP2HotKey, "&Hot Key"},
                                                               {kP2Snipra, "&Snipra"},
                                                               {kP2Timed, "&Timed Schedule"},
                                                               {kP2None, "&None"},
                                                               {kP2Title, "&Window Title Appears"}};
        for (const auto& [name, caption] : choices)
            v->addWidget(Named(new QRadioButton(caption, panel), name));
    }

    QLineEdit* SpinField(const char* name, SpinBox box, int digits, QWidget* parent, QHBoxLayout* row) {
        auto* edit = Named(new QLineEdit(parent), name);
        LimitTyping(*edit, digits);
        edit->setFixedWidth(48);
        row->addWidget(edit);
        auto* up = new QToolButton(parent);
        up->setArrowType(Qt::UpArrow);
        auto* down = new QToolButton(parent);
        down->setArrowType(Qt::DownArrow);
        up->setObjectName(QString::fromLatin1(name) + "Up");
        down->setObjectName(QString::fromLatin1(name) + "Down");
        row->addWidget(up);
        row->addWidget(down);
        QObject::connect(up, &QToolButton::clicked,
                         [edit, box] { edit->setText(Q(SpinStep(box, edit->text().toStdString(), +1))); });
        QObject::connect(down, &QToolButton::clicked,
                         [edit, box] { edit->setText(Q(SpinStep(box, edit->text().toStdString(), -1))); });
        return edit;
    }

    void TimeRow(int panel, QWidget* parent, QHBoxLayout* row) {
        row->addWidget(new QLabel("At", parent));
        auto* hour = Named(new QLineEdit(parent), kHourBoxes[panel]);
        LimitTyping(*hour, 2);
        hour->setFixedWidth(32);
        auto* minute = Named(new QLineEdit(parent), kMinuteBoxes[panel]);
        LimitTyping(*minute, 2);
        minute->setFixedWidth(32);
        auto* pm = Named(new QComboBox(parent), kPmBoxes[panel]);
        pm->addItems({"AM", "PM"});
        row->addWidget(hour);
        row->addWidget(new QLabel(":", parent));
        row->addWidget(minute);
        row->addWidget(pm);
    }

    // A kind's time panel: its own fields on a first row, the time of day, where it has
    // one, on a second, so the widest kind fits the page.
    QWidget* SchedulePanel(const char* name, QWidget* parent) {
        auto* w = new QWidget(parent);
        w->setObjectName(N(name));
        auto* rows = new QVBoxLayout(w);
        rows->setContentsMargins(0, 0, 0, 0);
        rows->addLayout(new QHBoxLayout);
        w->hide();
        return w;
    }

    void BuildPage3(QWidget* panel, QVBoxLayout* v) {
        keyLabel_ = new QLabel("Choose a hot key from the list or press the keys in the field below", panel);
        keyLabel_->setWordWrap(true);
        keyList_ = Named(new QListWidget(panel), kP3KeyList);
        keyList_->setItemDelegate(new TwoColumnDelegate(TwoColumnDelegate::Split::HotKeyRemark, keyList_));
        entryLabel_ = new QLabel("Hot Key:", panel);
        hotKeyEntry_ = Named(new QLineEdit(panel), kP3HotKeyEntry);
        hotKeyEntry_->setReadOnly(true);
        hotKeyEntry_->installEventFilter(this);
        // The chosen key is the selected row: the list's focus alone makes a row current.
        QObject::connect(keyList_, &QListWidget::itemSelectionChanged, [this] {
            const QList<QListWidgetItem*> chosen = keyList_->selectedItems();
            if (!chosen.empty()) hotKeyEntry_->setText(Q(HotKeyNames(keyList_->row(chosen.front()))));
        });
        snipraLabel_ = new QLabel("Snipra Name", panel);
        snipraName_ = Named(new QLineEdit(panel), kP3SnipraName);
        LimitTyping(*snipraName_, 10);
        v->addWidget(keyLabel_);
        v->addWidget(keyList_, 1);
        v->addWidget(entryLabel_);
        v->addWidget(hotKeyEntry_);
        v->addWidget(snipraLabel_);
        v->addWidget(snipraName_);

        sched1Panel_ = new QWidget(panel);
        sched1Panel_->setObjectName("Sched1Panel");
        sched1Panel_->hide();  // until page 3 shows what its activation asks for
        auto* kinds = new QGridLayout(sched1Panel_);
        const char* captions[] = {"&At Startup", "&Once",    "&Hourly", "&Daily",
                                  "&Weekly",     "&Monthly", "O&ther",  "&Time Out"};
        auto* group = new QButtonGroup(sched1Panel_);
        for (int k = 0; k < 8; ++k) {
            auto* b = Named(new QRadioButton(captions[k], sched1Panel_), kScheduleKinds[k]);
            group->addButton(b, k);
            kinds->addWidget(b, k / 4, k % 4);
            QObject::connect(b, &QRadioButton::toggled, [this, k](bool on) {
                if (on) ShowKind(k);
            });
        }
        const char* panelNames[] = {"",           "OncePanel",   "HourlyPanel",
                                    "DailyPanel", "WeeklyPanel", "MonthlyPanel",
                                    "OtherPanel", "IdlePanel"};
        for (int k = 1; k < 8; ++k) {
            kindPanels_[k] = SchedulePanel(panelNames[k], sched1Panel_);
            kinds->addWidget(kindPanels_[k], 2 + k, 0, 1, 4);
        }
        auto row = [this](int k) {
            return static_cast<QHBoxLayout*>(kindPanels_[k]->layout()->itemAt(0)->layout());
        };
        auto timeRow = [this](int k) {
            auto* r = new QHBoxLayout;
            static_cast<QVBoxLayout*>(kindPanels_[k]->layout())->addLayout(r);
            return r;
        };
        // Once
        auto* month = Named(new QComboBox(kindPanels_[1]), kOnceMonth);
        month->addItems({"January", "February", "March", "April", "May", "June", "July", "August",
                         "September", "October", "November", "December"});
        row(1)->addWidget(month);
        SpinField(kOnceDay, SpinBox::OnceDay, 2, kindPanels_[1], row(1));
        SpinField(kOnceYear, SpinBox::OnceYear, kYearDigits, kindPanels_[1], row(1));
        TimeRow(0, kindPanels_[1], timeRow(1));
        // Hourly
        row(2)->addWidget(new QLabel("Minutes after the hour", kindPanels_[2]));
        SpinField(kHourlyMinutes, SpinBox::HourlyMinutes, 2, kindPanels_[2], row(2));
        // Daily
        const char* dayCaptions[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
        for (int d = 0; d < 7; ++d)
            row(3)->addWidget(Named(new QCheckBox(dayCaptions[d], kindPanels_[3]), kWeekdays[d]));
        TimeRow(1, kindPanels_[3], timeRow(3));
        // Weekly
        auto* weekday = Named(new QComboBox(kindPanels_[4]), kWeeklyDayOfWeek);
        weekday->addItems({"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"});
        row(4)->addWidget(weekday);
        TimeRow(2, kindPanels_[4], timeRow(4));
        // Monthly
        row(5)->addWidget(new QLabel("Day", kindPanels_[5]));
        SpinField(kMonthlyDay, SpinBox::MonthlyDay, 2, kindPanels_[5], row(5));
        TimeRow(3, kindPanels_[5], timeRow(5));
        // Other
        row(6)->addWidget(new QLabel("Every", kindPanels_[6]));
        SpinField(kOtherMinutes, SpinBox::OtherMinutes, 3, kindPanels_[6], row(6));
        row(6)->addWidget(new QLabel("minutes", kindPanels_[6]));
        // Time out
        row(7)->addWidget(new QLabel("After", kindPanels_[7]));
        SpinField(kIdleMinutes, SpinBox::IdleMinutes, 2, kindPanels_[7], row(7));
        row(7)->addWidget(new QLabel("idle minutes", kindPanels_[7]));
        for (int k = 1; k < 8; ++k) {
            auto* rows = static_cast<QVBoxLayout*>(kindPanels_[k]->layout());
            for (int r = 0; r < rows->count(); ++r)
                static_cast<QHBoxLayout*>(rows->itemAt(r)->layout())->addStretch(1);
        }
        v->addWidget(sched1Panel_);
    }

    // The kind's own time panel; "At Startup" has none.
    void ShowKind(int kind) {
        for (int k = 1; k < 8; ++k) ShowAll({kindPanels_[k]}, k == kind);
    }

    void ShowPage3(bool first, WizardForm& form) {
        if (first) {
            keyList_->clear();
            for (const std::string& row : LoadP3(form.Context().GlobData).rows)
                keyList_->addItem(Q(win::Cp1252ToUtf8(row)));
            form.Control<QRadioButton>(kScheduleKinds[3])->setChecked(true);
        }
        const Answers a = form.Snapshot();
        const bool hotKey = !a.Checked(kP2Snipra) && !a.Checked(kP2Timed);
        const bool snipra = a.Checked(kP2Snipra);
        ShowAll({keyLabel_, keyList_, entryLabel_, hotKeyEntry_}, hotKey);
        ShowAll({snipraLabel_, snipraName_}, snipra);
        ShowAll({sched1Panel_}, !hotKey && !snipra);
        int kind = -1;
        for (int k = 0; k < 8; ++k)
            if (a.Checked(kScheduleKinds[k])) kind = k;
        ShowKind(!hotKey && !snipra ? kind : -1);
        if (hotKey) hotKeyEntry_->setFocus();
        if (snipra) snipraName_->setFocus();
    }

    void RouteHotKeys(WizardForm& form, bool on) {
        if (routed_ == on) return;
        routed_ = on;
        WizardContext& ctx = form.Context();
        SetSecWind(ctx.GlobData, static_cast<std::uint32_t>(form.Window()->winId()), on, ctx.notify);
    }

    void BuildPage7(QWidget* panel, QVBoxLayout* v) {
        v->addWidget(Heading("Would you like the macro to", panel));
        v->addWidget(Named(new QRadioButton("Play back in &all programs", panel), kP7Global));
        v->addWidget(Named(new QRadioButton("Play back in one specific &program", panel), kP7SpecProg));
        v->addWidget(
            Named(new QRadioButton("Play back only when a specific &window is present", panel), kP7SpecWin));
    }

    void BuildPage8(QWidget* panel, QVBoxLayout* v) {
        titleLabel_ = Heading(
            "Enter the title of the window in which the macro is to play.  The \"title\" is what "
            "appears in the blue caption bar at the top of a window.  A partial title may be "
            "entered.",
            panel);
        title8_ = Named(new QLineEdit(panel), kP8Title);
        LimitTyping(*title8_, 50);
        examples8_ = Named(new QLabel(panel), kP8Examples);
        examples8_->setTextFormat(Qt::PlainText);
        v->addWidget(titleLabel_);
        v->addWidget(title8_);
        v->addWidget(examples8_);

        progLabel_ = Heading("Choose the program in which the macro is to play", panel);
        installed_ =
            Named(new QRadioButton("Choose from the list of &installed programs", panel), kP8Installed);
        installBox_ = Named(new QListWidget(panel), kP8InstallBox);
        installBox_->setItemDelegate(new TwoColumnDelegate(TwoColumnDelegate::Split::Tab, installBox_));
        progPath_ =
            Named(new QRadioButton("&Enter the program EXE name (can be a partial match on the name)", panel),
                  kP8ProgPath);
        path_ = Named(new QLineEdit(panel), kP8Path);
        browse_ = Named(new QPushButton("&List Programs Running", panel), kP8Browse);
        auto* pathRow = new QHBoxLayout;
        pathRow->addWidget(path_, 1);
        pathRow->addWidget(browse_);
        v->addWidget(progLabel_);
        v->addWidget(installed_);
        v->addWidget(installBox_, 1);
        v->addWidget(progPath_);
        v->addLayout(pathRow);

        progPanel_ = new QWidget(panel);
        progPanel_->setObjectName("P8ProgPanel");
        auto* pv = new QVBoxLayout(progPanel_);
        progBox_ = Named(new QListWidget(progPanel_), kP8ProgBox);
        auto* ok = Named(new QPushButton("&OK", progPanel_), "P8Ok");
        auto* cancel = Named(new QPushButton("&Cancel", progPanel_), "P8Cancel");
        auto* okRow = new QHBoxLayout;
        okRow->addStretch(1);
        okRow->addWidget(ok);
        okRow->addWidget(cancel);
        pv->addWidget(new QLabel("Programs running", progPanel_));
        pv->addWidget(progBox_, 1);
        pv->addLayout(okRow);
        progPanel_->hide();
        v->addWidget(progPanel_);

        QObject::connect(installed_, &QRadioButton::toggled, [this](bool on) {
            if (!on) return;
            installBox_->setEnabled(true);
            browse_->setEnabled(false);
            path_->setEnabled(false);
            ShowAll({progPanel_}, false);
        });
        QObject::connect(progPath_, &QRadioButton::toggled, [this](bool on) {
            if (!on) return;
            installBox_->setEnabled(false);
            browse_->setEnabled(true);
            path_->setEnabled(true);
        });
        QObject::connect(browse_, &QPushButton::clicked, [this] { P8BrowseClick(); });
        QObject::connect(ok, &QPushButton::clicked, [this] { P8OkClick(); });
        QObject::connect(progBox_, &QListWidget::itemDoubleClicked, [this] { P8OkClick(); });
        QObject::connect(cancel, &QPushButton::clicked, [this] { ShowAll({progPanel_}, false); });
    }

    void P8BrowseClick() {
        progBox_->clear();
        for (const std::string& name : RunningProgramNames(form_->Context().desktop))
            progBox_->addItem(Q(name));
        ShowAll({progPanel_}, true);
    }

    void P8OkClick() {
        if (!progBox_->currentItem() || !progBox_->currentItem()->isSelected()) {
            win::MessageBox("No program selected.", "Error", win::MbButtons::Ok, win::MbIcon::Error);
            progBox_->setFocus();
            return;
        }
        path_->setText(progBox_->currentItem()->text());
        ShowAll({progPanel_}, false);
    }

    void ShowPage8(bool first, WizardForm& form) {
        if (first)
            for (const InstalledProgram& p : form.Context().installedPrograms.Get())
                installBox_->addItem(Q(InstalledItem(p)));
        const bool window = form.Snapshot().Checked(kP7SpecWin);
        ShowAll({titleLabel_, title8_, examples8_}, window);
        for (QWidget* w :
             std::initializer_list<QWidget*>{progLabel_, installed_, installBox_, progPath_, path_, browse_})
            w->setVisible(!window);
        ShowAll({progPanel_}, false);
        if (window) {
            title8_->setFocus();
            return;
        }
        installed_->setEnabled(true);
        progPath_->setEnabled(true);
        const bool typed = progPath_->isChecked();
        installBox_->setEnabled(!typed);
        path_->setEnabled(typed);
        browse_->setEnabled(typed);
    }

    void BuildPage9(QWidget* panel, QVBoxLayout* v) {
        v->addWidget(Heading("Would you like to add this macro to a popup menu?", panel));
        auto* yes = Named(new QRadioButton("&Yes", panel), kP9AddYes);
        auto* no = Named(new QRadioButton("&No", panel), kP9AddNo);
        popupLabel_ = Named(new QLabel("Defined Popup Menus", panel), "P9PopupLabel");
        popupList_ = Named(new QListWidget(panel), kP9PopupList);
        popupLabel_->setEnabled(false);
        popupList_->setEnabled(false);
        v->addWidget(yes);
        v->addWidget(no);
        v->addWidget(popupLabel_);
        v->addWidget(popupList_, 1);
        QObject::connect(yes, &QRadioButton::toggled, [this](bool on) {
            popupLabel_->setEnabled(on);
            popupList_->setEnabled(on);
        });
    }

    void LoadP9(WizardForm& form) {
        for (const MenuEntry& m : PopupMenus(form.Context().GlobData, form.Context().Config)) {
            auto* item = new QListWidgetItem(Q(win::Cp1252ToUtf8(m.nickname)));
            item->setData(Qt::UserRole, m.macro);
            popupList_->addItem(item);
        }
    }

    void BuildPage10(QWidget* panel, QVBoxLayout* v) {
        v->addWidget(Heading("Macro Nickname", panel));
        nick_ = Named(new QLineEdit(panel), kP10Nick);
        LimitTyping(*nick_, 50);
        v->addWidget(nick_);
        v->addWidget(Heading("Macro Icon", panel));
        icon_ = Named(new IconButton(panel), kP10MySpeed);
        icon_->setIconSize(QSize(16, 16));
        icon_->setFixedSize(40, 32);
        iconLabel_ = Named(new QLabel(panel), "P10IconLabel");
        iconLabel_->setWordWrap(true);
        auto* row = new QHBoxLayout;
        row->addWidget(icon_);
        row->addWidget(iconLabel_, 1);
        v->addLayout(row);
        QObject::connect(icon_, &QPushButton::clicked, [this] { P10MySpeedClick(); });
    }

    void LoadP10(WizardForm& form) {
        const int function = form.WizardFunction();
        iconLabel_->setText(Q(IconLabelText(function)));
        icon_->setIcon(form.Window()->style()->standardIcon(function == 25 ? QStyle::SP_FileDialogListView
                                                                           : QStyle::SP_FileIcon));
        if (function == 10) {
            const std::string text = form.Snapshot().Text("P26MyMemo");
            nick_->setText(Q(win::Cp1252ToUtf8(ReminderNickname(text))));
        }
    }

    void P10MySpeedClick() {
        FileChoice choice;
        choice.title = "Load in Icon";
        choice.filter = "Icons (*.ico)";
        choice.defaultSuffix = "ICO";
        choice.mustExist = true;
        const std::string chosen = ChooseFile(form_->Window(), choice);
        if (chosen.empty()) return;
        const IconChoice icon = ChooseIconFile(chosen, form_->Context().programDir + "/Icons");
        if (!icon.ok) {
            win::MessageBox(icon.error, "Error", win::MbButtons::Ok, win::MbIcon::Error);
            return;
        }
        if (!icon.warning.empty())
            win::MessageBox(icon.warning, "Error", win::MbButtons::Ok, win::MbIcon::Error);
        if (const auto glyph = LoadIconGlyph(icon.path)) icon_->setIcon(QIcon(QPixmap::fromImage(*glyph)));
        icon_->iconName = icon.iconName;
    }

    void BuildPage37(QWidget* panel, QVBoxLayout* v) {
        v->addWidget(
            Heading("Enter the title of the window that is to start the macro when it appears.  The "
                    "\"title\" is what appears in the blue caption bar at the top of a window.  A partial "
                    "title may be entered.",
                    panel));
        title37_ = Named(new QLineEdit(panel), kP37Title);
        LimitTyping(*title37_, 20);
        auto* examples = Named(new QLabel(panel), kP37Examples);
        examples->setTextFormat(Qt::PlainText);
        v->addWidget(new QLabel("Window Title", panel));
        v->addWidget(title37_);
        v->addWidget(examples);
    }

    WizardForm* form_ = nullptr;
    bool routed_ = false;
    QLabel *keyLabel_ = nullptr, *entryLabel_ = nullptr, *snipraLabel_ = nullptr;
    QListWidget* keyList_ = nullptr;
    QLineEdit *hotKeyEntry_ = nullptr, *snipraName_ = nullptr;
    QWidget* sched1Panel_ = nullptr;
    QWidget* kindPanels_[8] = {};
    QLabel *titleLabel_ = nullptr, *examples8_ = nullptr, *progLabel_ = nullptr;
    QLineEdit *title8_ = nullptr, *path_ = nullptr;
    QRadioButton *installed_ = nullptr, *progPath_ = nullptr;
    QListWidget *installBox_ = nullptr, *progBox_ = nullptr;
    QPushButton* browse_ = nullptr;
    QWidget* progPanel_ = nullptr;
    QLabel* popupLabel_ = nullptr;
    QListWidget* popupList_ = nullptr;
    QLineEdit* nick_ = nullptr;
    IconButton* icon_ = nullptr;
    QLabel* iconLabel_ = nullptr;
    QLineEdit* title37_ = nullptr;
};

}  // namespace

void TwoColumnDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    opt.widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    QString left = text, right;
    if (split_ == Split::Tab) {
        const int tab = text.indexOf('\t');
        if (tab >= 0) {
            left = text.left(tab);
            right = text.mid(tab + 1);
        }
    } else {
        const auto [name, remark] = HotKeyRowColumns(text.toStdString());
        left = Q(name);
        right = Q(remark);
    }
    painter->save();
    painter->setPen(
        opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect r = opt.rect;
    painter->drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, left);
    painter->drawText(r.adjusted(r.width() / 5 * 3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, right);
    painter->restore();
}

std::unique_ptr<WizardPageGroup> MakeActivationPages() { return std::make_unique<ActivationPages>(); }

}  // namespace tessaro
