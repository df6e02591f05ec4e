#include "widgets/hot_key_fields.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "platform/messages.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

std::int64_t NowMs() { return QDateTime::currentMSecsSinceEpoch(); }

int ButtonNumber(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton: return 1;
        case Qt::RightButton: return 2;
        case Qt::MiddleButton: return 3;
        default: return 0;
    }
}

}  // namespace

HotKeyFields::HotKeyFields(win::Messages& messages, QWidget& window, HotKeyFieldOwner& owner)
    : window_(window), owner_(owner) {
    receiver_ =
        std::make_unique<win::MessageReceiver>(messages, static_cast<win::HWND>(window.winId()),
                                               [this](std::uint32_t msg, std::uint32_t w, std::int32_t) {
                                                   if (msg == WM_HOTKEY_CHOSEN)
                                                       Reported(static_cast<int>(w & 0x3FF));
                                                   return 0;
                                               });
    // Presses are seen at the window, before a click moves the focus out of the field.
    QCoreApplication::instance()->installEventFilter(this);
}

HotKeyFields::~HotKeyFields() { QCoreApplication::instance()->removeEventFilter(this); }

void HotKeyFields::AddField(QWidget& field) { fields_.push_back(&field); }

QWidget* HotKeyFields::PickingField() const {
    QWidget* focus = window_.focusWidget();
    return std::find(fields_.begin(), fields_.end(), focus) != fields_.end() ? focus : nullptr;
}

void HotKeyFields::Reported(int code) {
    const int taken = gate_.Reported(code, NowMs());
    if (taken >= 0) owner_.HotKeyChosen(taken);
}

bool HotKeyFields::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress || !watched->isWindowType()) return false;
    QWidget* field = PickingField();
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int button = ButtonNumber(mouse->button());
    if (!field || button == 0) return false;
    QWidget* top = QWidget::find(static_cast<QWindow*>(watched)->winId());
    const QWidget* target = top ? top->childAt(mouse->position().toPoint()) : nullptr;
    if (!target) target = top;
    const bool inField = target && (target == field || field->isAncestorOf(target));
    if (!inField) {
        owner_.EndHotKeyRouting();
        // Routing and focus stay together: a click back into the field starts it again.
        field->clearFocus();
    }
    const int taken = gate_.Pressed(button, inField, NowMs());
    if (taken >= 0) owner_.HotKeyChosen(taken);
    return false;
}

}  // namespace tessaro
