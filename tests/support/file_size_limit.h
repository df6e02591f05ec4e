#pragma once
// Makes every write of this process past `bytes` fail with EFBIG, as on a full disk. Unlike
// file permissions it binds root too, so the failure paths run on any machine.
#include <signal.h>
#include <sys/resource.h>

namespace tessaro::testing {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        // The signal would end the process; the write is to fail with EFBIG instead.
        previousSignal_ = ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        set_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        if (set_) ::setrlimit(RLIMIT_FSIZE, &previous_);
        ::signal(SIGXFSZ, previousSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool set() const { return set_; }

private:
    rlimit previous_{};
    sighandler_t previousSignal_ = SIG_DFL;
    bool set_ = false;
};

}  // namespace tessaro::testing
