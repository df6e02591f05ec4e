#include "editor/model/explorer/list_input.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "editor/model/explorer/macro_list.h"

namespace tessaro {
namespace {

std::string Upper(std::string_view text) {
    std::string up(text);
    for (char& c : up) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return up;
}

}  // namespace

std::string SearchActivationText(std::uint16_t code, std::string_view abbreviation) {
    return Upper(ActivationCellText(code, abbreviation));
}

int SearchRow(const std::vector<int>& rowMacro, const TGlobData& glob, const TConfigRecord& config,
              std::string_view text) {
    if (text.empty()) return -1;
    for (std::size_t r = 0; r < rowMacro.size(); ++r) {
        const ListedMacro m = ListedMacroOf(glob, config, rowMacro[r]);
        if (SearchActivationText(m.activationCode, m.abbreviation).starts_with(text))
            return static_cast<int>(r) + 1;
    }
    return -1;
}

std::optional<std::string> HeaderPrimarySort(std::string_view current, int column) {
    static constexpr struct {
        int column;
        char key;
        const char* order;
    } kHeaders[] = {{2, '1', "132"}, {3, '2', "213"}, {4, '3', "321"}};
    for (const auto& h : kHeaders) {
        if (h.column != column) continue;
        if (!current.empty() && current.front() == h.key) return std::nullopt;
        return std::string(h.order);
    }
    return std::nullopt;
}

StartShow StartShowCmdOf(const char* startupInfo) {
    if (startupInfo == nullptr) return StartShow::Normal;
    const std::string value = Upper(startupInfo);
    // Show-window numbers: 2 show minimised, 6 minimise, 7 show minimised without
    // activation all minimise; 3 maximises.
    static constexpr struct {
        const char* name;
        StartShow show;
    } kNames[] = {{"2", StartShow::Minimize},         {"6", StartShow::Minimize},
                  {"7", StartShow::Minimize},         {"MINIMIZE", StartShow::Minimize},
                  {"MINIMIZED", StartShow::Minimize}, {"3", StartShow::Maximize},
                  {"MAXIMIZE", StartShow::Maximize},  {"MAXIMIZED", StartShow::Maximize}};
    for (const auto& n : kNames)
        if (value == n.name) return n.show;
    return StartShow::Normal;
}

Bounds FitToArea(Bounds window, Bounds area) {
    window.width = std::clamp(window.width, 1, std::max(1, area.width));
    window.height = std::clamp(window.height, 1, std::max(1, area.height));
    window.left = std::clamp(window.left, area.left, area.left + std::max(0, area.width - window.width));
    window.top = std::clamp(window.top, area.top, area.top + std::max(0, area.height - window.height));
    return window;
}

}  // namespace tessaro
