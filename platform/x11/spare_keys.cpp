#include "platform/x11/spare_keys.h"

#include <algorithm>

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

SpareKeys::Spare* SpareKeys::Next() {
    Spare* pick = nullptr;
    for (Spare& s : spares_) {
        if (!s.sym) return &s;
        if (!pick || s.used < pick->used) pick = &s;
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
