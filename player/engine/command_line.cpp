#include "player/engine/command_line.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "foundation/strings.h"
#include "foundation/settings.h"
#include "platform/cp1252.h"

namespace tessaro {

namespace {

constexpr std::size_t kNicknameCapacity = 50;

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// The text after "/A" up to the next "/", trimmed (upper-case input).
// The switch starts an argument: a "/a" inside a path ("/F/home/al/x.qtm") is not it.
std::string AfterA(std::string_view upper) {
    std::size_t a = upper.find("/A");
    while (a != std::string_view::npos && a > 0 && upper[a - 1] != ' ') a = upper.find("/A", a + 1);
    if (a == std::string_view::npos) return {};
    std::string_view rest = upper.substr(a + 2);
    rest = rest.substr(0, rest.find('/'));
    return TrimBlanks(rest);
}

// 1..98 written as decimal digits only; anything else is refused.
std::optional<int> SyncMinutesValue(std::string_view text) {
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (n < 1 || n > 98) return std::nullopt;
    return n;
}

}  // namespace

Switch ParseSwitch(std::string_view param) {
    const std::string up = Upper(param);
    Switch sw;
    if (up == "/B" || up == "/BA") {
        sw.kind = SwitchKind::Browse;
    } else if (up == "/S") {
        sw.kind = SwitchKind::AutoSync;
    } else if (StartsWith(up, "/F")) {
        sw.kind = SwitchKind::MacroFile;
        sw.text = std::string(param.substr(2));
    } else if (StartsWith(up, "/A")) {
        sw.kind = SwitchKind::StartMacro;
        sw.text = up.substr(2, kNicknameCapacity);
    } else if (up == "/N") {
        sw.kind = SwitchKind::NetworkMode;
    } else if (StartsWith(up, "/SM")) {
        if (const auto n = SyncMinutesValue(std::string_view(up).substr(3))) {
            sw.kind = SwitchKind::SyncMinutes;
            sw.number = *n;
        }
    } else if (StartsWith(up, "/T")) {
        sw.kind = SwitchKind::ShowTray;
    } else if (StartsWith(up, "/H")) {
        sw.kind = SwitchKind::HideTray;
    } else if (StartsWith(up, "/EN")) {
        sw.kind = SwitchKind::EditorOff;
    } else if (StartsWith(up, "/EY")) {
        sw.kind = SwitchKind::EditorOn;
    }
    return sw;
}

bool ApplySettingSwitch(const Switch& sw, TConfigRecord& config) {
    switch (sw.kind) {
        case SwitchKind::AutoSync: config.AutoSync = true; return true;
        case SwitchKind::SyncMinutes: config.SyncMinutes = static_cast<std::uint16_t>(sw.number); return true;
        case SwitchKind::ShowTray: config.UseTray = true; return true;
        case SwitchKind::HideTray: config.UseTray = false; return true;
        case SwitchKind::EditorOff: config.StartEditor = false; return true;
        case SwitchKind::EditorOn: config.StartEditor = true; return true;
        default: return false;
    }
}

void ProcessParams(const std::vector<std::string>& args, TConfigRecord& config, StartSwitches& state,
                   SwitchHost& host) {
    for (const std::string& arg : args) {
        const Switch sw = ParseSwitch(arg);
        if (ApplySettingSwitch(sw, config)) continue;
        switch (sw.kind) {
            case SwitchKind::Browse: state.browseMode = true; break;
            case SwitchKind::StartMacro: state.startMacro = sw.text; break;
            case SwitchKind::NetworkMode:
                config.NetworkMode = true;
                host.UseLockFileOf(config.RecentFiles[0].str());
                break;
            case SwitchKind::MacroFile: {
                std::error_code ec;
                const std::filesystem::path path(win::Cp1252ToUtf8(sw.text));
                if (sw.text.empty() || !std::filesystem::is_regular_file(path, ec)) break;
                const auto absolute = std::filesystem::absolute(path, ec);
                const std::string name =
                    win::Utf8ToCp1252((ec ? path : absolute).lexically_normal().string());
                // A name the settings cannot hold whole would point at another file.
                if (name.size() > config.RecentFiles[0].kCapacity) break;
                config.RecentFiles[0] = name;
                if (config.NetworkMode) host.UseLockFileOf(name);
                host.MacroFileSwitched();
                break;
            }
            default: break;
        }
    }
}

bool TraySwitchGiven(const std::vector<std::string>& args) {
    return std::find(args.begin(), args.end(), "/S") != args.end();
}

bool SaveSwitchSettings(TConfigRecord& config) { return SaveCurrentFileMiscAndNetworkSettings(config); }

std::string StartMacroNickname(const std::vector<std::string>& args) {
    // Arguments before the one with "/A" are left out: on this system paths hold "/", and a
    // "/F" path such as "/home/al/macros" must not be taken for the switch.
    const auto first = std::find_if(args.begin(), args.end(),
                                    [](const std::string& a) { return StartsWith(Upper(a), "/A"); });
    if (first == args.end()) return {};
    std::string joined;
    for (auto it = first; it != args.end(); ++it) {
        if (it != first) joined += ' ';
        joined += *it;
    }
    return AfterA(Upper(joined)).substr(0, kNicknameCapacity);
}

std::string HandOverText(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& a : args) {
        if (!text.empty()) text += ' ';
        text += a;
    }
    // No NUL may travel: a zero byte ends a message's characters.
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text.substr(0, kHandOverCapacity);
}

std::string NicknameFromHandOver(std::string_view text) {
    // Without the switch there is no nickname: the rest of a command line names no macro.
    return AfterA(Upper(text));
}

std::vector<std::int32_t> PackHandOver(std::string_view text) {
    std::vector<std::int32_t> out;
    for (std::size_t i = 0; i < text.size(); i += 4) {
        std::uint32_t word = 0;
        for (std::size_t k = 0; k < 4 && i + k < text.size(); ++k)
            word |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[i + k])) << (8 * k);
        out.push_back(static_cast<std::int32_t>(word));
    }
    out.push_back(0);
    return out;
}

std::optional<std::string> HandOverCollector::Receive(std::uint32_t sender, std::int32_t lParam) {
    if (lParam == 0) {
        auto it = buffers_.find(sender);
        std::string text = it == buffers_.end() ? std::string() : std::move(it->second);
        if (it != buffers_.end()) buffers_.erase(it);
        return text;
    }
    auto it = buffers_.find(sender);
    if (it == buffers_.end()) {
        // Senders that died half-way leave buffers behind; drop the oldest-numbered one.
        if (buffers_.size() >= kMaxSenders) buffers_.erase(buffers_.begin());
        it = buffers_.emplace(sender, std::string()).first;
    }
    std::string& buffer = it->second;
    auto word = static_cast<std::uint32_t>(lParam);
    for (int k = 0; k < 4 && word != 0; ++k, word >>= 8) {
        const char c = static_cast<char>(word & 0xFF);
        if (c == '\0') break;
        if (buffer.size() < kHandOverCapacity) buffer += c;
    }
    return std::nullopt;
}

}  // namespace tessaro
