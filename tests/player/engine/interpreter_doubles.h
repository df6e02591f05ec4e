#pragma once
// Test doubles for the interpreter's services. Key and mouse output goes to the simulated
// input backend; Typed() reads its log back as one line.
#include <QImage>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/sim_input.h"
#include "platform/virtual_keys.h"
#include "macro/encrypted_text.h"
#include "player/engine/macro_control.h"
#include "player/engine/macro_player.h"

namespace tessaro::testing {

// The simulated keyboard's log as text: characters typed plainly or with Shift stand as
// themselves (Tab and Enter as \t and \r), other keys as [K121], lone key events as
// [D17]/[U17], Alt keypad codes as [A0233], mouse buttons as [M2] (flags), wheel as [W360].
inline std::string Typed(const std::vector<win::sim::InputEvent>& log) {
    using E = win::sim::InputEvent;
    std::map<std::pair<int, bool>, char> chars;  // (virtual key, Shift) -> character
    for (int c = 9; c < 127; ++c) {
        if (c > 13 && c < 32) continue;
        const short scan = win::VkKeyScanUs(static_cast<unsigned char>(c));
        const int shift = (scan >> 8) & 0xFF;
        if (scan != -1 && (shift == 0 || shift == win::kScanShift))
            chars.emplace(std::pair{scan & 0xFF, shift != 0}, char(c));
    }
    auto is = [&](std::size_t i, int vk, bool up) {
        return i < log.size() && log[i].type == E::Key && log[i].vk == vk && log[i].up == up;
    };
    std::string out;
    for (std::size_t i = 0; i < log.size();) {
        const E& e = log[i];
        if (e.type == E::Mouse) {
            out += (e.flags & win::MOUSEEVENTF_WHEEL) ? "[W" + std::to_string(e.data) + "]"
                                                      : "[M" + std::to_string(e.flags) + "]";
            ++i;
            continue;
        }
        if (!e.up && e.vk == win::VK_SHIFT && i + 3 < log.size() && !log[i + 1].up &&
            is(i + 2, log[i + 1].vk, true) && is(i + 3, win::VK_SHIFT, true) &&
            chars.count({log[i + 1].vk, true})) {
            out += chars[{log[i + 1].vk, true}];
            i += 4;
            continue;
        }
        if (!e.up && e.vk == win::VK_MENU) {
            std::size_t j = i + 1;
            std::string digits;
            while (j < log.size() && !log[j].up && log[j].vk >= 96 && log[j].vk <= 105 &&
                   is(j + 1, log[j].vk, true)) {
                digits += char('0' + log[j].vk - 96);
                j += 2;
            }
            if (!digits.empty() && is(j, win::VK_MENU, true)) {
                out += "[A" + digits + "]";
                i = j + 1;
                continue;
            }
        }
        if (!e.up && is(i + 1, e.vk, true)) {
            const auto it = chars.find({e.vk, false});
            out += it != chars.end() ? std::string(1, it->second) : "[K" + std::to_string(e.vk) + "]";
            i += 2;
            continue;
        }
        out += std::string(e.up ? "[U" : "[D") + std::to_string(e.vk) + "]";
        ++i;
    }
    return out;
}

// Time moves only when the interpreter sleeps; every pump can run a scripted action.
class FakeClock : public PlaybackClock {
public:
    std::int64_t now = 1'000'000;
    int pumps = 0;
    std::function<void(int)> onPump;
    std::int64_t NowMs() override { return now; }
    void PumpMessages() override {
        ++pumps;
        if (onPump) onPump(pumps);
    }
    void Sleep(std::int64_t ms) override { now += std::max<std::int64_t>(ms, 1); }
};

struct Message {
    std::string caption;
    std::string text;
};

class FakeWindows : public PlayerWindows {
public:
    std::vector<Message> messages;
    std::vector<Message> boxes;  // text-box command
    std::uint16_t repeatCount = 0;
    std::vector<bool> pauseAnswers;  // true = resume; empty = resume
    struct PauseCall {
        int top, left;
        std::string text;
    };
    std::vector<PauseCall> pauses;
    std::optional<std::string> savePath;
    std::vector<std::string> promptTitles;

