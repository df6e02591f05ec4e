#pragma once
// The logic of the Send E-Mail dialog, apart from its widgets: the recipient list file, what
// each list shows, and the result texts of each mode.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "mail/recipient_list.h"

namespace tessaro::mail {

// Selections kept when a list switches between names and addresses.
inline constexpr std::size_t kMaxKeptSelections = 2001;

// One of the To, CC and Blind CC results: the typed recipient when it has an address, the
// selected lines, each followed by ";", and byte 0x01 at the end.
std::string RecipientResult(std::string_view typedName, std::string_view typedAddress,
                            const std::vector<std::string>& lines, const std::vector<bool>& selected);

// Mode 2: the text, the trimmed subject ("No Subject" when empty), "YES" or "NO".
std::array<std::string, 3> TextResults(std::string_view text, std::string_view subject, bool receipt);
// Mode 3: the paths, each followed by ";", and 0x01.
std::string AttachmentResult(const std::vector<std::string>& paths);

// The entry selected after deleting entry `deleted` of a list that now has `count` entries;
// -1 for none.
int SelectionAfterDelete(int deleted, int count);

std::string TrimBlanks(std::string_view text);

}  // namespace tessaro::mail
