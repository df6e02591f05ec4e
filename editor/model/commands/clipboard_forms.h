#pragma once
// TDoClipboard: collecting text, loading files, the copy and paste keys, typing the
// clipboard and saving it to a file.
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/commands/command_form.h"

namespace tessaro {

// Kind 8 (type out without line breaks) is kind 7 with IgnoreCR checked: no button.
inline constexpr std::array<RadioChoice, 10> kClipboardChoices{{
    {"StartClip", "&Start Clipboard Copy", 1, cmd::ClipboardStartCopy, TokenKind::BegClip},
    {"EndClip", "&End Clipboard Copy", 2, cmd::ClipboardEndCopy, TokenKind::EndClip},
    {"CopyFile", "Cop&y Text File To Clipboard", 3, cmd::ClipboardFileCopy, TokenKind::ClipF},
    {"CopyCommand", "&Issue Copy To Clipboard Command (CTRL+C)", 4, cmd::ClipboardCopy, TokenKind::ClipC},
    {"PasteCommand", "Issue &Paste From Clipboard Command (CTRL+V)", 5, cmd::ClipboardPaste,
     TokenKind::ClipP},
    {"CopyBit", "Copy &Graphic File To Clipboard", 6, cmd::ClipboardGraphicCopy, TokenKind::ClipB},
    {"TypeText", "&Type Out Text From The Clipboard", 7, cmd::ClipboardTypeText, TokenKind::ClipType},
    {"SaveText", "Sa&ve Clipboard Text To A Text File", 9, cmd::ClipboardSaveText, TokenKind::ClipST},
    {"AppendText", "Appen&d Clipboard Text To The End Of A Text File", 10, cmd::ClipboardAppendText,
     TokenKind::ClipAT},
    {"SaveBit", "Save Clipboa&rd Graphic To A Graphic File", 11, cmd::ClipboardSaveGraphic,
     TokenKind::ClipSG},
}};

inline constexpr const char* kPromptFileName = ":PROMPT:";

struct ClipboardForm {
    std::int32_t Kind = 1;  // 1..11 but 8
    bool IgnoreCR = false, SavePrompt = false;
    std::string ProgPath;
};

struct ClipboardFields {
    bool IgnoreCRLF = false;
    std::int32_t ClipKind = 0;
    std::string ClipFileName;
};

// What a choice shows and enables, and its file dialog.
struct ClipboardLayout {
    bool pathPanel;      // Panel2 with the path and Browse
    bool pathEnabled;    // off while a save asks for the name at run time
    bool promptEnabled;  // SavePrompt
    bool ignoreEnabled;  // IgnoreCR
    bool saveDialog;     // Browse saves (else opens an existing file)
    const char* pathLabel;
    const char* dialogTitle;
    const char* filter;  // Qt filter text
};
ClipboardLayout ClipboardLayoutOf(const ClipboardForm& form);

ClipboardForm ClipboardDefaults();
ClipboardForm ClipboardPreset(const TClipRec& rec);
FormResult<ClipboardFields> BuildClipboard(const ClipboardForm& form);

}  // namespace tessaro
