#pragma once
// "Search and Replace" (or "Find"): asks for the text to find and its replacement.
#include <QDialog>

class QLabel;
class QLineEdit;

namespace tessaro {

class TDoSearch : public QDialog {
    Q_OBJECT
public:
    TDoSearch(bool findOnly, QWidget* parent = nullptr);

    QLineEdit *Find, *Replace;
    QLabel* Label2;
    QString FindText, ReplaceText;
    bool SearchConfirmed = false;

    void OkButtonClick();
};

}  // namespace tessaro
