// Page 64 of "Build Macros From Other Macros": existing macros put in a new order.
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

#include "editor/commands/form_parts.h"
#include "editor/model/wizard/combined_pages.h"
#include "editor/wizard/page_parts.h"
#include "editor/wizard/wizard_pages.h"
#include "platform/message_box.h"

namespace tessaro {
namespace {

using parts::Button;

constexpr int kNumberRole = Qt::UserRole;

class CombinedPages : public WizardPageGroup {
public:
    std::vector<int> Pages() const override { return {64}; }

    void Build(int, QWidget* panel, WizardForm&) override {
        auto* grid = new QGridLayout(panel);
        avail_ = List(panel, "P64AvailBox");
        newBox_ = List(panel, "P64NewBox");
        grid->addWidget(pages::HeadingLabel(panel, "Available Macros"), 0, 0);
        grid->addWidget(pages::HeadingLabel(panel, "New Combined Macro"), 0, 2);
        grid->addWidget(avail_, 1, 0, 7, 1);
        grid->addWidget(newBox_, 1, 2, 7, 1);
        auto* add = Button(panel, "P64AddButton", "&Add");
        auto* before = Button(panel, "P64InsertBefore", "I&nsert");
        auto* after = Button(panel, "P64InsertAfter", "&Insert");
        up_ = Button(panel, "P64DoUp", "&Up");
        down_ = Button(panel, "P64DoDown", "&Down");
        delete_ = Button(panel, "P64DoDelete", "De&lete");
        int row = 1;
        for (QPushButton* b : {add, before, after, up_, down_, delete_}) grid->addWidget(b, row++, 1);

        QObject::connect(add, &QPushButton::clicked, panel, [this] { AddALine(AddStyle::AtEnd); });
        QObject::connect(avail_, &QListWidget::itemDoubleClicked, panel,
                         [this] { AddALine(AddStyle::AtEnd); });
        QObject::connect(before, &QPushButton::clicked, panel, [this] { AddALine(AddStyle::Before); });
        QObject::connect(after, &QPushButton::clicked, panel, [this] { AddALine(AddStyle::After); });
        QObject::connect(up_, &QPushButton::clicked, panel, [this] { Apply(&wizard::CombinedList::Up); });
        QObject::connect(down_, &QPushButton::clicked, panel, [this] { Apply(&wizard::CombinedList::Down); });
        QObject::connect(delete_, &QPushButton::clicked, panel, [this] {
            wizard::CombinedList list = Read();
            const std::string message = list.Delete();
            if (!message.empty()) return Error(message);
            Write(list);
        });
        // A click makes the row current before it selects it: the buttons follow both.
        QObject::connect(newBox_, &QListWidget::currentRowChanged, panel, [this] { P64EnableDisable(); });
        QObject::connect(newBox_, &QListWidget::itemSelectionChanged, panel, [this] { P64EnableDisable(); });
        P64EnableDisable();
    }

    void Shown(int, bool firstShowing, WizardForm& form) override {
        if (firstShowing) {
            const wizard::WizardContext& ctx = form.Context();
            avail_->clear();
            for (const wizard::CombinedItem& item : wizard::CombinableMacros(ctx.GlobData, ctx.Config))
                avail_->addItem(Item(item));
        }
        avail_->setFocus();
    }

private:
    static QListWidget* List(QWidget* panel, const char* name) {
        auto* list = new QListWidget(panel);
        list->setObjectName(name);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        return list;
    }

    static QListWidgetItem* Item(const wizard::CombinedItem& item) {
        auto* row = new QListWidgetItem(win::ToQt(item.nickname));
        row->setData(kNumberRole, item.number);
        return row;
    }

    static void Error(const std::string& message) {
        win::MessageBox(message, "Error", win::MbButtons::Ok, win::MbIcon::Error);
    }

    // The new macro's list as the model sees it; the widget keeps the answer.
    wizard::CombinedList Read() const {
        wizard::CombinedList list;
        for (int i = 0; i < newBox_->count(); ++i)
            list.items.push_back(
                {win::FromQt(newBox_->item(i)->text()), newBox_->item(i)->data(kNumberRole).toInt()});
        list.selected =
            newBox_->currentItem() && newBox_->currentItem()->isSelected() ? newBox_->currentRow() : -1;
        return list;
    }

    void Write(const wizard::CombinedList& list) {
        newBox_->clear();
        for (const wizard::CombinedItem& item : list.items) newBox_->addItem(Item(item));
        newBox_->setCurrentRow(list.selected);
        P64EnableDisable();
    }

    void AddALine(AddStyle style) {
        std::optional<wizard::CombinedItem> chosen;
        if (QListWidgetItem* item = avail_->currentItem(); item && item->isSelected())
            chosen = wizard::CombinedItem{win::FromQt(item->text()), item->data(kNumberRole).toInt()};
        wizard::CombinedList list = Read();
        const std::string message = list.AddALine(style, chosen ? &*chosen : nullptr);
        if (!message.empty()) return Error(message);
        Write(list);
    }

    void Apply(void (wizard::CombinedList::*move)()) {
        wizard::CombinedList list = Read();
        (list.*move)();
        Write(list);
    }

    void P64EnableDisable() {
        const wizard::CombinedButtons b = Read().EnableDisable();
        up_->setEnabled(b.up);
        down_->setEnabled(b.down);
        delete_->setEnabled(b.remove);
    }

    QListWidget* avail_ = nullptr;
    QListWidget* newBox_ = nullptr;
    QPushButton *up_ = nullptr, *down_ = nullptr, *delete_ = nullptr;
};

}  // namespace

std::unique_ptr<WizardPageGroup> MakeCombinedPages() { return std::make_unique<CombinedPages>(); }

}  // namespace tessaro
