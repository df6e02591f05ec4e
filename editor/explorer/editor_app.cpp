#include "editor/explorer/editor_app.h"

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "editor/explorer/main_win.h"
#include "foundation/config_record.h"
#include "foundation/settings.h"
#include "foundation/start_gate.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/window_control.h"
#include "protocol/glob_data.h"
#include "widgets/end_request.h"
#include "widgets/program_windows.h"

namespace tessaro {

int RunEditor(int argc, char** argv, win::Platform& platform) {
    // A signal ends the editor as its user would close it, whatever box is open.
    const bool signalsCaught = CatchEndSignals();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessaro");
    ProgramWindows windows;
    // A signal while the start gate's box is up closes the box, and the gate ends the editor.
    auto gateSignals = signalsCaught ? std::make_unique<EndSignals>([] { CloseOpenBoxes(); }) : nullptr;
    std::optional<win::SingleInstance> guard = EditorStartGate(argc, argv);
    gateSignals.reset();

    auto glob = std::make_unique<TGlobData>();
    auto config = std::make_unique<TConfigRecord>();
    LoadAllSettings(*config, platform.windowControl().Screen());

    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(win::Utf8ToCp1252(argv[i]));
    auto main = std::make_unique<TMainWin>(platform, *config, *glob, args);
    // The player finds the editor only through this record.
    if (guard) guard->RecordWindow(main->winId());
    main->show();
    std::unique_ptr<EndSignals> endSignals;
    if (signalsCaught) endSignals = std::make_unique<EndSignals>([&main] { main->EndAtOnce(); });
    const int result = QApplication::exec();
    endSignals.reset();
    main.reset();
    return result;
}

}  // namespace tessaro
