#include "player/commands/dialup.h"

#include <vector>

#include "foundation/ras.h"
#include "foundation/strings.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "player/engine/playback_services.h"

namespace tessaro {

namespace {

constexpr int kRasTextSize = 251;  // at most 250 characters

std::string Arg(const Token& token, std::size_t i) {
    return i < token.args.size() ? std::string(token.args[i]) : std::string();
}

void HangUpHalfConnection(const std::string& entry) {
    std::vector<RasConnection> connections;
    if (RasEnumConnections(connections) != kRasSuccess) return;
    for (const RasConnection& c : connections)
        if (c.entryName == entry) RasHangUp(c);
}

CommandOutcome Dial(PlayerWindows& windows, DialStatusWindow& status, const Token& token) {
    if (!RasAvailable()) {
        // The warning does not say the macro aborts: only the rest of this text is skipped.
        windows.DoAMessage("Warning", kRasMissingText);
        return CommandOutcome::SkipRest;
    }
    RasDialParams params;
    params.userName = Arg(token, 0);
    params.password = SwapPasswordChars(Arg(token, 1));
    params.entryName = Arg(token, 2);
    status.ShowStatus("Tessaro Dial-Up Networking", "Attempting Dial-Up Network Connection");
    const int result = RasDial(params);
    if (result != kRasSuccess) HangUpHalfConnection(params.entryName);
    status.CloseStatus();
    if (result == kRasSuccess) return CommandOutcome::Done;
    std::string text = RasErrorText(result);
    if (text.empty()) text = "Unknown Erorr";
    // The service's text can be long: the message window with a text box shows it whole.
    windows.MyMessage("Dial-Up Error", "Dial-Up Network Connection to " + params.entryName +
                                           " failed.  Error code: " + std::to_string(result) + ": " + text +
                                           "  Macro will abort.");
    return CommandOutcome::EndMacro;
}

void HangUp(PlayerWindows& windows) {
    if (!RasAvailable()) {
        windows.DoAMessage("Warning", kRasMissingText);
        return;
    }
    std::vector<RasConnection> connections;
    if (RasEnumConnections(connections) != kRasSuccess) {
        windows.DoAMessage("Dial-Up Error", "Dial-Up Networking Hang Up failed.");
    } else if (connections.empty()) {
        windows.DoAMessage("Dial-Up Error", "There are no Dial-Up Networking connections to hang up.");
    } else if (RasHangUp(connections.front()) != kRasSuccess) {
        windows.DoAMessage("Dial-Up Error", "Dial-Up Networking Hang Up failed.");
    }
}

}  // namespace

std::string RasErrorText(int error) {
    const std::string key = std::to_string(error);
    for (const std::string& dir : {win::ProgramDirectory(), win::ExecutableDirectory()}) {
        const std::string file = win::Utf8ToCp1252(win::JoinPath(dir, "QTRAS.INI"));
        std::string text = win::GetPrivateProfileString("RAS Errors", key, "", kRasTextSize, file);
        if (!text.empty()) return text;
    }
    return {};
}

CommandOutcome RunDialUpCommand(PlayerWindows& windows, DialStatusWindow& status, const Token& token) {
    if (token.kind == TokenKind::Dial) return Dial(windows, status, token);
    HangUp(windows);
    return CommandOutcome::Done;
}

}  // namespace tessaro
