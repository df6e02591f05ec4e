#pragma once
// A program this one started and may have to end: held by a pidfd, so the signal reaches
// that program even when its number has long been given to another process.
#include <sys/types.h>

#include "platform/file_io.h"

namespace win {

class StartedProcess {
public:
    // Holds on to process `pid` (just started); holds nothing when it is gone already.
    explicit StartedProcess(pid_t pid);
    // Whether the program still runs.
    bool Running() const;
    // Asks it to end (SIGTERM); false when it runs no more.
    bool Terminate() const;

private:
    UniqueFd fd_;
};

}  // namespace win
