#include "editor/model/macro_forms/text_aids.h"

#include <array>

#include "platform/cp1252.h"

namespace tessaro {

namespace {

constexpr std::array<KeyTokenEntry, 30> kKeyTokens = {{
    {"ShiftButtonClick", "S&hift", "S&hift", "<SHIFT>", false},
    {"CtrlButtonClick", "C&trl", "Con&trol", "<CTRL>", false},
    {"AltButtonClick", "Alt", "&Alt", "<ALT>", false},
    {"SpaceButtonClick", "Space", "Spa&ce", "<SPACE>", false},
    {"TabButtonClick", "Ta&b", "Ta&b", "<TAB>", false},
    {"BackspaceButtonClick", "Backspace", "Bac&kspace", "<BACKSPACE>", false},
    {"ReturnButtonClick", "E&nter", "E&nter", "<ENTER>", false},
    {"EscButtonClick", "E&sc", "E&sc", "<ESC>", false},
    {"PageUpButtonClick", "Pa&ge Up", "Pa&ge Up", "<PAGE UP>", false},
    {"PageDownButtonClick", "Page Do&wn", "Page Do&wn", "<PAGE DOWN>", false},
    {"InsertButtonClick", "&Insert", "&Insert", "<INSERT>", false},
    {"DeleteButtonClick", "&Delete", "&Delete", "<DELETE>", false},
    {"HomeButtonClick", "Ho&me", "Ho&me", "<HOME>", false},
    {"EndButtonClick", "End", "&End", "<END>", false},
    {"UpButtonClick", "U&p Arrow", "U&p Arrow", "<UP ARROW>", false},
    {"DownButtonClick", "D&own Arrow", "D&own Arrow ", "<DOWN ARROW>", false},
    {"LeftButtonClick", "&Left Arrow", "&Left Arrow", "<LEFT ARROW>", false},
    {"RightButtonClick", "&Right Arrow", "&Right Arrow", "<RIGHT ARROW>", false},
    {"F1ButtonClick", "F1", "F&1", "<F1>", true},
    {"F2ButtonClick", "F2", "F&2", "<F2>", true},
    {"F3ButtonClick", "F3", "F&3", "<F3>", true},
    {"F4ButtonClick", "F4", "F&4", "<F4>", true},
    {"F5ButtonClick", "F5", "F&5", "<F5>", true},
    {"F6ButtonClick", "F6", "F&6", "<F6>", true},
    {"F7ButtonClick", "F7", "F&7", "<F7>", true},
    {"F8ButtonClick", "F8", "F&8", "<F8>", true},
    {"F9ButtonClick", "F9", "F&9", "<F9>", true},
    {"F10ButtonClick", "F10", "&F10", "<F10>", true},
    {"F11ButtonClick", "F11", "F11", "<F11>", true},
    {"F12ButtonClick", "F12", "F12", "<F12>", true},
}};

QChar AsciiUpper(QChar c) { return (c >= 'a' && c <= 'z') ? QChar(c.unicode() - 32) : c; }

// Position of `needle` in `hay` from `from` on, ASCII letters compared without case.
int IndexOfAsciiFolded(const QString& hay, const QString& needle, int from) {
    if (needle.isEmpty()) return -1;
    const int last = int(hay.size()) - int(needle.size());
    for (int i = from; i <= last; ++i) {
        int k = 0;
        while (k < needle.size() && AsciiUpper(hay[i + k]) == AsciiUpper(needle[k])) ++k;
        if (k == needle.size()) return i;
    }
    return -1;
}

}  // namespace

std::span<const KeyTokenEntry> KeyTokenEntries() { return kKeyTokens; }
int StoredLength(const QString& editorText) {
    int n = 0;
    for (QChar c : editorText) n += c == '\n' ? 2 : 1;
    return n;
}

bool FitsMacroText(const QString& editorText, int count) {
    return StoredLength(editorText) + count < kMacroTextLimit + 1;
}

Insertion InsertAt(const QString& text, int caret, const QString& token) {
    const int p = std::clamp(caret, 0, int(text.size()));
    return {text.left(p) + token + text.mid(p), p + int(token.size())};
}

SearchHit SearchFrom(const QString& text, SearchState& state) {
    const int from = std::clamp(state.pos, 0, int(text.size()));
    const int at = IndexOfAsciiFolded(text, state.text, from);
    if (at < 0) {
        state.pos = 0;
        return {};
    }
    state.pos = at + int(state.text.size());
    return {true, at, int(state.text.size())};
}

QString UnstorableCharacterMessage(QChar c) {
    return "The character \"" + QString(c) + "\" (U+" +
           QString::number(c.unicode(), 16).toUpper().rightJustified(4, '0') +
           ") cannot be stored in a macro.  Please remove it.";
}

StoredText ToStoredText(const QString& editorText, bool expandTabs) {
    StoredText out;
    const std::u32string wide = editorText.toStdU32String();
    out.bytes.reserve(wide.size() + 16);
    for (char32_t cp : wide) {
        if (cp == '\n') {
            out.bytes += "\r\n";
        } else if (cp == '\t' && expandTabs) {
            out.bytes += "<TAB>";
        } else {
            unsigned char b = 0;
            if (!win::UnicodeToCp1252(cp, b)) {
                out.bytes.clear();
                out.problem = UnstorableCharacterMessage(cp > 0xFFFF ? QChar(QChar::ReplacementCharacter)
                                                                     : QChar(char16_t(cp)));
                return out;
            }
            out.bytes += char(b);
        }
    }
    out.ok = true;
    return out;
}

QString FromStoredText(std::string_view bytes) {
    std::string unix;
    unix.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        unix += bytes[i];
    }
    return QString::fromStdString(win::Cp1252ToUtf8(unix));
}

}  // namespace tessaro
