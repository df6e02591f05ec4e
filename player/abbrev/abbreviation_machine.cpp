#include "player/abbrev/abbreviation_machine.h"

#include <algorithm>
#include <cstring>

#include "foundation/config_record.h"
#include "macro/macro_record.h"
#include "player/engine/trigger_dispatch.h"
#include "player/engine/window_activation.h"
#include "protocol/glob_data.h"

namespace tessaro {

namespace {

constexpr std::size_t kBufferCapacity = 20;
constexpr std::size_t kBufferBeyondPrefix = 10;
constexpr char kBackspace = 8;
constexpr char kEnter = 13;

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool IsPunctuationDelimiter(unsigned char c) { return c != 0 && std::strchr("!,-.;?", c); }

}  // namespace

bool IsAbbreviationChar(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    return c != 0 && std::strchr("!#$%&*+,-./;<=>?@\\^_", c);
}

AbbrevDecision AbbreviationMachine::Receive(std::uint32_t wParam, std::int32_t lParam,
                                            const TConfigRecord& config, const TGlobData& glob,
                                            const AbbrevActivity& activity, ForegroundInfo& foreground) {
    if (glob.MacroCount <= 0 || !glob.HasAbbreviations) return {};
    if (wParam == kAbbrevReset) {
        buffer_.clear();
        return {};
    }
    capsLockWasOn_ = wParam == kAbbrevCapsLock;
    // Any client may post this message: only the low byte is a character.
    const auto c = static_cast<unsigned char>(lParam & 0xFF);
    if (c == kBackspace) {
        if (!buffer_.empty()) buffer_.pop_back();
        return {};
    }
    const bool suffix = config.SnipraUseSuffix;
    const bool punctuation = config.SnipraUsePunctuation;
    AbbrevDecision decision;
    if (IsAbbreviationChar(c)) {
        if (suffix && punctuation && IsPunctuationDelimiter(c)) {
            delimiter_ = static_cast<char>(c);
            decision = TestIt(config, glob, activity, foreground);
            if (decision.macro) return decision;
        }
        const std::size_t limit =
            std::min(kBufferCapacity, config.SnipraPrefixKeys.str().size() + kBufferBeyondPrefix);
        Append(c, limit);
        if (!suffix) decision = TestIt(config, glob, activity, foreground);
        return decision;
    }
    if (suffix && (c == ' ' || c == kEnter || (punctuation && c == ':'))) {
        delimiter_ = static_cast<char>(c);
        decision = TestIt(config, glob, activity, foreground);
    }
    buffer_.clear();
    return decision;
}

void AbbreviationMachine::Append(unsigned char c, std::size_t limit) {
    buffer_ += static_cast<char>(c);
    if (buffer_.size() > limit) buffer_.erase(0, buffer_.size() - limit);
}

AbbrevDecision AbbreviationMachine::TestIt(const TConfigRecord& config, const TGlobData& glob,
                                           const AbbrevActivity& activity, ForegroundInfo& foreground) {
    const bool suffix = config.SnipraUseSuffix;
    const std::string prefixKeys = config.SnipraPrefixKeys.str();
    const std::string prefix = suffix ? std::string() : prefixKeys;
    if (!prefix.empty() && buffer_.find(prefix) == std::string::npos) return {};

    // Whole buffer, or (mended) the buffer's end: a match anywhere else would leave the
    // characters after it typed and erase the wrong ones.
    const bool whole = config.SnipraSolitaryUsage || suffix;
    const std::string upperBuffer = UpperCase1252(buffer_);
    int candidates[kMaxAbbrevCandidates];
    int count = 0;
    const int macros = std::min<int>(glob.MacroCount, kMaxMacros);
    for (int n = 1; n <= macros && count < kMaxAbbrevCandidates; ++n) {
        if (!glob.Enabled[n] || glob.ActivationCode[n] != acAbbreviation) continue;
        const std::string abbreviation = config.MacroAbbreviations[n].str();
        if (abbreviation.empty()) continue;  // would match on every delimiter
        const std::string wanted = prefix + abbreviation;
        const bool exactCase = config.MacroAbbrevCases[n] == 2;
        const std::string& typed = exactCase ? buffer_ : upperBuffer;
        const std::string key = exactCase ? wanted : UpperCase1252(wanted);
        if (whole ? typed == key : EndsWith(typed, key)) candidates[count++] = n;
    }
    if (count == 0) return {};

    AbbrevDecision refused;
    if (activity.popupShowing)
        refused.warning = kPopupShowingWarning;
    else if (activity.capturing)
        refused.warning = kCaptureRunningWarning;
    else if (activity.paused)
        refused.warning = kPausedWarning;
    if (!refused.warning.empty() || activity.playing) return refused;

    int chosen = 0;
    const auto firstOf = [&](std::uint16_t scope, auto&& fits) {
        for (int i = 0; i < count && !chosen; ++i)
            if (glob.Scope[candidates[i]] == scope && fits(candidates[i])) chosen = candidates[i];
    };
    firstOf(scWindow, [&, title = std::string(), asked = false](int n) mutable {
        if (!asked) title = foreground.Title(), asked = true;
        return ScopeTextMatches(glob.ScopeText[n].str(), title);
    });
    firstOf(scProgram, [&, program = std::string(), asked = false](int n) mutable {
        if (!asked) program = foreground.Program(), asked = true;
        return ScopeTextMatches(glob.ScopeText[n].str(), program);
    });
    firstOf(scGlobal, [](int) { return true; });
    if (!chosen) return {};

    const std::string abbreviation = config.MacroAbbreviations[chosen].str();
    AbbrevDecision run;
    run.macro = chosen;
    if (config.MacroAbbrevErases[chosen] != 2)
        run.backspaces = static_cast<int>((suffix ? 1 : prefixKeys.size()) + abbreviation.size());
    // The first letter the user typed of the abbreviation itself, never the prefix key.
    const char first = buffer_[buffer_.size() - abbreviation.size()];
    run.capitalise = config.MacroAbbrevCases[chosen] == 1 && first >= 'A' && first <= 'Z';
    run.retype = suffix && config.SnipraRetypeSuffix;
    run.delimiter = delimiter_;
    run.capsLockWasOn = capsLockWasOn_;
    buffer_.clear();
    return run;
}

}  // namespace tessaro
