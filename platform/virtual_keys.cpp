#include "platform/virtual_keys.h"

#include <array>
#include <cstdint>

#define XK_3270
#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace win {
namespace {

struct VkKeysym {
    unsigned char vk;
    Keysym keysym;
};

// Virtual key -> unshifted keysym. Letters and digits are added by code.
constexpr VkKeysym kBase[] = {
    {VK_BACK, XK_BackSpace},
    {VK_TAB, XK_Tab},
    {VK_CLEAR, XK_Clear},
    {VK_RETURN, XK_Return},
    {VK_SHIFT, XK_Shift_L},
    {VK_CONTROL, XK_Control_L},
    {VK_MENU, XK_Alt_L},
    {VK_PAUSE, XK_Pause},
    {VK_CAPITAL, XK_Caps_Lock},
    {VK_KANA, XK_Kana_Shift},
    {VK_KANJI, XK_Kanji},
    {VK_ESCAPE, XK_Escape},
    {VK_CONVERT, XK_Henkan},
    {VK_NONCONVERT, XK_Muhenkan},
    {VK_MODECHANGE, XK_Mode_switch},
    {VK_SPACE, XK_space},
    {VK_PRIOR, XK_Prior},
    {VK_NEXT, XK_Next},
    {VK_END, XK_End},
    {VK_HOME, XK_Home},
    {VK_LEFT, XK_Left},
    {VK_UP, XK_Up},
    {VK_RIGHT, XK_Right},
    {VK_DOWN, XK_Down},
    {VK_SELECT, XK_Select},
    {VK_EXECUTE, XK_Execute},
    {VK_SNAPSHOT, XK_Print},
    {VK_INSERT, XK_Insert},
    {VK_DELETE, XK_Delete},
    {VK_HELP, XK_Help},
    {VK_LWIN, XK_Super_L},
    {VK_RWIN, XK_Super_R},
    {VK_APPS, XK_Menu},
    {VK_SLEEP, XF86XK_Sleep},
    {VK_MULTIPLY, XK_KP_Multiply},
    {VK_ADD, XK_KP_Add},
    {VK_SEPARATOR, XK_KP_Separator},
    {VK_SUBTRACT, XK_KP_Subtract},
    {VK_DECIMAL, XK_KP_Decimal},
    {VK_DIVIDE, XK_KP_Divide},
    {VK_NUMLOCK, XK_Num_Lock},
    {VK_SCROLL, XK_Scroll_Lock},
    {VK_LSHIFT, XK_Shift_L},
    {VK_RSHIFT, XK_Shift_R},
    {VK_LCONTROL, XK_Control_L},
    {VK_RCONTROL, XK_Control_R},
    {VK_LMENU, XK_Alt_L},
    {VK_RMENU, XK_Alt_R},
    {VK_BROWSER_BACK, XF86XK_Back},
    {VK_BROWSER_FORWARD, XF86XK_Forward},
    {VK_BROWSER_REFRESH, XF86XK_Refresh},
    {VK_BROWSER_STOP, XF86XK_Stop},
    {VK_BROWSER_SEARCH, XF86XK_Search},
    {VK_BROWSER_FAVORITES, XF86XK_Favorites},
    {VK_BROWSER_HOME, XF86XK_HomePage},
    {VK_VOLUME_MUTE, XF86XK_AudioMute},
    {VK_VOLUME_DOWN, XF86XK_AudioLowerVolume},
    {VK_VOLUME_UP, XF86XK_AudioRaiseVolume},
    {VK_MEDIA_NEXT_TRACK, XF86XK_AudioNext},
    {VK_MEDIA_PREV_TRACK, XF86XK_AudioPrev},
    {VK_MEDIA_STOP, XF86XK_AudioStop},
    {VK_MEDIA_PLAY_PAUSE, XF86XK_AudioPlay},
    {VK_LAUNCH_MAIL, XF86XK_Mail},
    {VK_LAUNCH_MEDIA_SELECT, XF86XK_AudioMedia},
    {VK_LAUNCH_APP1, XF86XK_MyComputer},
    {VK_LAUNCH_APP2, XF86XK_Calculator},
    {VK_OEM_1, XK_semicolon},
    {VK_OEM_PLUS, XK_equal},
    {VK_OEM_COMMA, XK_comma},
    {VK_OEM_MINUS, XK_minus},
    {VK_OEM_PERIOD, XK_period},
    {VK_OEM_2, XK_slash},
    {VK_OEM_3, XK_grave},
    {VK_OEM_4, XK_bracketleft},
    {VK_OEM_5, XK_backslash},
    {VK_OEM_6, XK_bracketright},
    {VK_OEM_7, XK_apostrophe},
    {VK_OEM_102, XK_less},
    {VK_ATTN, XK_3270_Attn},
    {VK_CRSEL, XK_3270_CursorSelect},
    {VK_EXSEL, XK_3270_ExSelect},
    {VK_EREOF, XK_3270_EraseEOF},
    {VK_PLAY, XK_3270_Play},
    {VK_ZOOM, XF86XK_ZoomIn},
    {VK_PA1, XK_3270_PA1},
};

// Keysym -> virtual key, beyond the inverse of kBase.
constexpr VkKeysym kExtra[] = {
    {VK_SHIFT, XK_Shift_L},
    {VK_SHIFT, XK_Shift_R},
    {VK_CONTROL, XK_Control_L},
    {VK_CONTROL, XK_Control_R},
    {VK_MENU, XK_Alt_L},
    {VK_MENU, XK_Alt_R},
    {VK_MENU, XK_Meta_L},
    {VK_MENU, XK_Meta_R},
    {VK_RMENU, XK_ISO_Level3_Shift},
    {VK_TAB, XK_ISO_Left_Tab},
    {VK_RETURN, XK_KP_Enter},
    {VK_HOME, XK_KP_Home},
    {VK_END, XK_KP_End},
    {VK_PRIOR, XK_KP_Prior},
    {VK_NEXT, XK_KP_Next},
    {VK_LEFT, XK_KP_Left},
    {VK_RIGHT, XK_KP_Right},
    {VK_UP, XK_KP_Up},
    {VK_DOWN, XK_KP_Down},
    {VK_INSERT, XK_KP_Insert},
    {VK_DELETE, XK_KP_Delete},
    {VK_CLEAR, XK_KP_Begin},
    {VK_SPACE, XK_KP_Space},
    {VK_TAB, XK_KP_Tab},
    {VK_CANCEL, XK_Break},
    {VK_CANCEL, XK_Cancel},
    {VK_PRINT, XK_Sys_Req},
    // Shifted keysyms of a US layout.
    {'1', XK_exclam},
    {'2', XK_at},
    {'3', XK_numbersign},
    {'4', XK_dollar},
    {'5', XK_percent},
    {'6', XK_asciicircum},
    {'7', XK_ampersand},
    {'8', XK_asterisk},
    {'9', XK_parenleft},
    {'0', XK_parenright},
    {VK_OEM_MINUS, XK_underscore},
    {VK_OEM_PLUS, XK_plus},
    {VK_OEM_1, XK_colon},
    {VK_OEM_PERIOD, XK_greater},
    {VK_OEM_2, XK_question},
    {VK_OEM_3, XK_asciitilde},
    {VK_OEM_4, XK_braceleft},
    {VK_OEM_5, XK_bar},
    {VK_OEM_6, XK_braceright},
    {VK_OEM_7, XK_quotedbl},
};

struct UsKey {
    unsigned char vk;
    bool shift;
};

// Characters 0x20..0x7E on a US layout: virtual key and whether Shift is needed.
constexpr std::array<UsKey, 95> MakeUsPrintable() {
    std::array<UsKey, 95> t{};
    const char* shifted_digits = ")!@#$%^&*(";
    for (int c = 0x20; c <= 0x7E; ++c) t[c - 0x20] = {0, false};
    for (int d = 0; d < 10; ++d) {
        t['0' + d - 0x20] = {static_cast<unsigned char>('0' + d), false};
        t[shifted_digits[d] - 0x20] = {static_cast<unsigned char>('0' + d), true};
    }
    for (int l = 0; l < 26; ++l) {
        t['a' + l - 0x20] = {static_cast<unsigned char>('A' + l), false};
        t['A' + l - 0x20] = {static_cast<unsigned char>('A' + l), true};
    }
    constexpr struct {
        char plain, shifted;
        unsigned char vk;
    } kPunct[] = {{';', ':', VK_OEM_1},     {'=', '+', VK_OEM_PLUS},   {',', '<', VK_OEM_COMMA},
                  {'-', '_', VK_OEM_MINUS}, {'.', '>', VK_OEM_PERIOD}, {'/', '?', VK_OEM_2},
                  {'`', '~', VK_OEM_3},     {'[', '{', VK_OEM_4},      {'\\', '|', VK_OEM_5},
                  {']', '}', VK_OEM_6},     {'\'', '"', VK_OEM_7}};
    for (const auto& p : kPunct) {
        t[p.plain - 0x20] = {p.vk, false};
        t[p.shifted - 0x20] = {p.vk, true};
    }
    t[0] = {VK_SPACE, false};
    return t;
}
constexpr auto kUsPrintable = MakeUsPrintable();

}  // namespace

