#include "widgets/form_minimise.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace tessaro {

namespace {

class MinimiseRefusal final : public QObject {
public:
    explicit MinimiseRefusal(QWidget& form) : QObject(&form), form_(form) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &form_ && event->type() == QEvent::WindowStateChange &&
            (form_.windowState() & Qt::WindowMinimized))
            // Once the change is handled, so that the window manager hears the new state.
            QTimer::singleShot(0, this, [this] {
                form_.setWindowState(form_.windowState() & ~Qt::WindowMinimized);
                form_.show();
                form_.raise();
                form_.activateWindow();
            });
        return false;
    }

private:
    QWidget& form_;
};

}  // namespace

void RefuseMinimise(QWidget& form) {
    form.setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    form.installEventFilter(new MinimiseRefusal(form));
}

}  // namespace tessaro
