// Stand-in editor for the start-gate tests: passes the gate like the editor does, reports
// what it saw on stdout, and holds the guard until its stdin closes.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "foundation/start_gate.h"
#include "platform/message_box.h"

int main(int argc, char** argv) {
    win::ScopedMessageBoxHandler boxes([](const win::MessageBoxCall& call) {
        std::printf("BOX [%s] [%s]\n", call.caption.c_str(), call.text.c_str());
        std::fflush(stdout);
        return win::MbResult::Ok;
    });
    auto guard = tessaro::EditorStartGate(argc, argv);
    if (guard && guard->acquired()) {
        const char* window = std::getenv("PROBE_WINDOW");
        guard->RecordWindow(window ? std::strtoull(window, nullptr, 10) : 0);
    }
    std::printf("RUNNING %s\n", guard ? "guarded" : "unguarded");
    std::fflush(stdout);
    char c;
    while (::read(0, &c, 1) > 0) {
    }
    return 0;
}
