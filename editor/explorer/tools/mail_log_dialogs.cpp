#include "editor/explorer/tools/mail_log_dialogs.h"

#include <QHeaderView>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editor/explorer/forms/form_support.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"

namespace tessaro {

TMyEMailLog::TMyEMailLog(QWidget* owner, std::string logPath)
    : QDialog(owner), logPath_(std::move(logPath)), index_(ReadMailLogIndex(logPath_)) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Sent E-Mail Log (") + win::ToQt(logPath_) + ")");
    AddList = new QTableWidget(static_cast<int>(index_.Rows.size()), 6, this);
    AddList->setObjectName("AddList");
    AddList->setHorizontalHeaderLabels(
        {tr("Who"), tr("When"), tr("Subject"), tr("Att"), tr("cc"), tr("bcc")});
    AddList->verticalHeader()->hide();
    AddList->setSelectionBehavior(QAbstractItemView::SelectRows);
    AddList->setSelectionMode(QAbstractItemView::SingleSelection);
    AddList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Texts too wide for their cell are cut at the last character that fits.
    AddList->setTextElideMode(Qt::ElideNone);
    AddList->setWordWrap(false);
    const int widths[6] = {120, 140, 252, 24, 24, 24};
    for (int c = 0; c < 6; ++c) AddList->setColumnWidth(c, widths[c]);
    for (int r = 0; r < static_cast<int>(index_.Rows.size()); ++r) {
        const MailLogRow& row = index_.Rows[static_cast<std::size_t>(r)];
        const QString texts[6] = {win::ToQt(row.Name),        win::ToQt(row.When), win::ToQt(row.Subject),
                                  row.Attachments ? "x" : "", row.CC ? "x" : "",   row.BCC ? "x" : ""};
        for (int c = 0; c < 6; ++c) AddList->setItem(r, c, new QTableWidgetItem(texts[c]));
    }
    AddList->selectRow(0);
    connect(AddList, &QTableWidget::cellDoubleClicked, this, &TMyEMailLog::ViewClick);

    auto* view = new QPushButton(tr("&View"), this);
    view->setObjectName("ViewButton");
    auto* exit = new QPushButton(tr("E&xit"), this);
    exit->setObjectName("ExitButton");
    connect(view, &QPushButton::clicked, this, &TMyEMailLog::ViewClick);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(view);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AddList);
    layout->addLayout(buttons);
    resize(620, 360);
}

void TMyEMailLog::ViewClick() {
    std::string text, error;
    const int row = AddList->currentRow();
    if (!ReadLoggedMessage(logPath_, index_, static_cast<std::size_t>(std::max(row, 0)), text, error)) {
        win::MessageBox(error, "Error");
        return;
    }
    TMyEMailMess message(this, text);
    message.exec();
}

TMyEMailMess::TMyEMailMess(QWidget* owner, const std::string& text1252) : QDialog(owner) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("E-Mail Message"));
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName("Memo");
    Memo->setReadOnly(true);
    Memo->setPlainText(win::ToQt(text1252));
    auto* exit = new QPushButton(tr("E&xit"), this);
    exit->setObjectName("ExitButton");
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo);
    layout->addWidget(exit, 0, Qt::AlignRight);
    resize(520, 400);
}

}  // namespace tessaro
