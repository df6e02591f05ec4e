// The explorer's list: filling, selection and the enabling of the commands.
#include <algorithm>

#include "editor/model/explorer/explorer.h"
#include "editor/model/explorer/file_menu.h"
#include "editor/model/explorer/list_input.h"
#include "editor/model/explorer/macro_list.h"
#include "foundation/settings.h"
#include "protocol/window_messages.h"
#include "platform/message_box.h"

namespace tessaro {

Explorer::Explorer(Context context)
    : CurrentMacro(context.currentMacro ? *context.currentMacro : ownMacro_),
      ctx_(std::move(context)),
      file_({ctx_.config, ctx_.glob, ctx_.link, ctx_.programDirectory,
             MacroFilePolicy{kEditorSystemMacros, false}, [this] { return ctx_.window.Now(); }}),
      lock_(*this) {
    file_.SetWriteGuard([this] { return !lock_.lost(); });
}

void Explorer::NetworkModeChanged() {
    lock_.Configure(ctx_.config.NetworkMode, ctx_.config.RecentFiles[0].str());
    lock_.NoteLoaded();
}

void Explorer::Start() {
    lock_.Configure(ctx_.config.NetworkMode, ctx_.config.RecentFiles[0].str());
    lock_.NoteLoaded();
    // The player has the file loaded, and has told the user what is wrong with it.
    file_.LoadMacroFile(ctx_.config.RecentFiles[0].str(), false, false);
    for (int group = 0; group < kGlobGroupCount; ++group)
        if (group != ggItem) ctx_.link.PullGroup(ctx_.glob, group, 0);
    const int count = std::min<int>(ctx_.glob.MacroCount, kMaxMacros);
    for (int n = 1; n <= count; ++n) ctx_.link.PullGroup(ctx_.glob, ggItem, n);
    ctx_.window.ShowLastFiles(LastFileCaptions(ctx_.config));
}

void Explorer::FillList() {
    rowMacro_ = FillListRows(ctx_.glob, ctx_.config, currentCategory_);
    selectedRow_ = 1;
    ctx_.window.ShowList();
    if (!listEmpty()) CheckTimeItemFor(selectedRow_);
}

void Explorer::SetCategory(int category) {
    currentCategory_ = category;
    FillList();
}

int Explorer::SelectedMacro() const {
    if (selectedRow_ < 1 || selectedRow_ > static_cast<int>(rowMacro_.size())) return 0;
    return rowMacro_[static_cast<std::size_t>(selectedRow_ - 1)];
}

void Explorer::SelectRow(int row) {
    if (listEmpty() || row < 1 || row > static_cast<int>(rowMacro_.size())) return;
    selectedRow_ = row;
    CheckTimeItemFor(row);
}

void Explorer::GridClick() {
    if (listEmpty()) return;
    SetButtons(true);
    CheckTimeItemFor(selectedRow_);
}

bool Explorer::SearchIt(std::string_view text) {
    const int row = SearchRow(rowMacro_, ctx_.glob, ctx_.config, text);
    if (row == -1) return false;
    Select(row);
    return true;
}

bool Explorer::SortByHeader(int column) {
    if (!ctx_.config.SortHeader) return false;
    const std::optional<std::string> order = HeaderPrimarySort(ctx_.config.PrimarySort.view(), column);
    if (!order) return false;
    const int current = SelectedMacro();
    ctx_.config.PrimarySort = *order;
    Refresh(current);
    SaveMiscSettings(ctx_.config);
    Post(puSettingsMisc);
    return true;
}

void Explorer::Select(int row) {
    if (listEmpty()) return;
    selectedRow_ = std::clamp(row, 1, static_cast<int>(rowMacro_.size()));
    ctx_.window.ShowList();
    CheckTimeItemFor(selectedRow_);
}

int Explorer::ReverseSort(int n) const { return tessaro::ReverseSort(rowMacro_, n); }

void Explorer::CheckTimeItemFor(int row) {
    if (row < 1 || row > static_cast<int>(rowMacro_.size())) return;
    const int n = rowMacro_[static_cast<std::size_t>(row - 1)];
    ctx_.window.ShowActivateCaption(ctx_.glob.Enabled[n] != 0);
    ctx_.window.ShowCommandStates(CheckTimeItem(ctx_.glob.Scope[n], ctx_.glob.ActivationCode[n]));
}

void Explorer::SetHotKeys() { tessaro::SetHotKeys(ctx_.glob, ctx_.link); }

bool Explorer::CheckSelection() {
    const std::optional<std::string> refusal = SelectionCheck(rowCount(), listEmpty() ? 0 : selectedRow_);
    if (!refusal) return true;
    win::MessageBox(*refusal, "Error", win::MbButtons::Ok, win::MbIcon::Error);
    return false;
}

void Explorer::Refresh(int n) {
    FillList();
    const int row = ReverseSort(n);
    if (row != -1) Select(row);
}

bool Explorer::ValidMacro(std::int32_t n) const {
    return n >= 1 && n <= std::min<int>(ctx_.glob.MacroCount, kMaxMacros);
}

}  // namespace tessaro
