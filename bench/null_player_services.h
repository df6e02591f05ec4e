#pragma once
// Player services that do nothing, for benchmarks of the interpreter's own work: no
// messages, no clipboard, every window found, no macro file.
#include <optional>
#include <string>
#include <vector>

#include "player/engine/macro_control.h"
#include "player/engine/playback_services.h"

namespace tessaro {

class NoWindows : public PlayerWindows {
public:
    void DoAMessage(const std::string&, const std::string&) override {}
    void MyMessage(const std::string&, const std::string&) override {}
    std::uint16_t DoRepPrompt() override { return 0; }
    bool PauseMacro(int, int, const std::string&) override { return true; }
    int ScreenWidth() override { return 1024; }
    int ScreenHeight() override { return 768; }
    std::optional<std::string> PromptSavePath(const std::string&, const std::string&, const std::string&,
                                              bool) override {
        return std::nullopt;
    }
};

class NoClipboard : public ClipboardAccess {
public:
    std::string Text() override { return {}; }
    void SetText(const std::string&) override {}
    bool Image(QImage&) override { return false; }
    void SetImage(const QImage&) override {}
};

class NoDesktop : public PlayerDesktop {
public:
    bool ActivateWindow(const std::string&) override { return true; }
    bool OpenDocument(const std::string&) override { return true; }
    std::optional<std::string> Decrypt(const std::string&) override { return std::nullopt; }
};

class NoMacros : public MacroControlHost {
public:
    int MacroCount() override { return 0; }
    std::string Nickname(int) override { return {}; }
    std::uint16_t ActivationCode(int) override { return 0; }
    std::uint16_t Scope(int) override { return 0; }
    bool Enabled(int) override { return false; }
    std::optional<std::string> MacroText(int) override { return std::nullopt; }
    std::vector<std::uint16_t> PopupItems(int) override { return {}; }
    void SavePopupItems(int, const std::vector<std::uint16_t>&) override {}
    void DeleteMacroRecord(int) override {}
    void SetMacroEnabled(int, bool) override {}
    void SetTriggerEnabled(int, bool) override {}
    void ReloadMacroFile() override {}
    void LoadMacroFile(const std::string&) override {}
    void SetMacroFileName(const std::string&) override {}
    bool FileInUse() override { return false; }
    void ReleaseSyncFile(int) override {}
    void UseLockFileOf(const std::string&) override {}
    void GetSwapFile() override {}
    void SetHotKeys() override {}
    void CheckAndSetTime() override {}
    void ClearMenuTaskIcon() override {}
    void DoMenuTaskIcon() override {}
    void TellOtherPlayers() override {}
    void PostEditor(std::uint32_t, std::int32_t) override {}
};

}  // namespace tessaro
