#pragma once
// The editor's main block: start gate, settings, the main window and the event loop.

namespace tessaro {

int RunEditor(int argc, char** argv);

}  // namespace tessaro
