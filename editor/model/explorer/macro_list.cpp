#include "editor/model/explorer/macro_list.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "foundation/settings.h"
#include "macro/macro_record.h"
#include "protocol/hotkey_names.h"

namespace tessaro {
namespace {

constexpr const char* kActivationRank[5] = {"AAAAA", "AAAAz", "AAAz", "AAz", "Az"};
constexpr const char* kScopeRank[5] = {"AAAAAA", "AAAAAz", "AAAAz", "AAAz", "AAz"};

// Position (0-based) of digit `kind` among the first `limit` characters; -1 when absent.
int RankOf(std::string_view order, int kind, std::size_t limit) {
    const std::size_t n = std::min(order.size(), limit);
    for (std::size_t p = 0; p < n; ++p)
        if (order[p] == static_cast<char>('0' + kind)) return static_cast<int>(p);
    return -1;
}

int ActivationKind(std::uint16_t code) {
    if (code <= kMaxHotKeyCode) return 1;
    switch (code) {
        case acAbbreviation: return 2;
        case acScheduled: return 3;
        case acNone: return 4;
        case acWindowTitle: return 5;
        default: return 0;
    }
}

std::string Upper(std::string_view s, std::size_t capacity) { return IniUpper(s, capacity); }

}  // namespace

SortSettings SortSettingsOf(const TConfigRecord& config) {
    return {config.PrimarySort.str(), config.ActivationSort.str(), config.ScopeSort.str()};
}

ListedMacro ListedMacroOf(const TGlobData& glob, const TConfigRecord& config, int n) {
    ListedMacro m;
    m.number = n;
    m.activationCode = glob.ActivationCode[n];
    m.scope = glob.Scope[n];
    m.scopeText = glob.ScopeText[n].str();
    m.nickname = config.MacroNicknames[n].str();
    m.abbreviation = config.MacroAbbreviations[n].str();
    m.enabled = glob.Enabled[n] != 0;
    m.topmostOnly = glob.TopmostOnly[n] != 0;
    return m;
}

std::string ActivationPart(const ListedMacro& m, std::string_view activationSort) {
    const int kind = ActivationKind(m.activationCode);
    const int p = RankOf(activationSort, kind, 5);
    std::string part = kActivationRank[p < 0 ? 4 : p];
    if (kind == 1) part += HotKeyNames(m.activationCode);
    if (kind == 2) part += Upper(m.abbreviation, 10);
    return part;
}

std::string ScopePart(const ListedMacro& m, std::string_view scopeSort) {
    const int p = RankOf(scopeSort, m.scope, 4);
    std::string part = kScopeRank[p < 0 ? 4 : p];
    if (m.scope == scWindow || m.scope == scProgram) part += Upper(m.scopeText, 20);
    return part;
}

std::string SortKey(const ListedMacro& m, const SortSettings& sort) {
    const char first = sort.primary.empty() ? '1' : sort.primary[0];
    const char second = sort.primary.size() < 2 ? '2' : sort.primary[1];
    const std::string activation = ActivationPart(m, sort.activation);
    const std::string scope = ScopePart(m, sort.scope);
    const std::string nickname = Upper(m.nickname, 50);
    if (first == '2') return nickname + (second == '1' ? activation + scope : scope + activation);
    if (first == '1') return activation + (second == '2' ? nickname + scope : scope + nickname);
    return scope + (second == '2' ? nickname + activation : activation + nickname);
}

std::vector<int> FillListRows(const TGlobData& glob, const TConfigRecord& config, int category) {
    const SortSettings sort = SortSettingsOf(config);
    const int count = std::clamp<int>(glob.MacroCount, 0, kMaxMacros);
    std::vector<std::pair<std::string, int>> keyed;
    keyed.reserve(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n) {
        if (category != 0 && config.MacroCategoryIds[n] != category) continue;
        keyed.emplace_back(SortKey(ListedMacroOf(glob, config, n), sort), n);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> rows;
    rows.reserve(keyed.size());
    for (const auto& k : keyed) rows.push_back(k.second);
    return rows;
}

int ReverseSort(const std::vector<int>& rowMacro, int n) {
    const auto it = std::find(rowMacro.begin(), rowMacro.end(), n);
    return it == rowMacro.end() ? -1 : static_cast<int>(it - rowMacro.begin()) + 1;
}

std::string ActivationCellText(std::uint16_t code, std::string_view abbreviation) {
    switch (code) {
        case acScheduled: return "Timed Macro";
        case acAbbreviation: return std::string(abbreviation);
        case acNone: return "None";
        case acWindowTitle: return "Window Title";
        default: return HotKeyNames(code);
    }
}

std::string ScopeCellText(std::uint16_t scope, std::string_view scopeText) {
    switch (scope) {
        case scGlobal: return "GLOBAL";
        case scPopupMenu: return "Popup Menu";
        case scSystem: return "SYSTEM";
        case scProgram: return "Program: " + std::string(scopeText);
        case scWindow: return "Window: " + std::string(scopeText);
        default: return {};
    }
}

std::string CellText(int column, int row, const ListedMacro& m) {
    switch (column) {
        case 0: return std::to_string(row);
        case 2: return ActivationCellText(m.activationCode, m.abbreviation);
        case 3: return m.nickname;
        case 4: return ScopeCellText(m.scope, m.scopeText);
        default: return {};
    }
}

std::string PrintActivationText(std::uint16_t code, std::string_view abbreviation) {
    if (code == acAbbreviation) return "Snipra: " + std::string(abbreviation);
    return ActivationCellText(code, abbreviation);
}

std::string PrintScopeText(std::uint16_t scope, std::string_view scopeText, bool topmostOnly) {
    std::string text = ScopeCellText(scope, scopeText);
    if (scope == scWindow || scope == scProgram) text += topmostOnly ? " (Topmost Only)" : " (If Running)";
    return text;
}

std::string CutToWidth(std::string text, int maxWidth, const std::function<int(std::string_view)>& width) {
    while (!text.empty() && width(text) > maxWidth) text.pop_back();
    return text;
}

GridSpacing AdjustGridSpacing(int textHeight, int digitsWidth, int titleTextHeight) {
    return {static_cast<int>(std::lround(textHeight * 1.1)), titleTextHeight, digitsWidth};
}

PrintMargins PrintMarginsFor(int pageWidth, int pageHeight) {
    const int top = pageHeight / 22;
    return {pageWidth / 17, top, pageHeight - 2 * top};
}

}  // namespace tessaro