Keysym VkToKeysym(unsigned vk) {
    if (vk >= '0' && vk <= '9') return vk;
    if (vk >= 'A' && vk <= 'Z') return vk - 'A' + XK_a;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return XK_KP_0 + (vk - VK_NUMPAD0);
    if (vk >= VK_F1 && vk <= VK_F24) return XK_F1 + (vk - VK_F1);
    for (const auto& e : kBase)
        if (e.vk == vk) return e.keysym;
    return 0;
}

unsigned VkFromKeysym(Keysym keysym) {
    if (keysym >= XK_0 && keysym <= XK_9) return static_cast<unsigned>(keysym);
    if (keysym >= XK_a && keysym <= XK_z) return static_cast<unsigned>(keysym - XK_a + 'A');
    if (keysym >= XK_A && keysym <= XK_Z) return static_cast<unsigned>(keysym);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return static_cast<unsigned>(VK_NUMPAD0 + (keysym - XK_KP_0));
    if (keysym >= XK_F1 && keysym <= XK_F24) return static_cast<unsigned>(VK_F1 + (keysym - XK_F1));
    // Generic modifiers first, so that Shift_L gives VK_SHIFT rather than VK_LSHIFT.
    for (const auto& e : kExtra)
        if (e.keysym == keysym) return e.vk;
    for (const auto& e : kBase)
        if (e.keysym == keysym) return e.vk;
    return 0;
}

