#pragma once
// Layouts name many characters by their old keysyms (EuroSign, endash, leftdoublequotemark)
// rather than by their Unicode keysyms: a key found under either is the layout's own key.

namespace win::x11 {

// The old keysym of a character beyond Latin-1 (the Windows characters 0x80-0x9F among
// them); 0 when it has none.
unsigned long LegacyKeysymForChar(char32_t cp);

}  // namespace win::x11
