#pragma once
// TDoRepeat: counted repeats, the prompt repeat, the end of a block and the counter.
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/commands/command_form.h"

namespace tessaro {

// Kinds: 1 counted start, 2 prompt start, 3 end, 4 counter (token of width 1 shown).
inline constexpr std::array<RadioChoice, 4> kRepeatChoices{{
    {"StartRepeat", "&Start Repeat", 1, cmd::RepeatStart, TokenKind::Rep},
    {"EndRepeat", "&End Repeat", 3, cmd::RepeatEnd, TokenKind::EndRep},
    {"RepeatCounter", "&Incremental Counter", 4, cmd::RepeatCounter, TokenKind::None},
    {"PromptRepeat", "Start Repeat with &Prompt", 2, cmd::RepeatPromptStart, TokenKind::PromptRep},
}};

struct RepeatForm {
    std::int32_t Kind = 1;
    std::string Count, CStart, CStep;
};

struct RepeatFields {
    std::int32_t RepeatKind = 0;
    std::int32_t RepeatCount = 0;
    std::int32_t CounterStart = 1;
    std::int32_t CounterStep = 1;
};

// What the fields look like for a choice: the count's label ("" hides the count) and
// whether the counter's start and step show.
struct RepeatLayout {
    const char* countLabel;
    bool counterFields;
};
RepeatLayout RepeatLayoutOf(std::int32_t kind);

RepeatForm RepeatDefaults();  // counted start, 10, 1, 1
// The line's code picks the choice; the fields come from the record.
RepeatForm RepeatPreset(int code, const TRepeatRec& rec);
FormResult<RepeatFields> BuildRepeat(const RepeatForm& form);

}  // namespace tessaro
