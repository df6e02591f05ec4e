#include "editor/model/macro_forms/hot_key_list.h"

#include "protocol/hotkey_names.h"

namespace tessaro {

bool IsHotKeyCode(int activationCode) { return activationCode >= 0 && activationCode < kHotKeyCodeCount; }

std::vector<std::string> HotKeyListRows(const TGlobData& glob) {
    std::array<int, kHotKeyCodeCount> counts{};
    const int n = std::min(glob.MacroCount, kMaxMacros);
    for (int m = 1; m <= n; ++m)
        if (IsHotKeyCode(glob.ActivationCode[m])) ++counts[glob.ActivationCode[m]];
    std::vector<std::string> rows;
    rows.reserve(kHotKeyCodeCount);
    for (int code = 0; code < kHotKeyCodeCount; ++code) {
        const int c = counts[std::size_t(code)];
        const std::string use = c >= 2   ? "  (" + std::to_string(c) + " macros in use)"
                                : c == 1 ? "  (1 macro in use)"
                                         : "  (Not in Use)";
        rows.push_back(HotKeyNames(code) + use);
    }
    return rows;
}

std::pair<std::string, std::string> HotKeyRowColumns(const std::string& row) {
    const std::size_t open = row.rfind("  (");
    if (open == std::string::npos) return {row, {}};
    const std::size_t close = row.find(')', open);
    return {row.substr(0, open),
            row.substr(open + 3, close == std::string::npos ? std::string::npos : close - open - 3)};
}

HotKeyFlags GlobalHotKeysUsed(const TGlobData& glob, bool countSystem) {
    HotKeyFlags used{};
    const int n = std::min(glob.MacroCount, kMaxMacros);
    for (int m = 1; m <= n; ++m) {
        const int scope = glob.Scope[m];
        const bool counts = scope == 1 || scope == 4 || (countSystem && scope == 5);
        if (counts && IsHotKeyCode(glob.ActivationCode[m])) used[glob.ActivationCode[m]] = true;
    }
    return used;
}

bool HasUserMacros(const TGlobData& glob) {
    const int n = std::min(glob.MacroCount, kMaxMacros);
    for (int m = 1; m <= n; ++m)
        if (glob.Scope[m] != 5) return true;
    return false;
}

std::string ReservedKeyQuestion(int code) {
    if (!IsReservedHotKey(code)) return {};
    const std::string& name = HotKeyNames(code);
    return name + " may be used internally by Windows 95, 98 or NT. " +
           " This may cause the hot key not to function correctly." + " Would you still like to use " + name +
           "?";
}

}  // namespace tessaro
