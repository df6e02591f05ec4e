#pragma once
// TModText (typed text with key tokens), its symbol chooser TDoSpecial and the find /
// replace logic with its dialog TDoSearch. Text here is Windows-1252 with "\n" line
// breaks as the memo holds it; Update turns it into the stored form.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editor/model/commands/command_form.h"
#include "editor/script/text_util.h"

namespace tessaro {

inline constexpr std::size_t kMaxTypedText = 5000;
inline constexpr const char* kTextTooLong = "Text exceeds maximum length.  Text not added.";

struct TokenButton {
    std::string_view control, caption, text;
};

// The token buttons; the "&Keys" menu repeats all but the function keys.
extern const std::array<TokenButton, 30> kTokenButtons;

struct MiscEntry {
    std::string_view name, text;
};
extern const std::array<MiscEntry, 42> kMiscEntries;

// A line of a text file edited as a script is limited by the file, not by the macro's 5,000.
inline constexpr std::size_t kTextFileLineLimit = static_cast<std::size_t>(-1) / 2;

// CheckSize: whether n more characters keep the memo within `limit` (a macro's 5,000).
bool FitsTypedText(std::size_t currentLength, std::size_t n, std::size_t limit = kMaxTypedText);

// SetIt: the text inserted at the caret (a selection stays), the caret right after it.
struct Inserted {
    std::string text;
    std::size_t caret;
};
Inserted InsertAtCaret(std::string_view memo, std::size_t caret, std::string_view insert);

// Update: Tabs become "<TAB>" (or stay tab bytes), line breaks the style's; beyond `limit`
// (a macro's 5,000 characters) the text is cut and the notice below is due.
struct UpdatedText {
    std::string TextBuffer;
    bool truncated = false;
};
UpdatedText UpdateTypedText(std::string_view memo, const TypedTextStyle& style = {},
                            std::size_t limit = kMaxTypedText);
std::string TruncationNotice();
FormResult<UpdatedText> BuildTypedText(std::string_view memo);

// The memo's text for a stored Text line (its line breaks as the memo's).
std::string TypedTextPreset(const TTextRec& rec);

// Update of a memo preset from `stored`: while the memo still holds `presetMemo` (what it
// showed after the preset) the stored text comes back byte for byte; an edited memo is
// written in the stored text's style (`fallback`'s where the stored text shows none).
UpdatedText UpdateStoredText(std::string_view memo, std::string_view presetMemo, std::string_view stored,
                             std::size_t limit = kMaxTypedText, const TypedTextStyle& fallback = {});

// ---- Find and replace ----
// Positions count characters of the memo text; only a-z are folded for comparing.
struct Found {
    std::size_t start;     // of the match
    std::size_t nextFrom;  // SearchPos after it
};
std::optional<Found> FindFrom(std::string_view text, std::size_t searchPos, std::string_view needle);
std::string NotFoundMessage(std::string_view needle);  // box "Warning"

struct Replaced {
    std::string text;
    int count = 0;
};
Replaced ReplaceAll(std::string_view text, std::string_view find, std::string_view replace);
std::string ReplacedMessage(std::string_view find, int count);  // box "Replaced"

struct SearchForm {
    std::string Find, Replace;
};
struct SearchFields {
    std::string FindText, ReplaceText;
    bool SearchConfirmed = false;
};
SearchFields ConfirmSearch(const SearchForm& form);

// ---- TDoSpecial ----
inline constexpr int kSymbolColumns = 16, kSymbolRows = 8;
// The grid is filled column by column from 128.
unsigned char SymbolAt(int column, int row);
FormResult<UpdatedText> BuildSymbol(int column, int row);

}  // namespace tessaro
