#pragma once
// Acting on a modal window once the code under test has it up: the test arms the wait,
// then calls what opens the window (and blocks in its exec()). The window is looked for on
// every turn of the event loop until a limit; past it the test fails, naming what it
// waited for, and whatever modal window is up is closed, so the test goes on instead of
// hanging. A wait left from an earlier test does nothing.
#include <QWidget>
#include <chrono>
#include <functional>

namespace tessaro::testing {

inline constexpr std::chrono::milliseconds kModalLimit{20000};

// Runs `act` on the first modal window `wanted` takes; `what` names it in a failure.
void WhenModalWindow(const char* what, std::function<bool(QWidget*)> wanted,
                     std::function<void(QWidget*)> act, std::chrono::milliseconds limit = kModalLimit);

// The same for a window shown before its exec(), which is then no modal window to the
// application: the first shown top-level window `wanted` takes.
void WhenShownWindow(const char* what, std::function<bool(QWidget*)> wanted,
                     std::function<void(QWidget*)> act, std::chrono::milliseconds limit = kModalLimit);

// Runs `act` on the modal window once one is up, whatever its class.
inline void WhenModal(std::function<void(QWidget*)> act, std::chrono::milliseconds limit = kModalLimit) {
    WhenModalWindow(
        "window", [](QWidget*) { return true; }, std::move(act), limit);
}

// Runs `act` on the modal dialog of class T once it is up.
template <class T>
void WhenModal(std::function<void(T&)> act, std::chrono::milliseconds limit = kModalLimit) {
    WhenModalWindow(
        T::staticMetaObject.className(), [](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
        [act = std::move(act)](QWidget* w) { act(*qobject_cast<T*>(w)); }, limit);
}

// Runs `act` on the shown window of class T (`what` names it in a failure) once it is up.
template <class T>
void WhenShown(const char* what, std::function<void(T&)> act, std::chrono::milliseconds limit = kModalLimit) {
    WhenShownWindow(
        what, [](QWidget* w) { return dynamic_cast<T*>(w) != nullptr; },
        [act = std::move(act)](QWidget* w) { act(*dynamic_cast<T*>(w)); }, limit);
}

}  // namespace tessaro::testing
