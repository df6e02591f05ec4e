#include "protocol/hotkey_codes.h"

#include <array>
#include <map>
#include <utility>
#include <vector>

namespace tessaro::hook {

namespace {

struct Key {
    const char* name;
    std::uint16_t vk;
};

// Modifier sets as they are spelled in the names; the spelling fixes the order.
using ModSet = const char*;
constexpr ModSet kNone = "";

std::uint8_t ModsOf(std::string_view set) {
    std::uint8_t m = 0;
    if (set.find("Ctrl") != std::string_view::npos) m |= kModCtrl;
    if (set.find("Alt") != std::string_view::npos) m |= kModAlt;
    if (set.find("Shift") != std::string_view::npos) m |= kModShift;
    if (set.find("Win") != std::string_view::npos) m |= kModWin;
    return m;
}

class Table {
public:
    Table() { Build(); }
    std::vector<HotKeyDef> defs;
    std::map<std::pair<std::uint16_t, std::uint8_t>, int> byKey;
    std::map<std::pair<int, std::uint8_t>, int> byMouse;

private:
    void Add(std::string_view set, std::string key, std::uint16_t vk, std::uint8_t mouse = 0) {
        HotKeyDef d;
        d.vk = vk;
        d.mouse = mouse;
        d.mods = ModsOf(set);
        d.name = set.empty() ? key : std::string(set) + "+" + key;
        if (d.name.size() > 24) d.name.resize(24);
        const int code = static_cast<int>(defs.size());
        if (mouse)
            byMouse.emplace(std::make_pair(int(mouse), d.mods), code);
        else
            byKey.emplace(std::make_pair(vk, d.mods), code);
        defs.push_back(std::move(d));
    }

    // Every set applied to one key before the next key.
    void KeyMajor(const std::vector<Key>& keys, const std::vector<ModSet>& sets) {
        for (const Key& k : keys)
            for (ModSet s : sets) Add(s, k.name, k.vk);
    }
    // Every key with one set before the next set.
    void SetMajor(const std::vector<ModSet>& sets, const std::vector<Key>& keys) {
        for (ModSet s : sets)
            for (const Key& k : keys) Add(s, k.name, k.vk);
    }

    void Build() {
        static const char* const kLetters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                               "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                               "S", "T", "U", "V", "W", "X", "Y", "Z"};
        static const char* const kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
        static const char* const kFKeys[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                             "F7", "F8", "F9", "F10", "F11", "F12"};
        std::vector<Key> fkeys, keys48;
        for (int i = 0; i < 26; ++i) keys48.push_back({kLetters[i], std::uint16_t(65 + i)});
        for (int i = 0; i < 10; ++i) keys48.push_back({kDigits[i], std::uint16_t(48 + i)});
        for (int i = 0; i < 12; ++i) fkeys.push_back({kFKeys[i], std::uint16_t(112 + i)});
        keys48.insert(keys48.end(), fkeys.begin(), fkeys.end());

        const std::vector<ModSet> seven = {"Ctrl",      "Alt",      "Shift",         "Ctrl+Shift",
                                           "Alt+Shift", "Ctrl+Alt", "Ctrl+Alt+Shift"};

        SetMajor({"Ctrl", "Alt", "Ctrl+Shift", "Ctrl+Alt", "Alt+Shift", "Ctrl+Alt+Shift"},
                 keys48);                   // 0-287
        SetMajor({kNone, "Shift"}, fkeys);  // 288-311
        KeyMajor({{"Enter", 13}}, seven);   // 312-318
        KeyMajor({{"Tab", 9}}, {"Ctrl", "Shift", "Ctrl+Shift", "Ctrl+Alt", "Ctrl+Alt+Shift"});
        KeyMajor({{"Backspace", 8}, {"Space", 32}, {"Insert", 45}}, seven);  // 324-344
        KeyMajor({{"Delete", 46}}, {"Ctrl", "Alt", "Shift", "Ctrl+Shift", "Alt+Shift"});
        KeyMajor({{"Home", 36}, {"End", 35}}, seven);  // 350-363
        KeyMajor({{".", 190},
                  {",", 188},
                  {"/", 191},
                  {";", 186},
                  {"'", 222},
                  {"\\", 220},
                  {"[", 219},
                  {"]", 221},
                  {"-", 189},
                  {"=", 187},
                  {"`", 192}},
                 {"Ctrl", "Alt", "Ctrl+Shift", "Alt+Shift", "Ctrl+Alt", "Ctrl+Alt+Shift"});
        // Keypad names: "KeyPad" alone or with Shift alone, "Keypad" otherwise.
        const auto keypad = [this](const std::vector<Key>& ks, const std::vector<ModSet>& sets) {
            for (const Key& k : ks)
                for (ModSet s : sets) {
                    const std::string_view sv = s;
                    const bool capital = sv.empty() || sv == "Shift";
                    Add(s, std::string(capital ? "KeyPad " : "Keypad ") + k.name, k.vk);
                }
        };
        keypad({{"/", 111}, {"*", 106}, {"-", 109}, {"+", 107}},
               {kNone, "Ctrl", "Alt", "Shift", "Ctrl+Shift", "Alt+Shift", "Ctrl+Alt",
                "Ctrl+Alt+Shift"});  // 430-461
        const std::vector<Key> paging = {{"Page Up", 33},     {"Page Down", 34}, {"Left Arrow", 37},
                                         {"Right Arrow", 39}, {"Up Arrow", 38},  {"Down Arrow", 40}};
        std::vector<Key> plain = {{"Insert", 45}, {"Delete", 46}, {"Home", 36}, {"End", 35}};
        plain.insert(plain.end(), paging.begin(), paging.end());
        SetMajor({kNone}, plain);  // 462-471
        KeyMajor(paging, seven);   // 472-513
        std::vector<Key> padDigits;
        for (int i = 0; i < 10; ++i) padDigits.push_back({kDigits[i], std::uint16_t(96 + i)});
        keypad(padDigits, {kNone, "Ctrl", "Alt", "Ctrl+Alt"});  // 514-553
        SetMajor({"Win", "Win+Ctrl", "Win+Alt"}, keys48);       // 554-697
        Add(kNone, "ESC", 27);                                  // 698
        const std::vector<ModSet> mouseSets = {kNone,        "Shift",    "Ctrl",     "Alt",
                                               "Ctrl+Shift", "Ctrl+Alt", "Shift+Alt"};
        const char* const buttons[] = {"LMouse", "RMouse", "MMouse"};
        for (int b = 0; b < 3; ++b)
            for (ModSet s : mouseSets) Add(s, buttons[b], 0, std::uint8_t(b + 1));  // 699-719
        Add("Win", "Space", 32);                                                    // 720
    }
};

const Table& TheTable() {
    static const Table table;
    return table;
}

}  // namespace

const HotKeyDef* HotKeyDefinition(int code) {
    const auto& defs = TheTable().defs;
    if (code < 0 || code >= static_cast<int>(defs.size())) return nullptr;
    return &defs[static_cast<std::size_t>(code)];
}

int HotKeyCodeForKey(std::uint16_t vk, std::uint8_t mods) {
    const auto& m = TheTable().byKey;
    auto it = m.find({vk, mods});
    return it == m.end() ? -1 : it->second;
}

int HotKeyCodeForMouse(int button, std::uint8_t mods) {
    const auto& m = TheTable().byMouse;
    auto it = m.find({button, mods});
    return it == m.end() ? -1 : it->second;
}

}  // namespace tessaro::hook
