#include "editor/model/commands/text_forms.h"

namespace tessaro {

const std::array<TokenButton, 30> kTokenButtons{{
    {"ShiftButton", "S&hift", "<SHIFT>"},
    {"CtrlButton", "C&trl", "<CTRL>"},
    {"AltButton", "Alt", "<ALT>"},
    {"EscButton", "E&sc", "<ESC>"},
    {"ReturnButton", "E&nter", "<ENTER>"},
    {"SpaceButton", "Space", "<SPACE>"},
    {"TabButton", "Ta&b", "<TAB>"},
    {"BackspaceButton", "Backspace", "<BACKSPACE>"},
    {"HomeButton", "Ho&me", "<HOME>"},
    {"EndButton", "End", "<END>"},
    {"InsertButton", "&Insert", "<INSERT>"},
    {"DeleteButton", "&Delete", "<DELETE>"},
    {"UpButton", "U&p Arrow", "<UP ARROW>"},
    {"DownButton", "D&own Arrow", "<DOWN ARROW>"},
    {"LeftButton", "&Left Arrow", "<LEFT ARROW>"},
    {"RightButton", "&Right Arrow", "<RIGHT ARROW>"},
    {"PageUpButton", "Pa&ge Up", "<PAGE UP>"},
    {"PageDownButton", "Page Do&wn", "<PAGE DOWN>"},
    {"F1Button", "F1", "<F1>"},
    {"F2Button", "F2", "<F2>"},
    {"F3Button", "F3", "<F3>"},
    {"F4Button", "F4", "<F4>"},
    {"F5Button", "F5", "<F5>"},
    {"F6Button", "F6", "<F6>"},
    {"F7Button", "F7", "<F7>"},
    {"F8Button", "F8", "<F8>"},
    {"F9Button", "F9", "<F9>"},
    {"F10Button", "F10", "<F10>"},
    {"F11Button", "F11", "<F11>"},
    {"F12Button", "F12", "<F12>"},
}};

const std::array<MiscEntry, 42> kMiscEntries{{
    {"Left Window", "<LEFTWIN>"},
    {"Right Window", "<RIGHTWIN>"},
    {"Application", "<APP>"},
    {"F13", "<F13>"},
    {"F14", "<F14>"},
    {"F15", "<F15>"},
    {"F16", "<F16>"},
    {"F17", "<F17>"},
    {"F18", "<F18>"},
    {"F19", "<F19>"},
    {"F20", "<F20>"},
    {"F21", "<F21>"},
    {"F22", "<F22>"},
    {"F23", "<F23>"},
    {"F24", "<F24>"},
    {"Attn", "<ATTN>"},
    {"CrSel", "<CRSEL>"},
    {"ExSel", "<EXSEL>"},
    {"Erase EOF", "<EREOF>"},
    {"Play", "<PLAY>"},
    {"Zoom", "<ZOOM>"},
    {"PA1", "<PA1>"},
    {"Keypad 0", "<KEYP0>"},
    {"Keypad 1", "<KEYP1>"},
    {"Keypad 2", "<KEYP2>"},
    {"Keypad 3", "<KEYP3>"},
    {"Keypad 4", "<KEYP4>"},
    {"Keypad 5", "<KEYP5>"},
    {"Keypad 6", "<KEYP6>"},
    {"Keypad 7", "<KEYP7>"},
    {"Keypad 8", "<KEYP8>"},
    {"Keypad 9", "<KEYP9>"},
    {"Keypad .", "<KEYP.>"},
    {"Keypad /", "<KEYP/>"},
    {"Keypad *", "<KEYP*>"},
    {"Keypad -", "<KEYP->"},
    {"Keypad +", "<KEYP+>"},
    {"Print Screen", "<PRTSCR>"},
    {"Scroll Lock", "<SCRLOCK>"},
    {"Pause", "<PAUSEKEY>"},
    {"Caps Lock", "<CAPLOCK>"},
    {"Num Lock", "<NUMLOCK>"},
}};

bool FitsTypedText(std::size_t currentLength, std::size_t n, std::size_t limit) {
    return currentLength + n <= limit;
}

Inserted InsertAtCaret(std::string_view memo, std::size_t caret, std::string_view insert) {
    caret = std::min(caret, memo.size());
    std::string text;
    text.reserve(memo.size() + insert.size());
    text.append(memo.substr(0, caret)).append(insert).append(memo.substr(caret));
    return {std::move(text), caret + insert.size()};
}

UpdatedText UpdateTypedText(std::string_view memo, const TypedTextStyle& style, std::size_t limit) {
    UpdatedText out;
    out.TextBuffer.reserve(memo.size());
    for (std::size_t i = 0; i < memo.size(); ++i) {
        const char c = memo[i];
        if (c == '\t') {
            out.TextBuffer += style.TabBytes ? std::string_view("\t") : std::string_view("<TAB>");
        } else if (c == '\n') {
            out.TextBuffer += style.LineBreak;
        } else if (c == '\r') {
            out.TextBuffer += style.LineBreak;
            if (i + 1 < memo.size() && memo[i + 1] == '\n') ++i;
        } else {
            out.TextBuffer += c;
        }
        if (out.TextBuffer.size() > limit + 8) break;  // a huge paste: no need to copy it all
    }
    if (out.TextBuffer.size() > limit) {
        out.truncated = true;
        out.TextBuffer.resize(limit);
    }
    return out;
}

UpdatedText UpdateStoredText(std::string_view memo, std::string_view presetMemo, std::string_view stored,
                             std::size_t limit, const TypedTextStyle& fallback) {
    if (memo == presetMemo) return {std::string(stored), false};
    return UpdateTypedText(memo, StyleOfTypedText(stored, fallback), limit);
}

std::string TruncationNotice() {
    return "The size of the macro exceeds the 5000 character limit.  The macro will be truncated to 5000 "
           "characters.";
}

FormResult<UpdatedText> BuildTypedText(std::string_view memo) {
    UpdatedText u = UpdateTypedText(memo);
    TTextRec rec{u.TextBuffer};
    return Finish(std::move(u), cmd::Text, std::move(rec));
}

std::string TypedTextPreset(const TTextRec& rec) {
    std::string memo;
    memo.reserve(rec.Text.size());
    for (std::size_t i = 0; i < rec.Text.size(); ++i) {
        if (rec.Text[i] == '\r' && i + 1 < rec.Text.size() && rec.Text[i + 1] == '\n') continue;
        memo += rec.Text[i];
    }
    return memo;
}

namespace {

char Fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::size_t FoldedFind(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty() || needle.size() > text.size()) return std::string_view::npos;
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < needle.size() && Fold(text[i + k]) == Fold(needle[k])) ++k;
        if (k == needle.size()) return i;
    }
    return std::string_view::npos;
}

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

}  // namespace

