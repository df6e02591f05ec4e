#pragma once
// The services of the desktop a program runs on, built once where the program starts (the
// X server's: platform/x11/x11_platform.h) or by a test (the simulated desktop's:
// platform/sim/sim_platform.h), and handed down by reference to whatever uses them.
#include <memory>
#include <string>

namespace win {

class Desktop;
class InputBackend;
class Messages;
class Power;
class Printers;
class ScreenSaverInhibitor;
class SystemSettings;
class WindowControl;

class Platform {
public:
    virtual ~Platform() = default;

    virtual Desktop& desktop() = 0;
    virtual WindowControl& windowControl() = 0;
    // Synthesised keys and mouse events; each user owns its own.
    virtual std::unique_ptr<InputBackend> MakeInput() = 0;
    virtual SystemSettings& systemSettings() = 0;
    virtual Power& power() = 0;
    virtual Printers& printers() = 0;
    virtual Messages& messages() = 0;

    // The desktop's default beep.
    virtual void Bell() = 0;
    // Keeps the screen saver from starting while held; `application` names the holder to
    // the session. Released when destroyed.
    virtual std::unique_ptr<ScreenSaverInhibitor> ScreenSaver(const std::string& application) = 0;
    // At the start of the one player of the session: releases the keys and buttons a player
    // that died left held down and gives back the keycodes it left remapped. True when there
    // was something to undo.
    virtual bool UndoInputLeftByDeadPlayer() = 0;
};

}  // namespace win
