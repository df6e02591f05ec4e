#include "widgets/end_request.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include "platform/message_box.h"
#include "platform/wait_step.h"

namespace tessaro {
namespace {

// The handler may only write to a descriptor; the event loop reads the other end.
int g_endPipe[2] = {-1, -1};

void OnEndSignal(int) {
    win::NoteEndRequested();  // a wait for another program's lock gives up at once
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_endPipe[1], &c, 1);
}

}  // namespace

void CloseOpenBoxes() {
    win::StopShowingMessageBoxes();
    // Each close ends one box's loop; the one beneath it is modal next.
    for (int guard = 0; guard < 64; ++guard) {
        QPointer<QWidget> box = QApplication::activeModalWidget();
        if (!box) break;
        if (auto* dialog = qobject_cast<QDialog*>(box.data()))
            dialog->reject();
        else
            box->close();
        if (box && box->isVisible()) box->hide();
    }
}

bool CatchEndSignals() {
    if (g_endPipe[0] >= 0) return true;
    if (::pipe2(g_endPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction sa {};
    sa.sa_handler = OnEndSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &sa, nullptr) == 0 && ::sigaction(SIGINT, &sa, nullptr) == 0;
}

EndSignals::EndSignals(std::function<void()> onEnd) : onEnd_(std::move(onEnd)) {
    if (g_endPipe[0] < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(g_endPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        char buffer[16];
        while (::read(g_endPipe[0], buffer, sizeof buffer) > 0) {
        }
        onEnd_();
    });
}

EndSignals::~EndSignals() = default;

}  // namespace tessaro
