#include "editor/explorer/forms/t_do_build_menu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editor/explorer/forms/form_support.h"
#include "editor/model/explorer/file_menu.h"
#include "editor/script/ui/icon_button.h"
#include "editor/model/macro_forms/macro_icon.h"
#include "macro/macro_file.h"
#include "widgets/program_icons.h"

namespace tessaro {

namespace {

QTreeWidget* MacroList() {
    auto* t = new QTreeWidget;
    t->setColumnCount(3);
    t->setHeaderLabels({"Activation", "NickName", "Scope"});
    t->setRootIsDecorated(false);
    t->setTextElideMode(Qt::ElideNone);  // texts are cut from their end to fit
    t->setMinimumWidth(300);
    t->header()->setStretchLastSection(true);
    return t;
}

}  // namespace

TDoBuildMenu::TDoBuildMenu(MacroFormsContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setWindowTitle("Build Macro Menu");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    NickName = new QLineEdit;
    LimitTyping(*NickName, 50);
    HotKeyLabel = new QLabel;
    SysTray = new QCheckBox("&Place in System Tray");
    ShowNick = new QRadioButton("&Nickname and Scope");
    ShowText = new QRadioButton("&First Part of Macro");
    ShowIcon = new QRadioButton("&Icons");
    IconSize = new QComboBox;
    IconSize->addItems({"16 x 16", "24 x 24", "32 x 32", "48 x 48", "64 x 64"});
    MySpeed = new QToolButton;
    WireIconButton(
        *MySpeed, context_.programDir, [this](const std::string& path) { LoadIconFrom(path); },
        [this] { ResetIcon(); });
    OptionBox = MacroList();
    Script = MacroList();
    OptionBox->viewport()->installEventFilter(this);
    Script->viewport()->installEventFilter(this);
    AddButton = new QPushButton("&Add");
    InsertBefore = new QPushButton("I&nsert");
    InsertAfter = new QPushButton("&Insert");
    RemoveIt = new QPushButton("&Remove");
    DoUp = new QPushButton("&Up");
    DoDown = new QPushButton("&Down");
    OkButton = new QPushButton("&Ok");
    CancelButton = new QPushButton("&Cancel");
    OkButton->setDefault(true);
    HelpButton = forms::NewHelpButton(*this, [] { return std::string("Build Macro Menu"); });
    Menu = new QMenuBar(this);
    QMenu* file = Menu->addMenu("&File");
    connect(file->addAction("E&xit"), &QAction::triggered, this, &QDialog::reject);

    connect(AddButton, &QPushButton::clicked, this, [this] { AddALine(InsertMode::Append); });
    connect(OptionBox, &QTreeWidget::itemDoubleClicked, this, [this] { AddALine(InsertMode::Append); });
    connect(InsertBefore, &QPushButton::clicked, this, [this] { AddALine(InsertMode::Before); });
    connect(InsertAfter, &QPushButton::clicked, this, [this] { AddALine(InsertMode::After); });
    connect(RemoveIt, &QPushButton::clicked, this, &TDoBuildMenu::RemoveItClick);
    connect(DoUp, &QPushButton::clicked, this, [this] {
        lists_->Up();
        FillIt();
    });
    connect(DoDown, &QPushButton::clicked, this, [this] {
        lists_->Down();
        FillIt();
    });
    connect(OptionBox, &QTreeWidget::itemSelectionChanged, this, &TDoBuildMenu::EnableDisable);
    connect(Script, &QTreeWidget::itemSelectionChanged, this, &TDoBuildMenu::EnableDisable);
    connect(OkButton, &QPushButton::clicked, this, &TDoBuildMenu::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QGridLayout;
    top->addWidget(new QLabel("Nickname"), 0, 0);
    top->addWidget(NickName, 0, 1);
    top->addWidget(new QLabel("Icon"), 0, 2);
    top->addWidget(MySpeed, 0, 3);
    top->addWidget(HotKeyLabel, 1, 0, 1, 2);
    top->addWidget(SysTray, 1, 2, 1, 2);
    auto* show = new QGroupBox("What To Show On Popup Menu");
    auto* showRow = new QHBoxLayout(show);
    showRow->addWidget(ShowNick);
    showRow->addWidget(ShowText);
    showRow->addWidget(ShowIcon);
    showRow->addWidget(new QLabel("Icon Size"));
    showRow->addWidget(IconSize);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    for (QPushButton* b : {AddButton, InsertBefore, InsertAfter, RemoveIt, DoUp, DoDown})
        middle->addWidget(b);
    middle->addStretch();
    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel("Available Macros"), 0, 0);
    lists->addWidget(new QLabel("Macros in Menu"), 0, 2);
    lists->addWidget(OptionBox, 1, 0);
    lists->addLayout(middle, 1, 1);
    lists->addWidget(Script, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    auto* v = new QVBoxLayout(this);
    v->setMenuBar(Menu);
    v->addLayout(top);
    v->addWidget(show);
    v->addLayout(lists, 1);
    v->addLayout(buttons);
}

TDoBuildMenu::~TDoBuildMenu() = default;

void TDoBuildMenu::showEvent(QShowEvent* event) {
    if (!shown_) FormShow();
    QDialog::showEvent(event);
}

void TDoBuildMenu::FormShow() {
    shown_ = true;
    TrayChanged = false;
    const TMacroRecord& rec = context_.core.CurrentMacro;
    const int count = context_.core.GlobData.MacroCount;
    initial_ = ShowBuildMenu(rec, ModifyExisting, count);
    NickName->setText(win::ToQt(initial_.nickname));
    SysTray->setChecked(initial_.inTray);
    (initial_.show == PopupShow::FirstPartOfMacro ? ShowText
     : initial_.show == PopupShow::Icons          ? ShowIcon
                                                  : ShowNick)
        ->setChecked(true);
    IconSize->setCurrentIndex(initial_.iconSizeIndex);
    iconFile_ = initial_.iconFile;
    LoadIcon();
    initial_.iconFile = iconFile_;
    lists_ =
        std::make_unique<MenuLists>(context_.core.GlobData, ModifyExisting ? ReadPopupMenu(rec, count).items
                                                                           : std::vector<std::uint16_t>{});
    NickName->setFocus();
    FillIt();
    resize(760, 480);
    forms::CentreOnScreen(*this);
}

void TDoBuildMenu::LoadIcon() {
    if (iconFile_ != "MENU") {
        if (const auto glyph = LoadIconGlyph(context_.programDir + "/Icons/" + iconFile_)) {
            MySpeed->setIcon(QIcon(QPixmap::fromImage(*glyph)));
            return;
        }
        iconFile_ = "MENU";
    }
    MySpeed->setIcon(MenuIcon());
}

void TDoBuildMenu::FillIt() {
    const TGlobData& glob = context_.core.GlobData;
    auto fill = [&](QTreeWidget* list, const std::vector<std::uint16_t>& numbers, int selected) {
        const QSignalBlocker block(list);
        list->clear();
        for (std::uint16_t n : numbers) {
            const std::string abbrev(context_.config.MacroAbbreviations[n].view());
            auto* item = new QTreeWidgetItem(
                list, {win::ToQt(ActivationColumn(glob.ActivationCode[n], abbrev)),
                       win::ToQt(context_.config.MacroNicknames[n].view()),
                       win::ToQt(ScopeColumn(glob.Scope[n], std::string(glob.ScopeText[n].view())))});
            item->setData(0, Qt::UserRole, int(n));
        }
        if (selected >= 0 && selected < list->topLevelItemCount()) {
            list->setCurrentItem(list->topLevelItem(selected));
            list->topLevelItem(selected)->setSelected(true);
        }
    };
    fill(OptionBox, lists_->available(), lists_->availableRow);
    fill(Script, lists_->members(), lists_->memberRow);
    EnableDisable();
}

void TDoBuildMenu::SyncSelection() {
    auto selectedRow = [](QTreeWidget* list) {
        QTreeWidgetItem* item = list->currentItem();
        return item && item->isSelected() ? list->indexOfTopLevelItem(item) : -1;
    };
    lists_->availableRow = selectedRow(OptionBox);
    lists_->memberRow = selectedRow(Script);
}

void TDoBuildMenu::EnableDisable() {
    if (!lists_) return;
    SyncSelection();
    const MenuButtons b = lists_->Buttons();
    RemoveIt->setEnabled(b.remove);
    DoUp->setEnabled(b.up);
    DoDown->setEnabled(b.down);
    for (QPushButton* add : {AddButton, InsertBefore, InsertAfter}) add->setEnabled(b.add);
}

void TDoBuildMenu::AddALine(InsertMode mode) {
    SyncSelection();
    if (lists_->availableRow < 0) {
        forms::ErrorBox(kNoMacroSelected);
        return;
    }
    lists_->Add(mode);
    FillIt();
}

void TDoBuildMenu::RemoveItClick() {
    SyncSelection();
    if (!lists_->Remove()) {
        forms::ErrorBox(kNoMacroSelected);
        return;
    }
    FillIt();
}

BuildMenuOptions TDoBuildMenu::Chosen() const {
    BuildMenuOptions o;
    o.inTray = SysTray->isChecked();
    o.show = ShowText->isChecked()   ? PopupShow::FirstPartOfMacro
             : ShowIcon->isChecked() ? PopupShow::Icons
                                     : PopupShow::NicknameAndScope;
    o.iconSizeIndex = std::max(0, IconSize->currentIndex());
    o.nickname = win::FromQt(NickName->text());
    o.iconFile = iconFile_;
    return o;
}

void TDoBuildMenu::OkButtonClick() {
    const BuildMenuResult r = StoreBuildMenu(context_.core.CurrentMacro, ModifyExisting, initial_, Chosen(),
                                             lists_->members(), iconChanged_);
    context_.core.CurrentMacro = r.record;
    TrayChanged = r.trayChanged;
    Updated = true;
    accept();
}

void TDoBuildMenu::LoadIconFrom(const std::string& chosenPath) {
    const std::optional<IconChoice> c = TakeIconFile(chosenPath, context_.programDir);
    if (!c) return;
    iconFile_ = c->iconName;
    LoadIcon();
    iconChanged_ = true;
    TrayChanged = true;
}

void TDoBuildMenu::ResetIcon() {
    iconFile_ = "MENU";
    LoadIcon();
    iconChanged_ = true;
    TrayChanged = true;
}

std::string TDoBuildMenu::QuickInfo(int macroNumber) const {
    TMacroRecord rec;
    if (!ReadMacroRecordAt(context_.macroFile, macroNumber, rec).ok()) return {};
    return QuickInfoText(rec, GetSched(rec));
}

bool TDoBuildMenu::eventFilter(QObject* watched, QEvent* event) {
    for (QTreeWidget* list : {OptionBox, Script}) {
        if (watched != list->viewport()) continue;
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) break;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton) {
            list->setProperty("rightRow", list->indexOfTopLevelItem(list->itemAt(mouse->pos())));
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::RightButton) {
            const int row = list->indexOfTopLevelItem(list->itemAt(mouse->pos()));
            const QVariant down = list->property("rightRow");
            list->setProperty("rightRow", QVariant());
            if (row >= 0 && down.isValid() && down.toInt() == row) {
                const std::string info = QuickInfo(list->topLevelItem(row)->data(0, Qt::UserRole).toInt());
                if (!info.empty()) win::MessageBox(info, "Quick Info");
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tessaro
