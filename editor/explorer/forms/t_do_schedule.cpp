#include "editor/explorer/forms/t_do_schedule.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/explorer/forms/form_support.h"
#include "platform/datetime.h"

namespace tessaro {

namespace {

QLabel* Bold(const QString& text) {
    auto* l = new QLabel(text);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLineEdit* Box(int maxLength, int chars) {
    auto* e = new QLineEdit;
    LimitTyping(*e, maxLength);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(chars + 2, '0')) + 8);
    return e;
}

}  // namespace

TDoSchedule::TDoSchedule(TMacroRecord& rec, QWidget* parent) : QDialog(parent), rec_(rec) {
    setWindowTitle("Set Schedule");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const win::DateTimeParts now = win::DecodeDateTime(win::Now());
    Today = {now.year, now.month, now.day};

    auto* kindBox = new QGroupBox("Run Macro");
    auto* kindGrid = new QGridLayout(kindBox);
    const char* captions[] = {"&At Startup", "&Once",    "&Hourly", "&Daily",
                              "&Weekly",     "&Monthly", "Oth&er",  "&Time Out"};
    auto* group = new QButtonGroup(this);
    for (int k = 0; k < 8; ++k) {
        Kinds[std::size_t(k)] = new QRadioButton(captions[k]);
        group->addButton(Kinds[std::size_t(k)], k);
        kindGrid->addWidget(Kinds[std::size_t(k)], k / 4, k % 4);
        connect(Kinds[std::size_t(k)], &QRadioButton::clicked, this, [this, k] { ShowKind(k); });
    }

    for (int i = 0; i < 4; ++i) {
        Hours[std::size_t(i)] = Box(kTimeDigits, 2);
        Minutes[std::size_t(i)] = Box(kTimeDigits, 2);
        AmPm[std::size_t(i)] = new QComboBox;
        AmPm[std::size_t(i)]->setEditable(true);
        AmPm[std::size_t(i)]->addItems({"AM", "PM"});
    }
    auto timeRow = [this](int panel, QHBoxLayout* row) {
        row->addWidget(Hours[std::size_t(panel)]);
        row->addWidget(new QLabel(":"));
        row->addWidget(Minutes[std::size_t(panel)]);
        row->addWidget(AmPm[std::size_t(panel)]);
    };
    auto panel = [](const QString& heading, QLayout* body) {
        auto* w = new QWidget;
        auto* v = new QVBoxLayout(w);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(Bold(heading));
        v->addLayout(body);
        v->addStretch();
        return w;
    };

    // Once.
    MonthList = new QComboBox;
    MonthList->addItems({"January", "February", "March", "April", "May", "June", "July", "August",
                         "September", "October", "November", "December"});
    OnceDay = Box(2, 2);
    OnceYear = Box(kYearDigits, 4);
    auto* once = new QHBoxLayout;
    timeRow(0, once);
    once->addWidget(new QLabel("on"));
    once->addWidget(MonthList);
    once->addWidget(Spin(OnceDay, SpinBox::OnceDay));
    once->addWidget(Spin(OnceYear, SpinBox::OnceYear));
    once->addStretch();
    OncePanel = panel("Start Macro At", once);

    HourlyMinutes = Box(2, 2);
    auto* hourly = new QHBoxLayout;
    hourly->addWidget(Spin(HourlyMinutes, SpinBox::HourlyMinutes));
    hourly->addWidget(new QLabel("minutes after the hour"));
    hourly->addStretch();
    HourlyPanel = panel("Start Macro At", hourly);

    auto* daily = new QVBoxLayout;
    auto* dailyTime = new QHBoxLayout;
    timeRow(1, dailyTime);
    dailyTime->addStretch();
    daily->addLayout(dailyTime);
    // Monday .. Sunday in the record; shown Sun Mon Tue Wed / Thu Fri Sat.
    const char* dayCaptions[] = {"&Mon", "&Tue", "&Wed", "Th&u", "&Fri", "&Sat", "Su&n"};
    for (int d = 0; d < 7; ++d) Days[std::size_t(d)] = new QCheckBox(dayCaptions[d]);
    auto* dayGrid = new QGridLayout;
    const int order[] = {6, 0, 1, 2, 3, 4, 5};
    for (int i = 0; i < 7; ++i) dayGrid->addWidget(Days[std::size_t(order[i])], i / 4, i % 4);
    daily->addLayout(dayGrid);
    DailyPanel = panel("Start Macro At", daily);

    WeekdayList = new QComboBox;
    WeekdayList->addItems({"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"});
    auto* weekly = new QHBoxLayout;
    timeRow(2, weekly);
    weekly->addWidget(new QLabel("every"));
    weekly->addWidget(WeekdayList);
    weekly->addStretch();
    WeeklyPanel = panel("Start Macro At", weekly);

    MonthlyDay = Box(2, 2);
    auto* monthly = new QHBoxLayout;
    timeRow(3, monthly);
    monthly->addWidget(new QLabel("on the"));
    monthly->addWidget(Spin(MonthlyDay, SpinBox::MonthlyDay));
    monthly->addWidget(new QLabel("day of the month"));
    monthly->addStretch();
    MonthlyPanel = panel("Start Macro At", monthly);

    OtherMinutes = Box(3, 3);
    auto* other = new QHBoxLayout;
    other->addWidget(new QLabel("every"));
    other->addWidget(Spin(OtherMinutes, SpinBox::OtherMinutes));
    other->addWidget(new QLabel("minutes"));
    other->addStretch();
    OtherPanel = panel("Start Macro", other);

    IdleMinutes = Box(2, 2);
    auto* idle = new QHBoxLayout;
    idle->addWidget(new QLabel("after"));
    idle->addWidget(Spin(IdleMinutes, SpinBox::IdleMinutes));
    idle->addWidget(new QLabel("minutes of idle time"));
    idle->addStretch();
    IdlePanel = panel("Start Macro", idle);

    OnceDay->setObjectName("OnceDay");
    OnceYear->setObjectName("OnceYear");
    MonthlyDay->setObjectName("MonthlyDay");
    HourlyMinutes->setObjectName("HourlyMinutes");
    OtherMinutes->setObjectName("OtherMinutes");
    IdleMinutes->setObjectName("IdleMinutes");
    panels_ = {nullptr, OncePanel, HourlyPanel, DailyPanel, WeeklyPanel, MonthlyPanel, OtherPanel, IdlePanel};
    auto* panelArea = new QGridLayout;
    for (QWidget* p : panels_)
        if (p) panelArea->addWidget(p, 0, 0);

    UpdateButton = new QPushButton("&Update");
    CancelButton = new QPushButton("&Cancel");
    UpdateButton->setDefault(true);
    connect(UpdateButton, &QPushButton::clicked, this, &TDoSchedule::UpdateButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(UpdateButton);
    buttons->addWidget(CancelButton);

    auto* main = new QVBoxLayout(this);
    main->addWidget(kindBox);
    main->addLayout(panelArea);
    main->addLayout(buttons);

    for (auto* spin : findChildren<QToolButton*>()) {
        const auto* box = spin->parentWidget()->findChild<QLineEdit*>();
        spin->setObjectName(box->objectName() + (spin->arrowType() == Qt::UpArrow ? "Up" : "Down"));
    }

    // FormShow: every panel from the shared fields.
    const SchedulePanels p = LoadSchedulePanels(rec_);
    for (int i = 0; i < 4; ++i) {
        Hours[std::size_t(i)]->setText(QString::fromStdString(p.hour[std::size_t(i)]));
        Minutes[std::size_t(i)]->setText(QString::fromStdString(p.minute[std::size_t(i)]));
        AmPm[std::size_t(i)]->setCurrentIndex(p.pm ? 1 : 0);
    }
    for (int d = 0; d < 7; ++d) Days[std::size_t(d)]->setChecked(p.days[d]);
    MonthList->setCurrentIndex(p.monthIndex);
    WeekdayList->setCurrentIndex(p.weekdayIndex);
    OnceDay->setText(QString::fromStdString(p.onceDay));
    OnceYear->setText(QString::fromStdString(p.year));
    MonthlyDay->setText(QString::fromStdString(p.monthlyDay));
    HourlyMinutes->setText(QString::fromStdString(p.hourlyMinutes));
    OtherMinutes->setText(QString::fromStdString(p.otherMinutes));
    IdleMinutes->setText(QString::fromStdString(p.idleMinutes));
    if (p.kind >= 0) Kinds[std::size_t(p.kind)]->setChecked(true);
    ShowKind(p.kind);
    adjustSize();
    forms::CentreOnScreen(*this);
}

QWidget* TDoSchedule::Spin(QLineEdit* box, SpinBox which) {
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    h->addWidget(box);
    auto* up = new QToolButton;
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton;
    down->setArrowType(Qt::DownArrow);
    for (auto [button, dir] : {std::pair{up, +1}, std::pair{down, -1}}) {
        connect(button, &QToolButton::clicked, this, [box, which, dir = dir] {
            box->setText(QString::fromStdString(SpinStep(which, box->text().toStdString(), dir)));
        });
        h->addWidget(button);
    }
    return w;
}

void TDoSchedule::ShowKind(int kind) {
    for (int k = 0; k < 8; ++k)
        if (panels_[std::size_t(k)]) {
            panels_[std::size_t(k)]->setVisible(k == kind);
            panels_[std::size_t(k)]->setEnabled(k == kind);
        }
    FitToLayout(*this);
}

SchedulePanels TDoSchedule::ReadPanels() const {
    SchedulePanels p;
    p.kind = -1;
    for (int k = 0; k < 8; ++k)
        if (Kinds[std::size_t(k)]->isChecked()) p.kind = k;
    for (int d = 0; d < 7; ++d) p.days[d] = Days[std::size_t(d)]->isChecked();
    for (int i = 0; i < 4; ++i) {
        p.hour[std::size_t(i)] = Hours[std::size_t(i)]->text().toStdString();
        p.minute[std::size_t(i)] = Minutes[std::size_t(i)]->text().toStdString();
    }
    p.monthIndex = MonthList->currentIndex();
    p.onceDay = OnceDay->text().toStdString();
    p.year = OnceYear->text().toStdString();
    p.hourlyMinutes = HourlyMinutes->text().toStdString();
    p.weekdayIndex = WeekdayList->currentIndex();
    p.monthlyDay = MonthlyDay->text().toStdString();
    p.otherMinutes = OtherMinutes->text().toStdString();
    p.idleMinutes = IdleMinutes->text().toStdString();
    return p;
}

void TDoSchedule::Focus(ScheduleFocus focus) {
    const int panel = std::max(0, TimePanelOfKind(ReadPanels().kind));
    QWidget* target = nullptr;
    switch (focus) {
        case ScheduleFocus::Hour: target = Hours[std::size_t(panel)]; break;
        case ScheduleFocus::Minute: target = Minutes[std::size_t(panel)]; break;
        case ScheduleFocus::OnceDay: target = OnceDay; break;
        case ScheduleFocus::Year: target = OnceYear; break;
        case ScheduleFocus::Month: target = MonthList; break;
        case ScheduleFocus::HourlyMinutes: target = HourlyMinutes; break;
        case ScheduleFocus::MonthlyDay: target = MonthlyDay; break;
        case ScheduleFocus::OtherMinutes: target = OtherMinutes; break;
        case ScheduleFocus::IdleMinutes: target = IdleMinutes; break;
        case ScheduleFocus::None: break;
    }
    if (target) target->setFocus();
}

void TDoSchedule::UpdateButtonClick() {
    std::array<bool, 4> pm{};
    for (int i = 0; i < 4; ++i)
        pm[std::size_t(i)] = AmPmIsPm(AmPm[std::size_t(i)]->currentText().toStdString());
    const ScheduleCheck check = CheckSchedule(rec_, FormOfPanels(ReadPanels(), pm), Today);
    if (!check.ok) {
        forms::ErrorBox(check.message);
        Focus(check.focus);
        return;
    }
    rec_ = check.fields;
    accept();
}

}  // namespace tessaro
