#include "player/ui/player_app.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "widgets/program_windows.h"

#include "foundation/config_record.h"
#include "foundation/settings.h"
#include "protocol/object_names.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "platform/named_mutex.h"
#include "platform/platform.h"
#include "platform/shared_memory.h"
#include "platform/single_instance.h"
#include "platform/window_control.h"
#include "protocol/glob_data.h"
#include "player/engine/command_line.h"
#include "player/ui/main_win.h"
#include "widgets/end_request.h"
#include "player/engine/single_start.h"
#include "protocol/swap_keys.h"

namespace tessaro {

namespace {

// How long a second start waits for a player that is still starting.
constexpr std::chrono::seconds kWaitForStartingPlayer{20};

// The objects the main block holds for the whole run. The player is the one owner of
// every shared object of the system, so at its end it removes their names even when a
// player that died earlier left them behind and this run only opened them.
// Set while this process owns the shared objects. A lost display ends the program through
// exit() (Xlib's and Qt's handlers both call it), past every destructor on the stack: the
// names and the window in the single-instance guard would outlive it.
std::atomic<bool> g_ownsSharedObjects{false};

void RemovePlayerObjects() {
    for (const char* block : kPlayerBlocks) win::SharedMemory::Remove(block);
    for (const char* mutex : kPlayerMutexes) win::NamedMutex::Remove(mutex);
}

void RemovePlayerObjectsAtExit() {
    if (!g_ownsSharedObjects.exchange(false)) return;
    RemovePlayerObjects();
    // The guard's lock goes with the process; the window recorded there must go too.
    if (::truncate(win::SingleInstancePath(kPlayerInstanceName).c_str(), 0) != 0) {
    }
}

struct MainBlockObjects {
    std::unique_ptr<win::SharedMemory> master;
    std::vector<std::unique_ptr<win::NamedMutex>> mutexes;

    ~MainBlockObjects() {
        if (!master) return;
        g_ownsSharedObjects = false;
        master.reset();
        mutexes.clear();
        RemovePlayerObjects();
    }
};

bool CreateMainBlockObjects(MainBlockObjects& o) {
    std::string error;
    o.master = win::SharedMemory::Create(kMasterBlockName, kGlobDataSize, &error);
    if (!o.master) {
        SystemError(kMappingNotCreated, error);
        return false;
    }
    for (const char* name : kPlayerMutexes) {
        auto mutex = win::NamedMutex::Create(name, &error);
        if (!mutex) {
            SystemError(kMutexNotCreated, error);
            return false;
        }
        o.mutexes.push_back(std::move(mutex));
    }
    static const bool removedAtExit = std::atexit(RemovePlayerObjectsAtExit) == 0;
    g_ownsSharedObjects = removedAtExit;
    return true;
}

}  // namespace

int RunPlayer(int argc, char** argv, win::Platform& platform) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(win::Utf8ToCp1252(argv[i]));

    StartDecision start = ClaimOrHandOver(args, kWaitForStartingPlayer,
                                          [&platform](std::uint32_t window, const std::string& text) {
                                              return PostHandOver(platform.messages(), window, text);
                                          });
    if (start.role == StartDecision::Refused) {
        win::MessageBox(start.problem + "  Tessaro will terminate.", "System Error", win::MbButtons::Ok,
                        win::MbIcon::Error);
        return 1;
    }
    if (start.role != StartDecision::Player) return 0;
    platform.UndoInputLeftByDeadPlayer();

    // From here on a signal closes the player cleanly, even one that comes during start-up.
    const bool signalsCaught = CatchEndSignals();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessaro 99");
    QApplication::setQuitOnLastWindowClosed(false);
    ProgramWindows windows;

    // A signal ends the player whenever it comes: a box on the screen (at start-up, too)
    // is closed and no other shows, and a start that is under way ends as soon as it can.
    std::unique_ptr<TMainWin> main;
    bool stopDuringStart = false;
    std::unique_ptr<EndSignals> signalNotifier;
    if (signalsCaught) {
        signalNotifier = std::make_unique<EndSignals>([&main, &stopDuringStart] {
            CloseOpenBoxes();
            if (main)
                main->Terminate();
            else
                stopDuringStart = true;
        });
    }

    MainBlockObjects objects;
    if (!CreateMainBlockObjects(objects)) return 1;
    auto glob = std::make_unique<TGlobData>();
    std::memset(static_cast<void*>(glob.get()), 0, sizeof(TGlobData));
    auto config = std::make_unique<TConfigRecord>();
    LoadAllSettings(*config, platform.windowControl().Screen());
    if (TraySwitchGiven(args)) config->UseTray = true;

    main = TMainWin::Create(platform, *config, *glob, args);
    if (!main) return 1;
    if (stopDuringStart) {
        main.reset();
        return 0;
    }
    if (start.guard) start.guard->RecordWindow(main->Handle());

    const int result = QApplication::exec();
    signalNotifier.reset();
    main.reset();
    return result;
}

}  // namespace tessaro
