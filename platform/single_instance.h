#pragma once
// One running instance per session for a named program ("QTMED321Z" the editor,
// "QTMRN321Z" the player): an exclusive lock on a file in the runtime directory. Taking it
// is one atomic step, and the kernel drops it when the holder dies, however it ends.
// The holder may record its main window so that peers can find it.
#include <cstdint>
#include <string>

namespace win {

class SingleInstance {
public:
    enum class Status {
        Acquired,  // we are the one instance; the guard lasts as long as this object
        Running,   // another live process holds the name
        Failed,    // the lock file could not be made; run on unguarded
        Refused,   // the runtime folder or the lock file is not safely ours (problem())
    };

    explicit SingleInstance(const std::string& name);
    ~SingleInstance();
    SingleInstance(SingleInstance&& other) noexcept;
    SingleInstance& operator=(SingleInstance&& other) noexcept;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    Status status() const { return status_; }
    bool acquired() const { return status_ == Status::Acquired; }
    // Why the guard was refused, for the user.
    const std::string& problem() const { return problem_; }

    // Publishes the holder's main window (an X11 window id); false when not acquired or the
    // write failed.
    bool RecordWindow(std::uint64_t window);

    // Gives the guard up early (normally the destructor or the process end does it).
    void Release();

private:
    Status status_ = Status::Failed;
    std::string problem_;
    int fd_ = -1;
};

// True while a live process holds `name`.
bool InstanceRunning(const std::string& name);

// The window the live holder of `name` recorded, or 0 when nobody holds it or nothing has
// been recorded yet.
std::uint64_t RunningInstanceWindow(const std::string& name);

// The lock file behind `name` (for diagnostics and tests); empty when the runtime folder is
// not safe to use.
std::string SingleInstancePath(const std::string& name);

}  // namespace win
