#include "platform/x11/spare_keys.h"

#include <algorithm>
#include <string>

namespace win::x11 {

void SpareKeys::SetCodes(const std::vector<unsigned char>& codes) {
    std::vector<Spare> next;
    for (unsigned char code : codes) {
        const Spare* kept = Find(code);
        next.push_back(kept ? *kept : Spare{code});
    }
    spares_ = std::move(next);
}

SpareKeys::Spare* SpareKeys::Carrying(Sym sym) {
    auto it = std::find_if(spares_.begin(), spares_.end(), [&](const Spare& s) { return s.sym == sym; });
    return sym && it != spares_.end() ? &*it : nullptr;
}

SpareKeys::Spare* SpareKeys::Find(unsigned char code) {
    auto it = std::find_if(spares_.begin(), spares_.end(), [&](const Spare& s) { return s.code == code; });
    return it != spares_.end() ? &*it : nullptr;
}

SpareKeys::Spare* SpareKeys::Next(const std::vector<Sym>& ahead, Clock::time_point now) {
    for (Spare& s : spares_)
        if (!s.sym) return &s;
    // How far ahead each spare's keysym is typed next; npos: not at all.
    std::vector<std::size_t> next(spares_.size(), std::string::npos);
    std::size_t found = 0;
    for (std::size_t i = 0; i < ahead.size() && found < spares_.size(); ++i)
        for (std::size_t k = 0; k < spares_.size(); ++k)
            if (next[k] == std::string::npos && spares_[k].sym == ahead[i]) {
                next[k] = i;
                ++found;
            }
    // One that needs no question first goes before any that does.
    const bool any_read =
        std::any_of(spares_.begin(), spares_.end(), [&](const Spare& s) { return s.read <= now; });
    Spare* pick = nullptr;
    std::size_t pick_next = 0;
    for (std::size_t k = 0; k < spares_.size(); ++k) {
        Spare& s = spares_[k];
        if (any_read && s.read > now) continue;
        if (!pick || next[k] > pick_next || (next[k] == pick_next && s.used < pick->used)) {
            pick = &s;
            pick_next = next[k];
        }
    }
    return pick;
}

SpareKeys::Clock::time_point SpareKeys::FreeAt(const Spare& spare, Reading reading) {
    if (!spare.sym) return {};
    const auto cap = reading == Reading::kAnswers   ? kAnsweredCap
                     : reading == Reading::kUnknown ? kFreshCap
                                                    : kReadCap;
    const auto capped = spare.used + cap;
    return std::min(capped, spare.read);
}

void SpareKeys::Used(Spare& spare, Reader reader, Clock::time_point now) {
    spare.used = now;
    spare.reader = reader;
    spare.read = Clock::time_point::max();
}

void SpareKeys::Answered(Reader reader, Clock::time_point asked, Clock::time_point from) {
    if (!reader) return;
    for (Spare& s : spares_)
        if (s.sym && s.reader == reader && s.used <= asked && s.read == Clock::time_point::max())
            s.read = from;
}

}  // namespace win::x11
