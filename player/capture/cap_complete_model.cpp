#include "player/capture/cap_complete_model.h"

#include "foundation/strings.h"
#include "macro/nickname.h"
#include "protocol/hotkey_names.h"

namespace tessaro {

int CapCompleteHeight(CapType type) {
    constexpr int kBelowButtons = 23;
    switch (type) {
        case CapType::HotKeys: return 420 + kBelowButtons;
        case CapType::Snipra: return 181 + kBelowButtons;
        case CapType::None: return 155 + kBelowButtons;
    }
    return 155 + kBelowButtons;
}

std::vector<HotKeyLine> HotKeyLines(const TGlobData& glob) {
    const auto uses = HotKeyUseCounts(glob);
    std::vector<HotKeyLine> lines;
    lines.reserve(kHotKeyCodeCount);
    for (int code = 0; code < kHotKeyCodeCount; ++code) {
        HotKeyLine line;
        line.name = HotKeyNames(code);
        line.usage = HotKeyUsageText(uses[static_cast<std::size_t>(code)]);
        line.text = line.name + "  (" + line.usage + ")";
        lines.push_back(std::move(line));
    }
    return lines;
}

CapCheck CheckCapChoice(const CapChoice& choice, const TGlobData& glob) {
    if (choice.type == CapType::HotKeys) {
        if (choice.code < 0 || choice.code >= kHotKeyCodeCount)
            return {CapCheck::Error, "Error", "No hot key selected.  Please select one."};
        if (choice.global) {
            const int count = std::min<int>(glob.MacroCount, kMaxMacros);
            for (int n = 1; n <= count; ++n) {
                const int scope = glob.Scope[n];
                if (glob.ActivationCode[n] == choice.code &&
                    (scope == scGlobal || scope == scPopupMenu || scope == scSystem))
                    return {CapCheck::Error, "Error",
                            "A Global Hot Key is already in use for the selected hot key.  Please select a "
                            "different one or choose the Program specific option."};
            }
        }
        if (IsReservedHotKey(choice.code))
            return {CapCheck::Confirm, "Warning", ReservedKeyQuestion(choice.code)};
    }
    if (choice.type == CapType::Snipra && TrimBlanks(choice.snipra).empty())
        return {CapCheck::Error, "Error", "No Snipra name entered.", true};
    return {};
}

void ApplyCapChoice(const CapChoice& choice, const std::string& topProgram, TMacroRecord& rec) {
    switch (choice.type) {
        case CapType::HotKeys: rec.ActivationCode = static_cast<std::uint16_t>(choice.code); break;
        case CapType::Snipra:
            rec.Abbreviation = TrimBlanks(choice.snipra);
            rec.ActivationCode = acAbbreviation;
            break;
        case CapType::None: rec.ActivationCode = acNone; break;
    }
    rec.Nickname = TrimBlanks(OneLineNickname(choice.nickname));
    if (!choice.global) {
        rec.Scope = scProgram;
        rec.ScopeText = topProgram;
        rec.TopmostOnly = 1;
    }
}

}  // namespace tessaro
