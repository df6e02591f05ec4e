#pragma once
// The player's program: single instance or hand-over, the main block's shared objects and
// records, the hidden main window and the event loop, on `platform`. SIGTERM and SIGINT
// close the player as "Terminate" does.
namespace win {
class Platform;
}

namespace tessaro {

int RunPlayer(int argc, char** argv, win::Platform& platform);

}  // namespace tessaro
