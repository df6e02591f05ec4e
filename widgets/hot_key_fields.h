#pragma once
// The fields of a window that pick a hot key by pressing it. While one has the focus, the
// hook library reports the pressed hot keys to the window (WM_HOTKEY_CHOSEN). A mouse button
// is a chosen key only when it is pressed inside that field; a press anywhere else ends the
// routing before the report of that press arrives, and the report is dropped.
#include <QObject>
#include <memory>
#include <vector>

#include "widgets/hot_key_gate.h"

class QWidget;

namespace win {
class MessageReceiver;
class Messages;
}  // namespace win

namespace tessaro {

// The window that owns the fields.
class HotKeyFieldOwner {
public:
    virtual ~HotKeyFieldOwner() = default;
    // A hot key the user chose in the focused field.
    virtual void HotKeyChosen(int code) = 0;
    // A mouse button went down outside the focused field: hot keys go back to the player.
    virtual void EndHotKeyRouting() = 0;
};

class HotKeyFields : public QObject {
public:
    // Receives the reports at the native window of `window` from now on, as `messages`
    // carries them.
    HotKeyFields(win::Messages& messages, QWidget& window, HotKeyFieldOwner& owner);
    ~HotKeyFields() override;

    void AddField(QWidget& field);

    // A report as the library sends it (the message handler's entry; tests of the rule).
    void Reported(int code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* PickingField() const;

    QWidget& window_;
    HotKeyFieldOwner& owner_;
    std::vector<QWidget*> fields_;
    HotKeyGate gate_;
    std::unique_ptr<win::MessageReceiver> receiver_;
};

}  // namespace tessaro
