#include "tests/support/modal_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <string>

namespace tessaro::testing {
namespace {

std::string Described(const QWidget* w) {
    return std::string(w->metaObject()->className()) + " \"" + w->windowTitle().toStdString() + "\"";
}

// Closes the modal windows up now, the top one first; what they were, for the failure.
std::string CloseModals() {
    std::string closed;
    QWidget* last = nullptr;
    for (int i = 0; i < 10; ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == last) break;
        last = modal;
        closed += (closed.empty() ? "" : ", ") + Described(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
    return closed;
}

// The context of one wait: its turns end with it. It goes when the window came, the limit passed or
// the test it was armed in has ended.
class ModalWait : public QObject {
public:
    ModalWait(const char* what, bool modal, std::function<bool(QWidget*)> wanted,
              std::function<void(QWidget*)> act, std::chrono::milliseconds limit)
        : QObject(QCoreApplication::instance()),
          what_(what),
          modal_(modal),
          wanted_(std::move(wanted)),
          act_(std::move(act)),
          limit_(limit),
          deadline_(limit),
          test_(::testing::UnitTest::GetInstance()->current_test_info()) {
        Again();
    }

private:
    // Once every turn of whichever event loop runs, a dialog's own included. Posted rather
    // than timed: a test may run the code in a forked child, where that is what works.
    void Again() {
        QTimer::singleShot(0, this, [this] { Look(); });
    }
    void Look() {
        if (::testing::UnitTest::GetInstance()->current_test_info() != test_) return Done();
        if (QWidget* found = Found()) {
            const auto act = std::move(act_);
            Done();
            act(found);  // may open further windows and wait on them
            return;
        }
        if (!deadline_.hasExpired()) return Again();
        QWidget* modal = QApplication::activeModalWidget();
        const std::string up = modal ? Described(modal) : std::string();
        Done();
        ADD_FAILURE() << "no " << (modal_ ? "modal " : "shown ") << what_ << " came up within "
                      << limit_.count() << " ms"
                      << (up.empty() ? std::string(" (no modal window was up)")
                                     : " (up instead, now closed: " + CloseModals() + ")");
    }
    void Done() { deleteLater(); }
    QWidget* Found() const {
        if (modal_) {
            QWidget* modal = QApplication::activeModalWidget();
            return modal != nullptr && wanted_(modal) ? modal : nullptr;
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && wanted_(w)) return w;
        return nullptr;
    }

    std::string what_;
    bool modal_;
    std::function<bool(QWidget*)> wanted_;
    std::function<void(QWidget*)> act_;
    std::chrono::milliseconds limit_;
    QDeadlineTimer deadline_;
    const ::testing::TestInfo* test_;
};

}  // namespace

void WhenModalWindow(const char* what, std::function<bool(QWidget*)> wanted,
                     std::function<void(QWidget*)> act, std::chrono::milliseconds limit) {
    new ModalWait(what, true, std::move(wanted), std::move(act), limit);  // owned by the application
}

void WhenShownWindow(const char* what, std::function<bool(QWidget*)> wanted,
                     std::function<void(QWidget*)> act, std::chrono::milliseconds limit) {
    new ModalWait(what, false, std::move(wanted), std::move(act), limit);
}

}  // namespace tessaro::testing
