// Pages 50-52 of "Create Popup Menu": the macros of the menu, what it shows, the tray.
#include <QComboBox>
#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "editor/commands/form_parts.h"
#include "editor/model/wizard/menu_pages.h"
#include "editor/wizard/page_parts.h"
#include "editor/wizard/wizard_pages.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "widgets/recipient_delegate.h"

namespace tessaro {
namespace {

using parts::Label;

constexpr int kNumberRole = Qt::UserRole;
constexpr int kColumnsRole = Qt::UserRole + 1;  // activation, nickname, scope

// A page-50 row in three columns parted by grey lines.
class MacroRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QStringList columns = index.data(kColumnsRole).toStringList();
        if (columns.size() != 3) return QStyledItemDelegate::paint(painter, option, index);
        const QRect r = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(r, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const double col = r.width() / 7;
        const QFontMetricsF metrics(option.font);
        const int x2 = qRound(2 * col), x5 = qRound(5 * col);
        const int top = r.top() + qRound(metrics.ascent());
        painter->drawText(r.left() + 2, top, FitTextToWidth(columns[0], 2 * col, metrics));
        painter->drawText(r.left() + 2 + x2, top, FitTextToWidth(columns[1], 3 * col, metrics));
        painter->drawText(r.left() + 2 + x5, top, columns[2]);
        painter->setPen(QPen(QColor(128, 128, 128), 1));
        painter->drawLine(r.left() + x2, r.top(), r.left() + x2, r.bottom());
        painter->drawLine(r.left() + x5, r.top(), r.left() + x5, r.bottom());
        painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter->restore();
    }
};

class MenuPages : public WizardPageGroup, public QObject {
public:
    std::vector<int> Pages() const override { return {50, 51, 52}; }

    void Build(int page, QWidget* panel, WizardForm& form) override {
        auto* layout = new QVBoxLayout(panel);
        if (page == 50) BuildMacroList(panel, layout, form);
        if (page == 51) BuildShow(panel, layout);
        if (page == 52) BuildTray(panel, layout);
        layout->addStretch();
    }

    void Shown(int page, bool firstShowing, WizardForm& form) override {
        if (page != 50 || !firstShowing) return;
        // A popup menu is global and opened by a hot key.
        for (const char* name : {"P2HotKey", "P7Global"})
            if (auto* b = form.Control<QRadioButton>(name)) b->setChecked(true);
        const wizard::WizardContext& ctx = form.Context();
        macros_->clear();
        for (const wizard::MenuCandidate& c : wizard::MenuCandidates(ctx.GlobData, ctx.Config)) {
            auto* item = new QListWidgetItem(win::ToQt(c.nickname), macros_);
            item->setData(kNumberRole, c.number);
            item->setData(kColumnsRole,
                          QStringList{win::ToQt(c.activation), win::ToQt(c.nickname), win::ToQt(c.scope)});
        }
        macros_->setFocus();
    }

private:
    void BuildMacroList(QWidget* panel, QVBoxLayout* layout, WizardForm& form) {
        layout->addWidget(pages::HeadingLabel(panel, "Click on each of the macros you want in the menu"));
        macros_ = new QListWidget(panel);
        macros_->setObjectName("P50Macros");
        macros_->setSelectionMode(QAbstractItemView::MultiSelection);
        macros_->setItemDelegate(new MacroRowDelegate(macros_));
        macros_->viewport()->installEventFilter(this);
        layout->addWidget(macros_, 1);
        macroFile_ = &form.Context().macroFile;
    }

    void BuildShow(QWidget* panel, QVBoxLayout* layout) {
        layout->addWidget(pages::HeadingLabel(panel, "What would you like the popup menu to show?"));
        auto* text = Radio(panel, layout, "P51Text", "&First Part of Macro Text");
        auto* icons = Radio(panel, layout, "P51Icons", "&Icons");
        sizeLabel_ = Label(panel, "Icon Size", nullptr, "P51IconSizeLabel");
        sizes_ = new QComboBox(panel);
        sizes_->setObjectName("P51IconSize");
        for (int size : wizard::kMenuIconSizes) sizes_->addItem(QString("%1 x %1").arg(size));
        sizes_->setCurrentIndex(0);
        sizeLabel_->setBuddy(sizes_);
        layout->addWidget(sizeLabel_);
        layout->addWidget(sizes_);
        Radio(panel, layout, "P51Nick", "&Nickname and Scope");
        // Only the icon display has a size.
        QObject::connect(icons, &QRadioButton::toggled, panel, [this](bool on) { EnableIconSize(on); });
        text->setChecked(true);
        EnableIconSize(false);
    }

    void BuildTray(QWidget* panel, QVBoxLayout* layout) {
        layout->addWidget(pages::HeadingLabel(
            panel, "Would you like to be able to activate this menu from the system tray?"));
        Radio(panel, layout, "P52Yes", "&Yes")->setChecked(true);
        Radio(panel, layout, "P52No", "&No");
    }

    static QRadioButton* Radio(QWidget* panel, QVBoxLayout* layout, const char* name, const char* caption) {
        auto* b = new QRadioButton(caption, panel);
        b->setObjectName(name);
        layout->addWidget(b);
        return b;
    }

    void EnableIconSize(bool on) {
        sizes_->setEnabled(on);
        sizeLabel_->setEnabled(on);
    }

    // A right click pressed and released on the same row shows that macro's Quick Info.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (macros_ == nullptr || watched != macros_->viewport()) return false;
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton) return false;
        const int row = macros_->row(macros_->itemAt(mouse->position().toPoint()));
        if (event->type() == QEvent::MouseButtonPress) {
            rightClickItem_ = row;
            rightClickPending_ = true;
            return true;
        }
        const bool show = rightClickPending_ && row >= 0 && row == rightClickItem_;
        rightClickPending_ = false;
        if (show) DoOBInfo(row);
        return true;
    }

    void DoOBInfo(int row) {
        TMacroRecord rec;
        const int number = macros_->item(row)->data(kNumberRole).toInt();
        if (!ReadMacroRecordAt(*macroFile_, number, rec).ok()) {
            win::MessageBox("The macro could not be read from " + *macroFile_ + ".", "Error",
                            win::MbButtons::Ok, win::MbIcon::Error);
            return;
        }
        win::MessageBox(wizard::MacroQuickInfo(rec), "Quick Info");
    }

    QListWidget* macros_ = nullptr;
    const std::string* macroFile_ = nullptr;
    QComboBox* sizes_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    bool rightClickPending_ = false;
    int rightClickItem_ = -1;
};

}  // namespace

std::unique_ptr<WizardPageGroup> MakeMenuPages() { return std::make_unique<MenuPages>(); }

}  // namespace tessaro
