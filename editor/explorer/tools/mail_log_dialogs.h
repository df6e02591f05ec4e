#pragma once
// "Sent E-Mail Log": the logged messages, one row each, and the text of the chosen one.
#include <QDialog>
#include <string>

#include "editor/model/tools/mail_log_view.h"

class QTableWidget;
class QPlainTextEdit;

namespace tessaro {

class TMyEMailLog : public QDialog {
    Q_OBJECT
public:
    TMyEMailLog(QWidget* owner, std::string logPath);

    QTableWidget* AddList;

    void ViewClick();

private:
    std::string logPath_;
    MailLogIndex index_;
};

class TMyEMailMess : public QDialog {
    Q_OBJECT
public:
    TMyEMailMess(QWidget* owner, const std::string& text1252);

    QPlainTextEdit* Memo;
};

}  // namespace tessaro
