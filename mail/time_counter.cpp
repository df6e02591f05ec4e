#include "mail/time_counter.h"

namespace tessaro::mail {

TTimeCounter::TTimeCounter(std::function<void()> ticked) : ticked_(std::move(ticked)) {
    timer_.setInterval(1000);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (--remaining_ <= 0) timedOut_ = true;
        ticked_();
    });
}

void TTimeCounter::Start() {
    remaining_ = TimeOut;
    timer_.start();
}

}  // namespace tessaro::mail
