#include "hook/hot_key_takers.h"

#include <algorithm>

#include "protocol/scope_text.h"

namespace tessaro::hook {

namespace {

// Scopes of the trigger table.
constexpr std::uint16_t kScopeWindow = 2, kScopeProgram = 3;

bool ProgramRunning(const TGlobData& g, const std::string& name) {
    const int stored = g.ProgramCount;
    for (int i = 1; i <= std::clamp(stored, 0, kMaxPrograms); ++i)
        if (ScopeTextMatches(name, g.Programs[i].str())) return true;
    return false;
}

}  // namespace

bool SomeMacroTakes(const TGlobData& g, int code,
                    const std::function<std::optional<DesktopTitles>()>& titles) {
    std::optional<std::optional<DesktopTitles>> read;
    bool named = false;
    const int count = g.MacroCount;
    for (int n = 1; n <= std::min(count, kMaxMacros); ++n) {
        if (!g.Enabled[n] || g.ActivationCode[n] != code) continue;
        named = true;
        const std::uint16_t scope = g.Scope[n];
        const std::string text = g.ScopeText[n].str();
        const bool topmostOnly = g.TopmostOnly[n] != 0;
        if (scope == kScopeProgram) {
            if (ScopeTextMatches(text, g.ActiveProgram.str()) || (!topmostOnly && ProgramRunning(g, text)))
                return true;
            continue;
        }
        if (scope != kScopeWindow) return true;
        if (!read) read = titles();
        if (!*read) return true;
        const DesktopTitles& desk = **read;
        if (ScopeTextMatches(text, desk.foreground)) return true;
        if (!topmostOnly && std::any_of(desk.all.begin(), desk.all.end(), [&](const std::string& t) {
                return t == text || ScopeTextMatches(text, t);
            }))
            return true;
    }
    return !named;
}

}  // namespace tessaro::hook