std::optional<Found> FindFrom(std::string_view text, std::size_t searchPos, std::string_view needle) {
    if (searchPos > text.size()) return std::nullopt;
    const std::size_t at = FoldedFind(text, needle, searchPos);
    if (at == std::string_view::npos) return std::nullopt;
    return Found{at, at + needle.size()};
}

std::string NotFoundMessage(std::string_view needle) { return Quoted(needle) + " was not found."; }

Replaced ReplaceAll(std::string_view text, std::string_view find, std::string_view replace) {
    Replaced out;
    std::size_t from = 0;
    while (true) {
        const std::size_t at = FoldedFind(text, find, from);
        if (at == std::string_view::npos) break;
        out.text.append(text.substr(from, at - from)).append(replace);
        from = at + find.size();
        ++out.count;
    }
    out.text.append(text.substr(from));
    return out;
}

std::string ReplacedMessage(std::string_view find, int count) {
    return Quoted(find) + " was replaced " + std::to_string(count) + " times.";
}

SearchFields ConfirmSearch(const SearchForm& form) {
    SearchFields out;
    out.FindText = form.Find.substr(0, 255);
    out.ReplaceText = form.Replace.substr(0, 255);
    out.SearchConfirmed = !out.FindText.empty();
    return out;
}

unsigned char SymbolAt(int column, int row) { return static_cast<unsigned char>(128 + 8 * column + row); }

FormResult<UpdatedText> BuildSymbol(int column, int row) {
    if (column < 0 || column >= kSymbolColumns || row < 0 || row >= kSymbolRows) return {};
    const std::string symbol(1, static_cast<char>(SymbolAt(column, row)));
    return Finish(UpdatedText{symbol, false}, cmd::Text, TTextRec{symbol});
}

}  // namespace tessaro
