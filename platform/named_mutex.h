#pragma once
// Named mutexes shared between processes of one session. A mutex whose owner died is
// handed to the next waiter (reported as abandoned), never left locked for ever.
#include <memory>
#include <string>

namespace win {

class SharedMemory;

enum class WaitResult { Acquired, Abandoned, Timeout, Failed };

class NamedMutex {
public:
    // Creates the mutex or opens the existing one; nullptr on failure.
    static std::unique_ptr<NamedMutex> Create(const std::string& name, std::string* error = nullptr);
    // Opens an existing mutex; nullptr when none exists.
    static std::unique_ptr<NamedMutex> Open(const std::string& name, std::string* error = nullptr);
    // Removes the name when the mutex is this user's; open handles stay valid.
    static void Remove(const std::string& name);

    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // Waits at most timeoutMs (negative: without limit). Recursive within one thread.
    WaitResult Wait(int timeoutMs);
    bool Release();

private:
    explicit NamedMutex(std::unique_ptr<SharedMemory> block);
    static std::unique_ptr<NamedMutex> Attach(std::unique_ptr<SharedMemory> block, std::string* error);
    std::unique_ptr<SharedMemory> block_;
};

// Holds a mutex for a scope; owns() says whether the wait got it.
class MutexLock {
public:
    MutexLock(NamedMutex& mutex, int timeoutMs) : mutex_(mutex), result_(mutex.Wait(timeoutMs)) {}
    ~MutexLock() {
        if (owns()) mutex_.Release();
    }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;
    bool owns() const { return result_ == WaitResult::Acquired || result_ == WaitResult::Abandoned; }
    WaitResult result() const { return result_; }

private:
    NamedMutex& mutex_;
    WaitResult result_;
};

}  // namespace win
