#pragma once
// The keycodes with no keysym that typing lends to keysyms the layout lacks. A program
// translates a key with the keyboard map it holds when it reads the key, and fetches the
// map anew when it reads the notice of a change: a busy program reads hundreds of
// milliseconds late, and a keycode changed before then types another character (or
// none) there. So a keycode keeps its keysym as long as it can: a new keysym takes a
// free keycode; only when all are lent does it take the one whose next use in the text
// ahead is furthest away (the least recently used among those not used again), and that
// only once the window that read its keys has shown it read them (it answered a
// question asked after them). A reader that has answered before is only busy: it is waited
// for as long as its window exists, within kAnsweredCap. One not asked yet may be a program
// just started that reads nothing for seconds; only one that never answered anything is
// given up on after kReadCap.
#include <chrono>
#include <vector>

namespace win::x11 {

class SpareKeys {
public:
    using Clock = std::chrono::steady_clock;
    using Sym = unsigned long;
    using Reader = unsigned long;  // the window its keys went to; 0 when unknown

    // What a reader has shown of itself: it answered a question, it was never asked, or it
    // left a question unanswered.
    enum class Reading { kAnswers, kUnknown, kSilent };
    // How long after its last key a keycode is left alone for each; after a ping's answer, a
    // moment more for a helper (an input method) that translates the key behind the program.
    static constexpr Clock::duration kAnsweredCap = std::chrono::seconds(40);
    static constexpr Clock::duration kFreshCap = std::chrono::seconds(10);
    static constexpr Clock::duration kReadCap = std::chrono::seconds(2);
    static constexpr Clock::duration kReadMargin = std::chrono::milliseconds(50);

    struct Spare {
        unsigned char code = 0;
        Sym sym = 0;  // 0: free
        Clock::time_point used{};
        Reader reader = 0;
        // From when its last key counts as read, once that was shown; max() before.
        Clock::time_point read = Clock::time_point::max();
    };

    // The keycodes that may be lent from now on: the ones kept keep what they carry.
    void SetCodes(const std::vector<unsigned char>& codes);
    std::vector<Spare>& spares() { return spares_; }
    const std::vector<Spare>& spares() const { return spares_; }

    Spare* Carrying(Sym sym);
    Spare* Find(unsigned char code);
    // Where a keysym that no spare carries goes: a free keycode, else the lent one whose
    // keysym comes latest in `ahead` (the keysyms to be typed next, in order), the least
    // recently used among equals; one whose keys were shown read by `now` before one still
    // to be asked about. nullptr when there are none.
    Spare* Next(const std::vector<Sym>& ahead = {}, Clock::time_point now = {});
    // From when the spare may carry another keysym (or none), by what its reader showed.
    static Clock::time_point FreeAt(const Spare& spare, Reading reading);

    void Lend(Spare& spare, Sym sym) { spare.sym = sym; }
    void Free(Spare& spare) { spare = Spare{spare.code}; }
    // A key of the spare went to `reader` at `now`.
    void Used(Spare& spare, Reader reader, Clock::time_point now);
    // The client of `reader` showed what was asked at `asked`: every key it was sent before
    // that counts as read from `from` on.
    void Answered(Reader reader, Clock::time_point asked, Clock::time_point from);

private:
    std::vector<Spare> spares_;
};

}  // namespace win::x11
