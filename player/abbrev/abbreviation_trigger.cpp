#include "player/abbrev/abbreviation_trigger.h"

#include "macro/macro_record.h"
#include "protocol/window_messages.h"

namespace tessaro {

void AbbreviationTrigger::WMAbbrevChar(std::uint32_t wParam, std::int32_t lParam) {
    AbbrevActivity activity = host_.Activity();
    activity.playing = activity.playing || running_;
    const AbbrevDecision decision =
        machine_.Receive(wParam, lParam, config_, glob_, activity, host_.Foreground());
    if (!decision.warning.empty()) host_.Warning(decision.warning);
    if (decision.macro) RunAbbreviationMacro(decision, AbbrevCharKey(lParam));
}

void AbbreviationTrigger::RunAbbreviationMacro(const AbbrevDecision& decision, std::uint8_t completingKey) {
    // A record that cannot be read: what was typed stays.
    TMacroRecord rec{};
    if (!host_.ReadMacro(decision.macro, rec)) return;
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(running_);
    host_.MarkInUse();
    // Still down, the key would swallow its own character if the macro types it.
    if (completingKey) host_.LetGoOfKey(completingKey, kCompletingKeyCapMs);
    if (decision.backspaces > 0) {
        for (int i = 0; i < decision.backspaces; ++i) host_.EraseOneCharacter();
        host_.Wait(kAfterEraseMs);
    }
    host_.PlayTyped(decision.macro, rec, decision);
}

}  // namespace tessaro
