#pragma once
// Counts down the seconds of a time-out with a one-second timer on the event loop.
#include <QTimer>
#include <functional>

namespace tessaro::mail {

class TTimeCounter {
public:
    // `ticked` runs after every tick (the socket wakes its wait with it).
    explicit TTimeCounter(std::function<void()> ticked);

    int TimeOut = 60;  // seconds
    bool TimedOut() const { return timedOut_; }
    int Remaining() const { return remaining_; }

    // Start does not clear TimedOut; Reset does.
    void Start();
    void Stop() { timer_.stop(); }
    void Reset() { timedOut_ = false; }

private:
    QTimer timer_;
    std::function<void()> ticked_;
    int remaining_ = 0;
    bool timedOut_ = false;
};

}  // namespace tessaro::mail
