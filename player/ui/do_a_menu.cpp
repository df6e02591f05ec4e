#include "player/ui/do_a_menu.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include "hook/qtmhook.h"
#include "platform/cp1252.h"
#include "platform/desktop.h"
#include "player/engine/top_window_menu.h"
#include "player/ui/tray_pictures.h"
#include "widgets/on_top.h"

namespace tessaro {

namespace {

constexpr int kListWidth = 300;
constexpr int kListGap = 4;
constexpr int kKeyCell = kChooserLineHeight;
// Taking the keyboard fails while the window is not yet viewable, or when the held hot
// key's repeat grabbed it again in between: asked again this often, for about a second.
constexpr int kGrabRetryMs = 10;
constexpr int kGrabTries = 100;

// Room for a push button and, in list styles, the hint beside it.
int BottomRow(const QPushButton& button, int specified) {
    return std::max(specified, button.sizeHint().height() + 6);
}

}  // namespace

TDoAMenu::TDoAMenu(win::Desktop& desktop, const ChooserOptions& options, std::vector<ChooserItem> items,
                   std::optional<int> iconX, QWidget* parent)
    : QDialog(parent), desktop_(desktop), options_(options), items_(std::move(items)), iconX_(iconX) {
    if (items_.size() > static_cast<std::size_t>(kMaxChooserItems)) items_.resize(kMaxChooserItems);
    setWindowTitle(kChooserCaption);
    MakeOnTop(*this);
    AbortButton = new QPushButton("&Cancel", this);
    AbortButton->setAutoDefault(false);
    connect(AbortButton, &QPushButton::clicked, this, [this] { AbortButtonClick(); });
    // The icon style's Cancel row is as high as its formula says, the button made to fit it.
    if (options_.style == ChooserStyle::Icons)
        BuildIcons(22);
    else
        BuildLists(BottomRow(*AbortButton, 42));
    setFixedSize(plan_.width, plan_.height);
}

void TDoAMenu::BuildIcons(int bottom) {
    plan_ = IconGeometry(static_cast<int>(items_.size()), options_.iconSize, bottom);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        auto* button = new QToolButton(this);
        const int row = static_cast<int>(i) / 9, column = static_cast<int>(i) % 9;
        button->setGeometry(column * plan_.button, row * plan_.button, plan_.button, plan_.button);
        button->setIcon(MacroPicture(items_[i].icon, items_[i].scope));
        button->setIconSize(QSize(options_.iconSize, options_.iconSize));
        button->setToolTip(win::ToQt(items_[i].nickname));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, i] { MySpeedClick(static_cast<int>(i)); });
        SpeedButtons.push_back(button);
    }
    const int top = plan_.rows * plan_.button;
    const int buttonWidth = std::min(plan_.width, std::max(80, AbortButton->sizeHint().width()));
    const int buttonHeight = std::min(bottom, AbortButton->sizeHint().height());
    AbortButton->setGeometry((plan_.width - buttonWidth) / 2, top + (bottom - buttonHeight) / 2, buttonWidth,
                             buttonHeight);
}

void TDoAMenu::BuildLists(int bottom) {
    const int count = static_cast<int>(items_.size());
    plan_ = ListGeometry(count, bottom);
    Script = MakeList(0, std::min(count, kLinesPerList), 0, 0, kListWidth);
    connect(Script, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { ScriptDblClick(row); });
    if (plan_.twoLists) {
        Script2 = MakeList(kLinesPerList, count - kLinesPerList, kListWidth + kListGap, 0, kListWidth);
        connect(Script2, &QTableWidget::cellDoubleClicked, this,
                [this](int row, int) { Script2DblClick(row); });
    }
    // The column titles sit above the lines, so the window grows by their height.
    const int header = Script->horizontalHeader()->height();
    plan_.height += header;
    const int top = header + plan_.listHeight;
    const QSize hint = AbortButton->sizeHint();
    const int buttonWidth = std::max(80, hint.width());
    AbortButton->setGeometry(6, top + (bottom - hint.height()) / 2, buttonWidth, hint.height());
    HintLabel = new QLabel(kChooserHint, this);
    HintLabel->setGeometry(buttonWidth + 14, top, plan_.width - buttonWidth - 20, bottom);
    HintLabel->setWordWrap(true);
}

