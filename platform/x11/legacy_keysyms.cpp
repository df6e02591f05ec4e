#include "platform/x11/legacy_keysyms.h"

#define XK_LATIN2
#define XK_LATIN9
#define XK_PUBLISHING
#define XK_CURRENCY
#include <X11/keysym.h>

#include <algorithm>
#include <iterator>

namespace win::x11 {

namespace {

struct Legacy {
    char32_t cp;
    unsigned long keysym;
};

// Sorted by character.
constexpr Legacy kLegacy[] = {
    {0x0152, XK_OE},
    {0x0153, XK_oe},
    {0x0160, XK_Scaron},
    {0x0161, XK_scaron},
    {0x0178, XK_Ydiaeresis},
    {0x017D, XK_Zcaron},
    {0x017E, XK_zcaron},
    {0x0192, 0x08f6},  // function (ƒ)
    {0x2013, XK_endash},
    {0x2014, XK_emdash},
    {0x2018, XK_leftsinglequotemark},
    {0x2019, XK_rightsinglequotemark},
    {0x201A, XK_singlelowquotemark},
    {0x201C, XK_leftdoublequotemark},
    {0x201D, XK_rightdoublequotemark},
    {0x201E, XK_doublelowquotemark},
    {0x2020, XK_dagger},
    {0x2021, XK_doubledagger},
    {0x2022, XK_enfilledcircbullet},
    {0x2026, XK_ellipsis},
    {0x2030, XK_permille},
    {0x20AC, XK_EuroSign},
    {0x2122, XK_trademark},
};

static_assert(std::is_sorted(std::begin(kLegacy), std::end(kLegacy),
                             [](const Legacy& a, const Legacy& b) { return a.cp < b.cp; }));

}  // namespace

unsigned long LegacyKeysymForChar(char32_t cp) {
    const auto it = std::lower_bound(std::begin(kLegacy), std::end(kLegacy), cp,
                                     [](const Legacy& l, char32_t c) { return l.cp < c; });
    return it != std::end(kLegacy) && it->cp == cp ? it->keysym : 0;
}

}  // namespace win::x11
