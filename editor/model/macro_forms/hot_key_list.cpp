#include "editor/model/macro_forms/hot_key_list.h"

#include "protocol/hotkey_names.h"

namespace tessaro {

bool IsHotKeyCode(int activationCode) { return activationCode >= 0 && activationCode < kHotKeyCodeCount; }

std::vector<std::string> HotKeyListRows(const TGlobData& glob) {
    const auto counts = HotKeyUseCounts(glob);
    std::vector<std::string> rows;
    rows.reserve(kHotKeyCodeCount);
    for (int code = 0; code < kHotKeyCodeCount; ++code)
        rows.push_back(HotKeyNames(code) + "  (" + HotKeyUsageText(counts[std::size_t(code)]) + ")");
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

}  // namespace tessaro
