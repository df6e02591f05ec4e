// Every code's decoding checked against its own name, read back independently.
#include "protocol/hotkey_names.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace tessaro {
namespace {

// The virtual key a key name (after the modifiers) stands for.
std::map<std::string, int> KeyNameTable() {
    std::map<std::string, int> t;
    for (char c = 'A'; c <= 'Z'; ++c) t[std::string(1, c)] = c;
    for (char c = '0'; c <= '9'; ++c) t[std::string(1, c)] = c;
    for (int i = 1; i <= 12; ++i) t["F" + std::to_string(i)] = 111 + i;
    const std::map<std::string, int> named = {
        {"Enter", 13},      {"Tab", 9},          {"Backspace", 8}, {"Space", 32},      {"Insert", 45},
        {"Delete", 46},     {"Home", 36},        {"End", 35},      {"Page Up", 33},    {"Page Down", 34},
        {"Left Arrow", 37}, {"Right Arrow", 39}, {"Up Arrow", 38}, {"Down Arrow", 40}, {"Left Arro", 37},
        {"Right Arr", 39},  {"Down Arro", 40},   {"ESC", 27},      {".", 190},         {",", 188},
        {"/", 191},         {";", 186},          {"'", 222},       {"\\", 220},        {"[", 219},
        {"]", 221},         {"-", 189},          {"=", 187},       {"`", 192},         {"LMouse", 0},
        {"RMouse", 0},      {"MMouse", 0}};
    t.insert(named.begin(), named.end());
    const std::map<std::string, int> pad = {{"/", 111}, {"*", 106}, {"-", 109}, {"+", 107}};
    for (const auto& [k, vk] : pad) t["Pad " + k] = vk;
    for (int i = 0; i <= 9; ++i) t["Pad " + std::to_string(i)] = 96 + i;
    return t;
}

struct ReadName {
    DecipheredKey key;
    bool keypad = false;
    std::string keypadSpelling;
    bool known = false;
};

ReadName Read(std::string name) {
    static const std::map<std::string, int> keys = KeyNameTable();
    ReadName r;
    for (bool more = true; more;) {
        more = false;
        for (const char* m : {"Ctrl+", "Alt+", "Shift+", "Win+"}) {
            const std::string p = m;
            if (name.rfind(p, 0) == 0 && name.size() > p.size()) {
                name.erase(0, p.size());
                (p == "Ctrl+"    ? r.key.ctrl
                 : p == "Alt+"   ? r.key.alt
                 : p == "Shift+" ? r.key.shift
                                 : r.key.win) = true;
                more = true;
            }
        }
    }
    if (name.rfind("KeyPad ", 0) == 0 || name.rfind("Keypad ", 0) == 0) {
        r.keypad = true;
        r.keypadSpelling = name.substr(0, 6);
        name = "Pad " + name.substr(7);
    }
    const auto it = keys.find(name);
    if (it == keys.end()) return r;
    r.known = true;
    r.key.vk = static_cast<std::uint16_t>(it->second);
    if (name == "LMouse") r.key.mouse = 1;
    if (name == "RMouse") r.key.mouse = 2;
    if (name == "MMouse") r.key.mouse = 3;
    return r;
}

TEST(HotKeyNames, EveryCodeDecodesToWhatItsNameSays) {
    std::set<std::string> seen;
    for (int code = 0; code <= 720; ++code) {
        const std::string& name = HotKeyNames(code);
        ASSERT_FALSE(name.empty()) << code;
        EXPECT_LE(name.size(), std::size_t(kHotKeyNameLength)) << code;
        EXPECT_TRUE(seen.insert(name).second) << "duplicate name " << name;
        const ReadName r = Read(name);
        ASSERT_TRUE(r.known) << code << " " << name;
        EXPECT_EQ(DecipherKey(code), r.key) << code << " " << name;
        if (r.keypad) {
            const bool plain = !r.key.ctrl && !r.key.alt && !r.key.win;
            EXPECT_EQ(r.keypadSpelling, plain ? "KeyPad" : "Keypad") << name;
        }
    }
    EXPECT_EQ(seen.size(), 721u);
    EXPECT_EQ(HotKeyNames(-1), "");
    EXPECT_EQ(HotKeyNames(721), "");
}

TEST(HotKeyNames, DecodingEdgeCases) {
    auto is = [](int code, int vk, int mouse, bool win, bool shift, bool alt, bool ctrl) {
        const DecipheredKey k = DecipherKey(code);
        return k.vk == vk && k.mouse == mouse && k.win == win && k.shift == shift && k.alt == alt &&
               k.ctrl == ctrl;
    };
    EXPECT_TRUE(is(0, 65, 0, false, false, false, true));
    EXPECT_TRUE(is(287, 123, 0, false, true, true, true));
    EXPECT_TRUE(is(430, 111, 0, false, false, false, false));
    EXPECT_TRUE(is(431, 111, 0, false, false, false, true));
    EXPECT_TRUE(is(433, 111, 0, false, true, false, false));
    EXPECT_TRUE(is(699, 0, 1, false, false, false, false));
    EXPECT_TRUE(is(705, 0, 1, false, true, true, false));
    EXPECT_TRUE(is(718, 0, 3, false, false, true, true));
    EXPECT_TRUE(is(478, 33, 0, false, true, true, true));
    EXPECT_TRUE(is(720, 32, 0, true, false, false, false));
    EXPECT_TRUE(is(698, 27, 0, false, false, false, false));
    // Outside the table nothing is pressed.
    EXPECT_EQ(DecipherKey(-5), DecipheredKey{});
    EXPECT_EQ(DecipherKey(30000), DecipheredKey{});
}

TEST(HotKeyNames, ReservedCodesAreTheDesktopsOwnKeys) {
    const std::set<std::string> names = {"Alt+F6", "Ctrl+Alt+F6", "Alt+Shift+F6", "Win+F1", "Win+D",
                                         "Win+E",  "Win+F",       "Win+M",        "Win+R",  "Win+Ctrl+F"};
    std::set<std::string> got;
    for (int code : kReservedHotKeys) {
        EXPECT_TRUE(IsReservedHotKey(code));
        got.insert(HotKeyNames(code));
    }
    EXPECT_EQ(got, names);
    int reserved = 0;
    for (int code = -1; code <= 721; ++code) reserved += IsReservedHotKey(code);
    EXPECT_EQ(reserved, 10);
}

}  // namespace
}  // namespace tessaro