QTableWidget* TDoAMenu::MakeList(int first, int count, int left, int top, int width) {
    const bool names = options_.style == ChooserStyle::Names;
    auto* list = new QTableWidget(count, names ? 3 : 2, this);
    list->setHorizontalHeaderLabels(names ? QStringList{"", "Name", "Scope"} : QStringList{"", "Macro Text"});
    list->verticalHeader()->hide();
    list->verticalHeader()->setMinimumSectionSize(kChooserLineHeight);
    list->verticalHeader()->setDefaultSectionSize(kChooserLineHeight);
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->horizontalHeader()->setStretchLastSection(true);
    list->horizontalHeader()->setSectionsClickable(false);
    list->setShowGrid(true);
    list->setGridStyle(Qt::SolidLine);
    list->setStyleSheet("QTableWidget { gridline-color: grey; }");
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setColumnWidth(0, kKeyCell);
    if (names) list->setColumnWidth(1, width * 5 / 7 - kKeyCell);
    const QFontMetrics metrics(list->font());
    const auto measure = [&metrics](const std::string& s) { return metrics.horizontalAdvance(win::ToQt(s)); };
    for (int row = 0; row < count; ++row) {
        const ChooserItem& item = items_[static_cast<std::size_t>(first + row)];
        auto* key = new QTableWidgetItem(QString(QChar(KeyOfItem(first + row))));
        key->setTextAlignment(Qt::AlignCenter);
        key->setBackground(Qt::lightGray);
        list->setItem(row, 0, key);
        if (names) {
            const std::string name =
                CutToWidth(ActivationDescription(item), width * 9 / 14 - kKeyCell - 4, measure);
            list->setItem(row, 1, new QTableWidgetItem(win::ToQt(name)));
            list->setItem(row, 2, new QTableWidgetItem(win::ToQt(ScopeDescription(item))));
        } else {
            list->setItem(row, 1, new QTableWidgetItem(win::ToQt(OneLine(item.text))));
        }
    }
    const int header = list->horizontalHeader()->sizeHint().height();
    list->horizontalHeader()->setFixedHeight(header);
    list->setGeometry(left, top, width, header + plan_.listHeight);
    return list;
}

void TDoAMenu::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 640, 480);
    const ChooserPlace place = ChooserPosition(iconX_, frameGeometry().width(), frameGeometry().height(),
                                               area.width(), area.height());
    move(area.left() + place.x, area.top() + place.y);
    raise();
    activateWindow();
    // The hot key reached the player outside its toolkit, so a window manager may take
    // the window for one the user did not ask for and keep the focus where it was.
    QTimer::singleShot(0, this, [this] {
        desktop_.SetForegroundWindow(static_cast<win::HWND>(winId()));
        TakeKeyboard();
    });
}

void TDoAMenu::hideEvent(QHideEvent* event) {
    if (keyboardGrabbed_ && windowHandle()) windowHandle()->setKeyboardGrabEnabled(false);
    keyboardGrabbed_ = false;
    QDialog::hideEvent(event);
}

void TDoAMenu::TakeKeyboard() {
    QWindow* window = windowHandle();
    if (keyboardGrabbed_ || !window || !isVisible() || QGuiApplication::platformName() != "xcb") return;
    QtmEndHotKeyGrab();
    keyboardGrabbed_ = window->setKeyboardGrabEnabled(true);
    if (!keyboardGrabbed_ && ++grabTries_ < kGrabTries)
        QTimer::singleShot(kGrabRetryMs, this, [this] { TakeKeyboard(); });
}

void TDoAMenu::keyPressEvent(QKeyEvent* event) {
    // The repeats of a hot key still held choose nothing.
    if (event->isAutoRepeat()) return;
    // Digits and letters by their key: the modifiers of a hot key still held change the
    // text a key types, not which key it is.
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        FormKeyPress(static_cast<char>('0' + (key - Qt::Key_0)));
        return;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        FormKeyPress(static_cast<char>('A' + (key - Qt::Key_A)));
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() < 128) {
        FormKeyPress(static_cast<char>(text[0].unicode()));
        if (text[0].isLetterOrNumber()) return;
    }
    QDialog::keyPressEvent(event);
}

bool TDoAMenu::FormKeyPress(char key) {
    const std::optional<int> index = ItemOfKey(key, static_cast<int>(items_.size()));
    if (!index) return false;
    DoIt(*index);
    return true;
}

void TDoAMenu::DoIt(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    result_ = items_[static_cast<std::size_t>(index)].macro;
    accept();
}

void TDoAMenu::ScriptDblClick(int row) { DoIt(row); }
void TDoAMenu::Script2DblClick(int row) { DoIt(kLinesPerList + row); }
void TDoAMenu::MySpeedClick(int index) { DoIt(index); }

void TDoAMenu::AbortButtonClick() {
    result_ = -1;
    reject();
}

}  // namespace tessaro