    void DoAMessage(const std::string& c, const std::string& t) override { messages.push_back({c, t}); }
    void MyMessage(const std::string& c, const std::string& t) override { boxes.push_back({c, t}); }
    std::uint16_t DoRepPrompt() override { return repeatCount; }
    bool PauseMacro(int top, int left, const std::string& text) override {
        pauses.push_back({top, left, text});
        if (pauseAnswers.empty()) return true;
        const bool answer = pauseAnswers.front();
        pauseAnswers.erase(pauseAnswers.begin());
        return answer;
    }
    int ScreenWidth() override { return 800; }
    int ScreenHeight() override { return 600; }
    std::optional<std::string> PromptSavePath(const std::string& title, const std::string&,
                                              const std::string&, bool) override {
        promptTitles.push_back(title);
        return savePath;
    }
};

class FakeClipboard : public ClipboardAccess {
public:
    std::string text;
    QImage image;
    std::string Text() override { return text; }
    void SetText(const std::string& t) override { text = t; }
    bool Image(QImage& out) override {
        if (image.isNull()) return false;
        out = image;
        return true;
    }
    void SetImage(const QImage& i) override { image = i; }
};

class FakeDesktop : public PlayerDesktop {
public:
    std::vector<std::string> windows;  // titles that can be activated
    std::vector<std::string> opened;
    bool ActivateWindow(const std::string& title) override {
        for (const auto& w : windows)
            if (w.find(title) != std::string::npos) return true;
        return false;
    }
    bool OpenDocument(const std::string& address) override {
        opened.push_back(address);
        return true;
    }
    std::optional<std::string> Decrypt(const std::string& cipher) override {
        return DecryptMacroText(cipher);
    }
};

// An in-memory macro file with a lock that can be held by "another user".
class FakeMacros : public MacroControlHost {
public:
    struct Macro {
        std::string nickname;
        std::string text;
        std::uint16_t activation = 30000;
        std::uint16_t scope = 1;
        bool enabledInFile = true;
        bool enabledInTable = true;
        std::vector<std::uint16_t> items;
    };
    std::vector<Macro> macros;
    Macro& Add(std::string nickname, std::string text) {
        Macro m;
        m.nickname = std::move(nickname);
        m.text = std::move(text);
        macros.push_back(std::move(m));
        return macros.back();
    }
    bool lockHeldElsewhere = false;
    std::vector<std::string> log;
    std::string macroFileName;

    int MacroCount() override { return int(macros.size()); }
    std::string Nickname(int n) override { return macros.at(n - 1).nickname; }
    std::uint16_t ActivationCode(int n) override { return macros.at(n - 1).activation; }
    std::uint16_t Scope(int n) override { return macros.at(n - 1).scope; }
    bool Enabled(int n) override { return macros.at(n - 1).enabledInTable; }
    std::optional<std::string> MacroText(int n) override { return macros.at(n - 1).text; }
    std::vector<std::uint16_t> PopupItems(int n) override { return macros.at(n - 1).items; }
    void SavePopupItems(int n, const std::vector<std::uint16_t>& items) override {
        macros.at(n - 1).items = items;
        log.push_back("save" + std::to_string(n));
    }
    void DeleteMacroRecord(int n) override {
        macros.erase(macros.begin() + (n - 1));
        log.push_back("delete" + std::to_string(n));
    }
    void SetMacroEnabled(int n, bool e) override {
        macros.at(n - 1).enabledInFile = e;
        log.push_back("file" + std::to_string(n) + (e ? "on" : "off"));
    }
    void SetTriggerEnabled(int n, bool e) override {
        macros.at(n - 1).enabledInTable = e;
        log.push_back("table" + std::to_string(n) + (e ? "on" : "off"));
    }
    void ReloadMacroFile() override { log.push_back("reload"); }
    void LoadMacroFile(const std::string& path) override { log.push_back("load " + path); }
    void SetMacroFileName(const std::string& path) override {
        macroFileName = path;
        log.push_back("name " + path);
    }
    bool FileInUse() override {
        log.push_back(lockHeldElsewhere ? "inuse" : "lock");
        return lockHeldElsewhere;
    }
    void ReleaseSyncFile(int changes) override { log.push_back("release" + std::to_string(changes)); }
    void UseLockFileOf(const std::string& path) override { log.push_back("lockfile " + path); }
    void GetSwapFile() override { log.push_back("swapkeys"); }
    void SetHotKeys() override { log.push_back("hotkeys"); }
    void CheckAndSetTime() override { log.push_back("schedule"); }
    void ClearMenuTaskIcon() override { log.push_back("trayoff"); }
    void DoMenuTaskIcon() override { log.push_back("trayon"); }
    void TellOtherPlayers() override { log.push_back("others"); }
    void PostEditor(std::uint32_t code, std::int32_t value) override {
        log.push_back("editor" + std::to_string(code) + ":" + std::to_string(value));
    }
};

// A family that records the tokens it gets and answers as told.
class RecordingFamily : public CommandFamily {
public:
    explicit RecordingFamily(std::vector<std::string>& seen, CommandOutcome outcome)
        : seen_(seen), outcome_(outcome) {}
    CommandOutcome Run(MacroPlayer&, const CommandToken& token) override {
        seen_.push_back(std::string(token.text));
        return outcome_;
    }

private:
    std::vector<std::string>& seen_;
    CommandOutcome outcome_;
};

// One interpreter over fresh doubles.
struct Rig {
    win::sim::SimInput input;
    FakeClock clock;
    FakeWindows windows;
    FakeClipboard clipboard;
    FakeDesktop desktop;
    FakeMacros macros;
    CommandFamilies families;
    MacroPlayer player{PlayerServices{input, clock, windows, clipboard, desktop, macros, families}};

    // Plays a whole macro the way a trigger does and returns what was typed.
    std::string Play(std::string_view text, bool capsLockWasOn = false) {
        player.BeginMacro(capsLockWasOn);
        player.DoMacro(text, 1, 1, 1, true);
        return Typed(input.log);
    }
};

}  // namespace tessaro::testing
