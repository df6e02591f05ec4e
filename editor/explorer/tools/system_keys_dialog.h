#pragma once
// "System Hot Keys": the keys of the five system macros, each chosen by pressing it while
// its field has the focus, and what the top window's popup menu shows.
#include <QDialog>
#include <array>
#include <memory>

#include "editor/model/tools/system_keys.h"
#include "foundation/config_record.h"
#include "hook/client/glob_data_sync.h"
#include "macro/loaded_macro_file.h"
#include "protocol/glob_data.h"
#include "widgets/hot_key_fields.h"

class QLineEdit;
class QRadioButton;

namespace tessaro {

class TSystemKeys : public QDialog, private HotKeyFieldOwner {
    Q_OBJECT
public:
    // `initialFocus`: 1 "Activate Editor" .. 4 "Display Menu...", 5 "Terminate Program". The
    // pressed keys are reported as `messages` carries them.
    TSystemKeys(QWidget* owner, win::Messages& messages, TGlobData& glob, LoadedMacroFile& file,
                TConfigRecord& config, PeerNotify notify, int initialFocus);
    ~TSystemKeys() override;

    std::array<QLineEdit*, 5> Fields{};        // in slot order: TermProg, ActProg, StartCap, Resume, MenuTop
    std::array<QRadioButton*, 3> MenuShows{};  // SystemMenu 1, 2, 3
    bool Changed = false;                      // a system macro was rewritten

    // The slot whose field has the focus; -1 when none has.
    int FocusedSlot() const { return focused_; }
    void WMHotKeyChosen(int code);
    void OkButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void Route(bool on);
    void HotKeyChosen(int code) override { WMHotKeyChosen(code); }
    void EndHotKeyRouting() override;

    win::Messages& messages_;
    TGlobData& glob_;
    LoadedMacroFile& file_;
    TConfigRecord& config_;
    PeerNotify notify_;
    std::vector<MacroKeyUse> uses_;
    SystemKeys keys_;
    int focused_ = -1;
    int initialSlot_ = 1;
    bool routed_ = false;
    std::unique_ptr<HotKeyFields> hotKeys_;
};

}  // namespace tessaro
