#pragma once
// The typing aids of the macro-text editors (the macro properties editor and the Text
// command's editor): the key-token buttons, the "Miscellaneous" list, the size rule of an
// insertion, insertion at the caret, Find / Find Again and Search and Replace, and the
// conversion between the editor's text and the stored macro text.
//
// Editor texts are QStrings as the text box holds them: a line break is one '\n'. Stored
// texts are Windows-1252 bytes where a line break is CR LF, so it counts two.
#include <QString>
#include <span>
#include <string>
#include <string_view>

#include "editor/model/commands/text_forms.h"

namespace tessaro {

inline constexpr int kMacroTextLimit = 5000;

struct KeyTokenEntry {
    const char* handler;  // e.g. "ShiftButtonClick"
    const char* button;   // button caption
    const char* menu;     // entry of "&Keys" (or "FKe&ys" for the function keys)
    const char* token;
    bool functionKey;
};
// The 30 key-token entries in the order of their buttons, F1..F12 last.
std::span<const KeyTokenEntry> KeyTokenEntries();

// The 42 entries of the "Miscellaneous" list are the typed-text editor's (kMiscEntries).

// Characters the stored form of an editor text takes: a line break counts two.
int StoredLength(const QString& editorText);
// True when `count` more stored characters keep the text within the limit.
bool FitsMacroText(const QString& editorText, int count);

struct Insertion {
    QString text;
    int caret = 0;  // right after the inserted token
};
// Inserts at `caret` (a selection is kept, not replaced).
Insertion InsertAt(const QString& text, int caret, const QString& token);

// Find / Find Again: the text searched for and how far the last match reached.
struct SearchState {
    int pos = 0;  // characters already passed
    QString text;
};
struct SearchHit {
    bool found = false;
    int start = 0, length = 0;  // the selection to show when found
};
// Searches from `state.pos` on, ignoring the case of ASCII letters. A match moves the
// position right after itself, so overlapping and adjacent matches are all met; a miss
// (and an empty search text) sets it back to the top.
SearchHit SearchFrom(const QString& text, SearchState& state);

// Replacing and the messages of both are the typed-text editor's (commands/text_forms.h).

// The stored form of an editor text: CR LF line breaks, Windows-1252 bytes; tabs become
// "<TAB>" when asked. A character without a Windows-1252 byte refuses the whole text,
// naming the first such character in `problem`.
struct StoredText {
    bool ok = false;
    std::string bytes;
    QString problem;  // for a box "Error" when not ok
};
StoredText ToStoredText(const QString& editorText, bool expandTabs);
// The editor form of stored bytes: CR LF (and a lone LF) become one line break.
QString FromStoredText(std::string_view bytes);

// The free-text refusal message naming the first character that has no Windows-1252 byte.
QString UnstorableCharacterMessage(QChar c);

}  // namespace tessaro
