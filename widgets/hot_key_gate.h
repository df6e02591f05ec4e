#pragma once
// While a field picks a hot key, the hook library reports every hot key pressed, mouse
// buttons included, wherever they were pressed. A mouse button counts only when the
// application saw that press inside the field: the library's report and the press the
// application sees arrive in either order, so each report is paired with its press.
#include <cstdint>
#include <deque>

namespace tessaro {

class HotKeyGate {
public:
    // A report and its press further apart than this are not a pair.
    static constexpr std::int64_t kPairingMs = 1000;

    // A mouse button (1 left, 2 right, 3 middle) pressed while a field was picking, inside
    // that field or elsewhere. Returns a code reported ahead of this press that is now taken,
    // or -1.
    int Pressed(int button, bool inField, std::int64_t nowMs);

    // A code the library reported. Returns the code when it is taken now, or -1: a key code
    // is always taken; a mouse code only as the pair of a press inside the field (held until
    // that press is seen).
    int Reported(int code, std::int64_t nowMs);

private:
    struct Press {
        int button;
        bool inField;
        std::int64_t at;
    };
    struct Report {
        int code;
        int button;
        std::int64_t at;
    };
    void Expire(std::int64_t nowMs);

    std::deque<Press> presses_;
    std::deque<Report> reports_;
};

}  // namespace tessaro
