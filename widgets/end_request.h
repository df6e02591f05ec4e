#pragma once
// A request to end the program (SIGTERM, SIGINT, or the player closing its editor) must end
// it whatever window or box is open: boxes run their own event loops, and one left open
// would hold the end until somebody clicked it.
#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace tessaro {

// Closes every box and dialog that is open, the innermost first, and shows no more boxes
// (each goes to stderr with its first answer).
void CloseOpenBoxes();

// Catches SIGTERM and SIGINT from now on; they wait in a pipe until an EndSignals object
// takes them on the main thread. Call once, early (a signal during the start is kept).
bool CatchEndSignals();

// Calls `onEnd` on the main thread for each caught signal, even while a box is open.
class EndSignals {
public:
    explicit EndSignals(std::function<void()> onEnd);
    ~EndSignals();
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

private:
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onEnd_;
};

}  // namespace tessaro
