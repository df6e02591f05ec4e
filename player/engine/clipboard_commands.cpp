// The clipboard commands of the interpreter: text and pictures to and from files, copy and
// paste keys.
#include <fcntl.h>

#include <QImage>
#include <algorithm>
#include <cctype>
#include <iterator>

#include "platform/cp1252.h"
#include "platform/file_io.h"
#include "player/engine/macro_player.h"
#include "foundation/whole_files.h"
#include "macro/text_file.h"
#include "player/engine/picture_files.h"

namespace tessaro {
namespace {

constexpr std::string_view kPrompt = ":PROMPT:";

std::string UpperExtension(std::string_view path) {
    std::string ext(path.substr(path.size() >= 4 ? path.size() - 4 : 0));
    for (char& c : ext) c = char(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

// Only a regular file counts: reading a FIFO would hang the player.
bool FileExists(const std::string& utf8Path) { return win::OpenRegularFile(utf8Path, O_RDONLY).valid(); }

struct PictureKind {
    const char* extension;
    const char* caption;
    const char* missing;
};
constexpr PictureKind kMetafile{".WMF", "MetaFile Copy Error", "Windows metafile file could not be located."};
constexpr PictureKind kJpeg{".JPG", "JPEG Copy Error", "JPEG file could not be located."};
constexpr PictureKind kBitmap{"", "Bitmap Copy Error", "Bitmap file could not be located."};

// What a save that failed tells the user; the file there keeps what it held.
std::string NotSaved(std::string_view what, std::string_view path, const std::string& why) {
    return std::string(what) + " \"" + std::string(path) + "\" (" + why + ").  The file is kept as it was.";
}

}  // namespace

void MacroPlayer::RunClipboardCommand(const Token& token) {
    using K = TokenKind;
    const std::string_view argument = token.args.empty() ? std::string_view() : token.args[0];
    ClipboardAccess& clipboard = services_.clipboard;
    PlayerWindows& windows = services_.windows;

    switch (token.kind) {
        case K::ClipF: {
            const auto text = ReadTextFile(std::string(argument));
            if (!text) return;  // unreadable files are skipped without a word
            clipboard.SetText(*text);
            synth_.PauseForNoSpeed(0.05);
            return;
        }
        case K::ClipB: {
            const std::string ext = UpperExtension(argument);
            const PictureKind& kind = ext == kMetafile.extension ? kMetafile
                                      : ext == kJpeg.extension   ? kJpeg
                                                                 : kBitmap;
            const std::string path = win::Cp1252ToUtf8(argument);
            if (!FileExists(path)) {
                windows.DoAMessage(kind.caption, kind.missing);
                return;
            }
            if (&kind == &kMetafile) {
                windows.DoAMessage(kind.caption,
                                   "Windows metafile pictures cannot be put on the clipboard "
                                   "on this system.");
                return;
            }
            QImage image;
            const bool loaded = &kind == &kJpeg ? LoadJpeg(path, image) : LoadBitmap(path, image);
            if (!loaded) {
                const std::string why = &kind == &kJpeg ? JpegUnavailable() : std::string();
                windows.DoAMessage(kind.caption, why.empty() ? "The picture in \"" + std::string(argument) +
                                                                   "\" could not be read."
                                                             : why);
                return;
            }
            clipboard.SetImage(image);
            return;
        }
        case K::ClipC:
        case K::ClipP: {
            const std::uint8_t letter = token.kind == K::ClipC ? 67 : 86;
            synth_.PostVKey(17, false);
            synth_.PostVKey(letter, false);
            synth_.PostVKey(letter, true);
            synth_.PostVKey(17, true);
            if (token.kind == K::ClipP) synth_.PauseForNoSpeed(0.1);
            return;
        }
        case K::ClipSG: {
            QImage image;
            if (!clipboard.Image(image)) {
                windows.DoAMessage("Error",
                                   "There is no recognizable graphic in the clipboard. Saving "
                                   "clipboard graphic to a file will abort.");
                return;
            }
            std::string path(argument);
            if (argument == kPrompt) {
                auto chosen = windows.PromptSavePath("Save Clipboard Graphic to Graphic File", "BMP",
                                                     "Bitmap (*.BMP)|*.BMP|JPeg (*.JPG)|*.JPG", false);
                if (!chosen) return;
                path = *chosen;
            }
            const std::string ext = UpperExtension(path);
            if (ext != ".JPG" && ext != ".BMP") path += ".BMP";
            std::string why;
            const bool saved = ext == ".JPG" ? SaveJpeg(win::Cp1252ToUtf8(path), image, 100, why)
                                             : SaveBitmap(win::Cp1252ToUtf8(path), image, why);
            if (!saved)
                windows.DoAMessage("Error",
                                   NotSaved("The clipboard graphic could not be saved to", path, why));
            return;
        }
        case K::ClipST:
        case K::ClipAT: {
            const bool append = token.kind == K::ClipAT;
            const std::string text = clipboard.Text();
            if (text.empty()) {
                windows.DoAMessage("Error",
                                   "There is no text in the clipboard.  Saving clipboard text "
                                   "to a file will abort.");
                return;
            }
            std::string path(argument);
            if (argument == kPrompt) {
                auto chosen = windows.PromptSavePath(
                    append ? "Append Clipboard Text To File" : "Save Clipboard Text To File", "TXT",
                    "Text Files (*.TXT)|*.TXT", append);
                if (!chosen) return;
                path = *chosen;
            }
            // The file holds what it held or all of the text, never a part of it.
            const std::string native = win::Cp1252ToUtf8(path);
            const std::string line = text + "\r\n";
            std::string why;
            if (append ? !AppendWhole(native, line, why) : !win::ReplaceRegularFile(native, line, why))
                windows.DoAMessage("Error", NotSaved(append ? "The clipboard text could not be added to"
                                                            : "The clipboard text could not be saved to",
                                                     path, why));
            return;
        }
        default: return;
    }
}

}  // namespace tessaro
