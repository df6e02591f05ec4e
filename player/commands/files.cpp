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
        case TokenKind::CopyFile: CopyFileReplacing(PathArg(token, 0), PathArg(token, 1)); return true;
        case TokenKind::RenFile: MoveFileNoReplace(PathArg(token, 0), PathArg(token, 1)); return true;
        default: return false;
    }
}

}  // namespace tessaro
