#pragma once
// The player's program: single instance or hand-over, the main block's shared objects and
// records, the hidden main window and the event loop. SIGTERM and SIGINT close the player
// as "Terminate" does.
namespace tessaro {

int RunPlayer(int argc, char** argv);

}  // namespace tessaro
