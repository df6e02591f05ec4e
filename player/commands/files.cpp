#include "player/commands/files.h"

#include <unistd.h>

#include "platform/cp1252.h"
#include "player/commands/file_operations.h"
#include "player/engine/playback_services.h"

namespace tessaro {

namespace {

// A path of the macro text (Windows-1252) as the file system names it.
std::string PathArg(const Token& token, std::size_t i) {
    return i < token.args.size() ? win::Cp1252ToUtf8(token.args[i]) : std::string();
}

// A copy or move whose new file could not be written says so; the file there is as it was.
void TellNotWritten(PlayerWindows& windows, const char* caption, const char* what, const Token& token,
                    const FileResult& result) {
    if (result.notWritten.empty()) return;
    const auto arg = [&](std::size_t i) {
        return i < token.args.size() ? std::string(token.args[i]) : std::string();
    };
    windows.DoAMessage(caption, "File \"" + arg(0) + "\" could not be " + what + " \"" + arg(1) + "\" (" +
                                    result.notWritten + ").  The file there is kept as it was.");
}

}  // namespace

bool RunFileCommand(PlayerWindows& windows, const Token& token) {
    switch (token.kind) {
        case TokenKind::ChDir: (void)::chdir(PathArg(token, 0).c_str()); return true;
        case TokenKind::MkDir:
            if (const auto failed = MakeFolders(PathArg(token, 0))) {
                windows.DoAMessage("Create Folder Failed",
                                   "Folder \"" + win::Utf8ToCp1252(*failed) + "\" could not be created.");
            }
            return true;
        case TokenKind::DelFile: DeleteOneFile(PathArg(token, 0)); return true;
        case TokenKind::CopyFile:
            TellNotWritten(windows, "Copy File Failed", "copied to", token,
                           CopyFileReplacing(PathArg(token, 0), PathArg(token, 1)));
            return true;
        case TokenKind::RenFile:
            TellNotWritten(windows, "Rename File Failed", "moved to", token,
                           MoveFileNoReplace(PathArg(token, 0), PathArg(token, 1)));
            return true;
        default: return false;
    }
}

}  // namespace tessaro
