#include "platform/wait_step.h"

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <thread>

namespace win {
namespace {

// Set from a signal handler, so nothing but a lock-free flag will do.
std::atomic<bool> g_endRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

}  // namespace

void NoteEndRequested() noexcept { g_endRequested.store(true, std::memory_order_relaxed); }

bool EndRequested() noexcept { return g_endRequested.load(std::memory_order_relaxed); }

void WaitStep(std::chrono::milliseconds step) {
    std::this_thread::sleep_for(step);
    // Last, so that a request to end that came meanwhile has been taken by the program
    // (its boxes closed) when the caller asks EndRequested().
    const QCoreApplication* app = QCoreApplication::instance();
    if (app && app->thread() == QThread::currentThread()) QCoreApplication::processEvents();
}

}  // namespace win
