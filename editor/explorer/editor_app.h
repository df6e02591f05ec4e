#pragma once
// The editor's main block: start gate, settings, the main window and the event loop, on
// `platform`.
namespace win {
class Platform;
}

namespace tessaro {

int RunEditor(int argc, char** argv, win::Platform& platform);

}  // namespace tessaro
