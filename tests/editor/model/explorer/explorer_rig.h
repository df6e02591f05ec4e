#pragma once
// An Explorer over a macro file in a temporary directory, with a window and dialogs that
// record what they are asked and answer from a script, boxes answered from a queue, a
// link that records pushes and notices, and clocks the test moves.
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/model/explorer/explorer.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "tests/support/macro_fixtures.h"
#include "tests/support/temp_dir.h"

namespace tessaro::testing {

struct Notice {
    char kind;  // 'U' push, 'E' notice to the player, 'G' pull
    int a, b;
    bool operator==(const Notice&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Notice& n) {
    return os << n.kind << "(" << n.a << "," << n.b << ")";
}

class RecordingPlayerLink : public PlayerLink {
public:
    std::vector<Notice> calls;
    TGlobData* master = nullptr;  // pulls copy from it when set

    void PushGroup(const TGlobData&, int group, int index) override { calls.push_back({'U', group, index}); }
    void Notify(std::uint32_t code, std::int32_t arg) override {
        calls.push_back({'E', static_cast<int>(code), arg});
    }
    void PullGroup(TGlobData& glob, int group, int index) override {
        calls.push_back({'G', group, index});
        if (master) CopyGlobGroup(glob, *master, group, index);
    }
    std::vector<Notice> Notices() const {
        std::vector<Notice> out;
        for (const Notice& n : calls)
            if (n.kind == 'E') out.push_back(n);
        return out;
    }
};

class RecordingWindow : public ExplorerWindow {
public:
    std::vector<std::string> events;
    CommandStates states;
    bool buttons = false;
    bool activateEnabled = false;
    std::array<std::string, 5> lastFiles;
    std::optional<std::string> chosenFile;
    std::string foreground = "gedit";
    double now = 46000.5;
    std::int64_t ms = 1'000'000;

    void ShowList() override { events.push_back("list"); }
    void Repaint() override { events.push_back("repaint"); }
    void ShowCommandStates(const CommandStates& s) override { states = s; }
    void ShowActivateCaption(bool enabled) override { activateEnabled = enabled; }
    void SetButtons(bool enable) override {
        buttons = enable;
        events.push_back(enable ? "buttons on" : "buttons off");
    }
    void ShowLastFiles(const std::array<std::string, 5>& c) override { lastFiles = c; }
    void DoCaption() override { events.push_back("caption"); }
    void GetSwapFile() override { events.push_back("swap"); }
    void GetCatFile() override { events.push_back("cat"); }
    void NetTimer(bool on) override { events.push_back(on ? "net on" : "net off"); }
    std::optional<std::string> OpenFileDialog() override { return chosenFile; }
    std::optional<std::string> NewFileDialog() override { return chosenFile; }
    std::string ForegroundProgram() override { return foreground; }
    void ShowRecordIcon(bool shown) override { events.push_back(shown ? "rec icon" : "rec icon off"); }
    void BringToFront() override { events.push_back("front"); }
    std::uint32_t WindowId() override { return 77; }
    double Now() override { return now; }
    std::int64_t LocalMs() override { return ms; }
};

// Each dialog runs the test's function on CurrentMacro; unset ones fail the test.
class ScriptedDialogs : public MacroDialogs {
public:
    TMacroRecord* current = nullptr;  // the explorer's CurrentMacro
    std::vector<std::string> opened;
    std::function<AddResult(TMacroRecord&)> add;
    std::function<MenuResult(TMacroRecord&)> menu;
    std::function<bool(TMacroRecord&)> properties, copyOrMove, systemKeys, recapture;

    AddResult AddMacro(int number) override {
        opened.push_back("add " + std::to_string(number));
        return add ? add((*current)) : AddResult{};
    }
    MenuResult ModifyPopupMenu(const std::string& name) override {
        opened.push_back("menu " + name);
        return menu ? menu((*current)) : MenuResult{};
    }
    bool ModifyProperties(int kind, const std::string& text, bool conflict) override {
        opened.push_back("props " + std::to_string(kind) + " " + text + (conflict ? " conflict" : ""));
        return properties && properties((*current));
    }
    bool CopyOrMove(bool, const std::string& title) override {
        opened.push_back(title);
        return copyOrMove && copyOrMove((*current));
    }
    bool SystemKeys(int function) override {
        opened.push_back("system " + std::to_string(function));
        return systemKeys && systemKeys((*current));
    }
    bool Recapture(const std::string& label, int number, bool conflict) override {
        opened.push_back("capture " + label + " " + std::to_string(number) + (conflict ? " conflict" : ""));
        return recapture && recapture((*current));
    }
    void QuickInfo() override { opened.push_back("info " + (*current).Nickname.str()); }
};

struct Box {
    std::string caption, text;
    win::MbIcon icon = win::MbIcon::None;
};

class ExplorerRig {
public:
    TempDir dir;
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    TMacroRecord current;
    RecordingPlayerLink link;
    RecordingWindow window;
    std::vector<Box> boxes;
    std::deque<win::MbResult> answers;  // Yes/No answers, in order; empty: Yes
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& c) {
        boxes.push_back({c.caption, c.text, c.icon});
        if (c.buttons != win::MbButtons::YesNo) return win::MbResult::Ok;
        if (answers.empty()) return win::MbResult::Yes;
        const win::MbResult a = answers.front();
        answers.pop_front();
        return a;
    }};
    std::string path = dir.file("TESRO.QTM");
    ScriptedDialogs dialogs;
    std::unique_ptr<Explorer> explorer;

    ExplorerRig() { config->RecentFiles[0] = path; }

    // Writes the records as the file, then starts the explorer on it.
    void StartWith(const std::vector<TMacroRecord>& records, bool network = false) {
        WriteRecords(path, records);
        config->NetworkMode = network;
        Start();
    }
    void Start() {
        explorer = std::make_unique<Explorer>(
            Explorer::Context{*config, *glob, link, window, dialogs, dir.path(), &current});
        dialogs.current = &explorer->CurrentMacro;
        explorer->Start();
        explorer->FillList();
        link.calls.clear();
        boxes.clear();
        window.events.clear();
    }
    static void WriteRecords(const std::string& file, const std::vector<TMacroRecord>& records) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        for (const TMacroRecord& r : records) out.write(reinterpret_cast<const char*>(&r), sizeof r);
    }
    std::vector<TMacroRecord> FileRecords() const {
        std::vector<TMacroRecord> recs;
        ReadMacroRecords(path, 1000, recs);
        return recs;
    }
    // The five system macros as the editor would have added them.
    static std::vector<TMacroRecord> SystemMacros() {
        std::vector<TMacroRecord> recs;
        int code = 261;
        for (const SystemMacro& s : kEditorSystemMacros) {
            TMacroRecord r = TestMacro(s.nickname, static_cast<std::uint16_t>(code++), scSystem);
            r.ScopeText = std::string_view(&s.id, 1);
            recs.push_back(r);
        }
        return recs;
    }
    // Selects the row showing macro n.
    void Select(int n) { explorer->SelectRow(explorer->ReverseSort(n)); }
    Explorer& ex() { return *explorer; }
};

}  // namespace tessaro::testing
