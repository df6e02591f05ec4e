// The macro list of the main window: loading the file into the trigger table and the
// mirrors, the rows, and drawing the cells.
#include <QPainter>

#include "editor/explorer/list_texts.h"
#include "editor/explorer/main_win.h"
#include "hook/qtmhook.h"
#include "macro/macro_file.h"
#include "platform/cp1252.h"
#include "protocol/window_messages.h"

namespace tessaro {

void TMainWin::LoadMacroFile(const std::string& name, bool notify) {
    std::vector<TMacroRecord> records;
    ReadMacroRecords(name, kMaxMacros, records);
    TGlobData& g = core_.GlobData;
    g.MacroCount = static_cast<std::int32_t>(records.size());
    for (int n = 1; n <= g.MacroCount; ++n) {
        const TMacroRecord& r = records[n - 1];
        g.Scope[n] = r.Scope;
        g.ScopeText[n] = r.ScopeText.str();
        g.Enabled[n] = r.Enabled;
        g.ActivationCode[n] = r.ActivationCode;
        config_.MacroNicknames[n] = r.Nickname;
        config_.MacroAbbreviations[n] = r.Abbreviation;
        config_.MacroCategoryIds[n] = r.CategoryId;
        QtmUpItem(&g, n);
        if (notify) Post(puPullMacro, n);
    }
    QtmUpNumKeys(&g);
}

void TMainWin::FillList() {
    const int count = core_.GlobData.MacroCount;
    rowMacro_.assign(1, 0);
    for (int n = 1; n <= count; ++n)
        if (currentCategory_ == 0 || config_.MacroCategoryIds[n] == currentCategory_) rowMacro_.push_back(n);
    const int listed = static_cast<int>(rowMacro_.size()) - 1;
    listEmpty_ = listed == 0;
    grid_->SetColCount(5);
    grid_->SetRowCount(listEmpty_ ? 2 : listed + 1);
    grid_->SetRow(1);
    grid_->viewport()->update();
}

void TMainWin::MenuLastFileClick(int k) {
    (void)k;
    NotAvailableYet();
}

void TMainWin::OnPlayerMessage(std::uint32_t code, std::int32_t arg) {
    (void)code;
    (void)arg;
}

void TMainWin::DrawCell(int col, int row, const QRect& rect, TGridDrawState state, QPainter& canvas) {
    QString text;
    bool disabled = false;
    if (row == 0) {
        text = ListTitle(col);
    } else if (!listEmpty_ && row < static_cast<int>(rowMacro_.size())) {
        const int n = rowMacro_[row];
        disabled = core_.GlobData.Enabled[n] == 0;
        text = col == 0 ? QString::number(row) : ListCellText(col, n, core_.GlobData, config_);
    }
    if (text.isEmpty()) return;
    QFont font = canvas.font();
    const bool grey = disabled && col != 0;
    font.setItalic(grey);
    canvas.setFont(font);
    if (grey)
        canvas.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    else if ((state & gdSelected) && row > 0)
        canvas.setPen(palette().color(QPalette::HighlightedText));
    else
        canvas.setPen(palette().color(QPalette::WindowText));
    const QString shown = CutToWidth(text, rect.width() - 2, canvas.fontMetrics());
    canvas.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

}  // namespace tessaro
