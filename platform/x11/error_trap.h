#pragma once
// Catches the X errors of a group of requests instead of letting Xlib end the program.
#include <X11/Xlib.h>

namespace win::x11 {

class ErrorTrap {
public:
    explicit ErrorTrap(Display* d) : d_(d) {
        XSync(d_, False);
        Code() = 0;
        previous_ = XSetErrorHandler(Trap);
    }
    // Waits for the server's answers; returns the last error code, 0 for none.
    int Finish() {
        if (previous_) {
            XSync(d_, False);
            XSetErrorHandler(previous_);
            previous_ = nullptr;
        }
        return Code();
    }
    ~ErrorTrap() { Finish(); }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

private:
    static int& Code() {
        static int code = 0;
        return code;
    }
    static int Trap(Display*, XErrorEvent* e) {
        Code() = e->error_code;
        return 0;
    }
    Display* d_;
    int (*previous_)(Display*, XErrorEvent*) = nullptr;
};

}  // namespace win::x11
