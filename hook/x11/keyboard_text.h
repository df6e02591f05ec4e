#pragma once
// The Windows-1252 character a keysym types, with dead keys composed.
#include <cstdint>

namespace tessaro::hook {

// Unicode of a keysym; 0 for keys that type nothing.
char32_t KeysymToUnicode(unsigned long keysym);

class DeadKeyComposer {
public:
    // Feeds one typed keysym; returns the Windows-1252 byte to report, 0 for none. A
    // dead key returns 0 and combines with the next character.
    std::uint8_t Feed(unsigned long keysym);
    void Reset() { pending_ = 0; }

private:
    char32_t pending_ = 0;  // combining mark of a pending dead key
};

}  // namespace tessaro::hook
