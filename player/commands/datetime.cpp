#include "player/commands/datetime.h"

#include "macro/macro_language.h"
#include "platform/datetime.h"
#include "player/engine/macro_player.h"

namespace tessaro {

namespace {

class SystemClock : public LocalClock {
public:
    Reading Now() override {
        const win::DateTimeParts p = win::DecodeDateTime(win::Now());
        return {{p.year, p.month, p.day}, {p.hour, p.minute, p.second}};
    }
};

std::string Arg(const Token& token, std::size_t i) {
    return i < token.args.size() ? std::string(token.args[i]) : std::string();
}

}  // namespace

std::unique_ptr<LocalClock> SystemLocalClock() { return std::make_unique<SystemClock>(); }

CommandOutcome DateTimeCommands::Run(MacroPlayer& player, const CommandToken& command) {
    const Token& token = command.token;
    const bool pad = Arg(token, 0) == "Y";
    const LocalClock::Reading now = clock_.Now();  // once, so the text is of one moment
    std::string text;
    switch (token.kind) {
        case TokenKind::Date: text = DateText(token.format, pad, 0, now.date); break;
        case TokenKind::DateOffset: {
            const int days = int(ArgInt(Arg(token, 2)));
            text = DateText(token.format, pad, Arg(token, 1) == "P" ? -days : days, now.date);
            break;
        }
        case TokenKind::Time: text = TimeText(token.format, pad, now.time); break;
        default: return CommandOutcome::Done;
    }
    for (const char c : text) {
        if (player.Aborted()) break;
        player.synthesis().TypeChar(static_cast<unsigned char>(c));
    }
    return CommandOutcome::Done;
}

}  // namespace tessaro
