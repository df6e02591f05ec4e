#include "platform/named_mutex.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <ctime>

#include "platform/shared_memory.h"

namespace win {

namespace {

struct MutexBlock {
    std::atomic<std::uint32_t> ready;  // set once the creator has initialised the mutex
    pthread_mutex_t mutex;
};

constexpr std::uint32_t kReady = 0x7e55a201;

std::string BlockName(const std::string& name) { return "mutex-" + name; }

MutexBlock* BlockOf(const std::unique_ptr<SharedMemory>& block) {
    return static_cast<MutexBlock*>(block->data());
}

bool Initialise(MutexBlock* b) {
    pthread_mutexattr_t attr;
    if (pthread_mutexattr_init(&attr) != 0) return false;
    bool ok = pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED) == 0 &&
              pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST) == 0 &&
              pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE) == 0 &&
              pthread_mutex_init(&b->mutex, &attr) == 0;
    pthread_mutexattr_destroy(&attr);
    if (ok) b->ready.store(kReady, std::memory_order_release);
    return ok;
}

// The creator initialises right after creating; an opener waits a little for it.
bool AwaitReady(MutexBlock* b) {
    for (int i = 0; i < 500; ++i) {
        if (b->ready.load(std::memory_order_acquire) == kReady) return true;
        ::usleep(1000);
    }
    return false;
}

}  // namespace

NamedMutex::NamedMutex(std::unique_ptr<SharedMemory> block) : block_(std::move(block)) {}
NamedMutex::~NamedMutex() = default;

std::unique_ptr<NamedMutex> NamedMutex::Attach(std::unique_ptr<SharedMemory> block, std::string* error) {
    if (!block) return nullptr;
    MutexBlock* b = BlockOf(block);
    bool ok = block->existed() ? AwaitReady(b) : Initialise(b);
    if (!ok) {
        if (error) *error = "mutex could not be initialised";
        return nullptr;
    }
    return std::unique_ptr<NamedMutex>(new NamedMutex(std::move(block)));
}

std::unique_ptr<NamedMutex> NamedMutex::Create(const std::string& name, std::string* error) {
    return Attach(SharedMemory::Create(BlockName(name), sizeof(MutexBlock), error), error);
}

std::unique_ptr<NamedMutex> NamedMutex::Open(const std::string& name, std::string* error) {
    return Attach(SharedMemory::Open(BlockName(name), sizeof(MutexBlock), error), error);
}

WaitResult NamedMutex::Wait(int timeoutMs) {
    pthread_mutex_t* m = &BlockOf(block_)->mutex;
    int rc;
    if (timeoutMs < 0) {
        rc = pthread_mutex_lock(m);
    } else {
        timespec until{};
        clock_gettime(CLOCK_REALTIME, &until);
        until.tv_sec += timeoutMs / 1000;
        until.tv_nsec += static_cast<long>(timeoutMs % 1000) * 1000000L;
        if (until.tv_nsec >= 1000000000L) {
            until.tv_sec += 1;
            until.tv_nsec -= 1000000000L;
        }
        rc = pthread_mutex_timedlock(m, &until);
    }
    switch (rc) {
        case 0: return WaitResult::Acquired;
        case EOWNERDEAD:
            // The owner died holding it: take it over and make it usable again.
            pthread_mutex_consistent(m);
            return WaitResult::Abandoned;
        case ETIMEDOUT: return WaitResult::Timeout;
        default: return WaitResult::Failed;
    }
}

bool NamedMutex::Release() { return pthread_mutex_unlock(&BlockOf(block_)->mutex) == 0; }

void NamedMutex::Remove(const std::string& name) { SharedMemory::Remove(BlockName(name)); }

}  // namespace win