short VkKeyScanUs(unsigned char ch) {
    switch (ch) {
        case '\b': return VK_BACK;
        case '\t': return VK_TAB;
        case '\r': return VK_RETURN;
        case '\n': return static_cast<short>(kScanCtrl << 8 | VK_RETURN);
        case 0x1B: return VK_ESCAPE;
        case 0x1C: return static_cast<short>(kScanCtrl << 8 | VK_OEM_5);
        case 0x1D: return static_cast<short>(kScanCtrl << 8 | VK_OEM_6);
        case 0x1E: return static_cast<short>((kScanCtrl | kScanShift) << 8 | '6');
        case 0x1F: return static_cast<short>((kScanCtrl | kScanShift) << 8 | VK_OEM_MINUS);
        case 0x00: return static_cast<short>((kScanCtrl | kScanShift) << 8 | '2');
        case 0x7F: return static_cast<short>(kScanCtrl << 8 | VK_BACK);
        default: break;
    }
    if (ch >= 1 && ch <= 26) return static_cast<short>(kScanCtrl << 8 | ('A' + ch - 1));
    if (ch >= 0x20 && ch <= 0x7E) {
        const auto& e = kUsPrintable[ch - 0x20];
        return static_cast<short>((e.shift ? kScanShift : 0) << 8 | e.vk);
    }
    return -1;
}

Keysym KeysymForChar(char32_t cp) {
    switch (cp) {
        case '\r': return XK_Return;
        case '\n': return XK_Linefeed;
        case '\t': return XK_Tab;
        case '\b': return XK_BackSpace;
        case 0x1B: return XK_Escape;
        case 0x7F: return XK_Delete;
        default: break;
    }
    if ((cp >= 0x20 && cp <= 0x7E) || (cp >= 0xA0 && cp <= 0xFF)) return cp;
    if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) return 0;
    return 0x01000000 + cp;  // the Unicode keysym range
}

char32_t KeysymToChar(Keysym keysym) {
    if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF))
        return static_cast<char32_t>(keysym);
    if (keysym >= 0x01000100 && keysym <= 0x0110FFFF) return static_cast<char32_t>(keysym - 0x01000000);
    switch (keysym) {
        case XK_Return:
        case XK_KP_Enter: return '\r';
        case XK_Tab: return '\t';
        case XK_BackSpace: return '\b';
        case XK_Escape: return 0x1B;
        case XK_EuroSign: return 0x20AC;
        case XK_KP_Space: return ' ';
        default: break;
    }
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return static_cast<char32_t>('0' + keysym - XK_KP_0);
    switch (keysym) {
        case XK_KP_Multiply: return '*';
        case XK_KP_Add: return '+';
        case XK_KP_Subtract: return '-';
        case XK_KP_Decimal: return '.';
        case XK_KP_Divide: return '/';
        case XK_KP_Equal: return '=';
        default: return 0;
    }
}

}  // namespace win
