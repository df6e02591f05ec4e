#include "hook/x11/keyboard_text.h"

#include <QString>

#include "platform/cp1252.h"

namespace tessaro::hook {

namespace {

struct Dead {
    unsigned long keysym;
    char32_t combining;
};
// dead_grave .. dead_caron and their combining marks.
constexpr Dead kDeadKeys[] = {{0xfe50, 0x300}, {0xfe51, 0x301}, {0xfe52, 0x302}, {0xfe53, 0x303},
                              {0xfe57, 0x308}, {0xfe58, 0x30a}, {0xfe5a, 0x30c}, {0xfe5b, 0x327}};

struct Special {
    unsigned long keysym;
    char32_t unicode;
};
// BackSpace, Tab, Return, KP_Enter, Escape, the keypad's characters and the euro sign.
// clang-format off
constexpr Special kSpecial[] = {
    {0xff08, 8},   {0xff09, 9},   {0xff0d, 13},  {0xff8d, 13},  {0xff1b, 27},
    {0xff80, ' '}, {0xffaa, '*'}, {0xffab, '+'}, {0xffac, ','}, {0xffad, '-'}, {0xffae, '.'},
    {0xffaf, '/'}, {0xffbd, '='}, {0x20ac, 0x20ac},
};
// clang-format on

}  // namespace

char32_t KeysymToUnicode(unsigned long keysym) {
    if ((keysym >= 0x20 && keysym <= 0x7e) || (keysym >= 0xa0 && keysym <= 0xff))
        return static_cast<char32_t>(keysym);
    if ((keysym & 0xff000000UL) == 0x01000000UL) return static_cast<char32_t>(keysym & 0x00ffffff);
    if (keysym >= 0xffb0 && keysym <= 0xffb9) return U'0' + static_cast<char32_t>(keysym - 0xffb0);
    for (const Special& s : kSpecial)
        if (s.keysym == keysym) return s.unicode;
    return 0;
}

std::uint8_t DeadKeyComposer::Feed(unsigned long keysym) {
    for (const Dead& d : kDeadKeys)
        if (d.keysym == keysym) {
            pending_ = d.combining;
            return 0;
        }
    char32_t cp = KeysymToUnicode(keysym);
    if (cp == 0) return 0;
    if (pending_) {
        const char32_t mark = pending_;
        pending_ = 0;
        const char32_t parts[2] = {cp, mark};
        const QString composed = QString::fromUcs4(parts, 2).normalized(QString::NormalizationForm_C);
        if (composed.size() == 1) cp = composed.at(0).unicode();
    }
    unsigned char out = 0;
    return win::UnicodeToCp1252(cp, out) ? out : 0;
}

}  // namespace tessaro::hook
