// The main window's side of the explorer's logic: showing the list and the command
// states, the dialogs of the "&File" menu, timers, the recording icon and the clocks.
#include <QAbstractButton>
#include <QAction>
#include <QPainter>
#include <chrono>

#include "editor/explorer/fonts.h"
#include "editor/explorer/main_win.h"
#include "editor/explorer/main_win_roles.h"
#include "editor/model/explorer/macro_list.h"
#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "platform/desktop.h"
#include "widgets/file_chooser.h"
#include "widgets/program_icons.h"

namespace tessaro {

void TMainWin::ShowList() {
    roles_->options.HoldScreenSaver();
    // Setting the rows moves the grid's selection; that is not the user's choice.
    showingList_ = true;
    const int rows = explorer_.listEmpty() ? 2 : explorer_.rowCount();
    if (widgets_.grid->RowCount() == rows) {
        // Same size: every row is repainted all the same.
        widgets_.grid->SetRowCount(rows + 1);
    }
    widgets_.grid->SetRowCount(rows);
    widgets_.grid->SetRow(std::clamp(explorer_.selectedRow(), 1, rows - 1));
    showingList_ = false;
    widgets_.grid->viewport()->update();
}

void TMainWin::Repaint() {
    roles_->options.HoldScreenSaver();
    widgets_.grid->viewport()->update();
}

void TMainWin::ShowCommandStates(const CommandStates& states) {
    using A = ExplorerAction;
    auto enable = [this](A a, bool on) { widgets_.commands[a].SetEnabled(on); };
    // Change Activation stays on for every macro: on a system macro it opens the system
    // hot keys dialog.
    for (A a : {A::CopyMacro, A::ModifyDirectly, A::RemoveMacro, A::ActivateMacro})
        enable(a, states.copyModifyRemoveActivate);
    enable(A::Recapture, states.recapture);
    enable(A::ScriptingEditor, states.scripting);
    const CommandWidgets& modify = widgets_.commands[A::ModifyDirectly];
    modify.menu->setText(win::ToQt(states.modifyCaption));
    modify.large->setText(win::ToQt(states.modifyCaption));
    modify.speed->setToolTip(win::ToQt(states.modifyHint));
}

void TMainWin::ShowActivateCaption(bool enabled) {
    const CommandWidgets& w = widgets_.commands[ExplorerAction::ActivateMacro];
    w.menu->setText(win::ToQt(ActivateCaption(enabled)));
    w.large->setText(win::ToQt(ActivateCaption(enabled)));
    w.speed->setToolTip(win::ToQt(ActivateHint(enabled)));
}

void TMainWin::ShowLastFiles(const std::array<std::string, 5>& captions) {
    bool any = false;
    for (std::size_t k = 0; k < captions.size(); ++k) {
        widgets_.lastFileItems[k]->setVisible(!captions[k].empty());
        if (captions[k].empty()) continue;
        any = true;
        widgets_.lastFileItems[k]->setText(win::ToQt(captions[k]));
    }
    widgets_.lastFileSeparator->setVisible(any);
}

void TMainWin::NetTimer(bool on) { roles_->network.NetTimer(on); }

namespace {

// Through the programs' one file chooser, which matches the extension in any case.
std::optional<std::string> ChooseMacroFile(QWidget* parent, const char* title, bool create) {
    FileChoice choice;
    choice.title = title;
    choice.filter = "Tessaro (*.QTM)";
    choice.defaultSuffix = "QTM";
    choice.save = create;
    choice.mustExist = !create;
    const std::string chosen = ChooseFile(parent, choice);
    if (chosen.empty()) return std::nullopt;
    return win::Utf8ToCp1252(chosen);
}

}  // namespace

std::optional<std::string> TMainWin::OpenFileDialog() {
    return ChooseMacroFile(this, "Open Tessaro File", false);
}

std::optional<std::string> TMainWin::NewFileDialog() {
    return ChooseMacroFile(this, "New Tessaro File", true);
}

std::string TMainWin::ForegroundProgram() {
    const int pid = desktop_.WindowProcessId(desktop_.ForegroundWindow());
    return pid > 0 ? win::ExecutableBaseName(pid) : std::string();
}

void TMainWin::ShowRecordIcon(bool shown) { roles_->capture.ShowRecordIcon(shown); }

void TMainWin::BringToFront() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

std::uint32_t TMainWin::WindowId() { return static_cast<std::uint32_t>(winId()); }

double TMainWin::Now() { return win::Now(); }

std::int64_t TMainWin::LocalMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void TMainWin::DrawCell(int col, int row, const QRect& rect, TGridDrawState state, QPainter& canvas) {
    std::string text;  // Windows-1252: one byte a character, so cutting never splits one
    bool grey = false;
    const std::vector<int>& rows = explorer_.rowMacro();
    if (row == 0) {
        text = col >= 0 && col < 5 ? kGridTitles[col] : "";
    } else if (row <= static_cast<int>(rows.size())) {
        const int n = rows[static_cast<std::size_t>(row - 1)];
        if (col == 1) {
            if (config_.ShowIcons && n >= 1 && n <= TConfigRecord::kMaxMacros)
                MacroPicture(config_.MacroIcons[std::size_t(n)], core_.GlobData.Scope[n])
                    .paint(&canvas, rect);
            return;
        }
        const ListedMacro m = ListedMacroOf(core_.GlobData, config_, n);
        text = CellText(col, row, m);
        grey = GreyItalic(col, m.enabled);
    }
    if (text.empty()) return;
    QFont font = ToQFont(row == 0 ? config_.GridTitleFont : config_.GridFont);
    if (grey) font.setItalic(true);
    canvas.setFont(font);
    if (grey)
        canvas.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    else if ((state & gdSelected) && row > 0)
        canvas.setPen(palette().color(QPalette::HighlightedText));
    else
        canvas.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics = canvas.fontMetrics();
    const std::string cut = CutToWidth(text, rect.width() - 2, [&](std::string_view s) {
        return metrics.horizontalAdvance(win::ToQt(std::string(s)));
    });
    canvas.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, win::ToQt(cut));
}

}  // namespace tessaro
