#pragma once
// "Snipra Options": case matching and keeping the typed keys of one abbreviation macro.
#include <QDialog>

#include "macro/macro_record.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace tessaro {

class TShortOptions : public QDialog {
    Q_OBJECT
public:
    TShortOptions(TMacroRecord& rec, QWidget* parent = nullptr);

    QRadioButton *CaseMatch, *CaseSense, *CaseNone;
    QCheckBox* NoRemove;
    QPushButton *OkButton, *CancelButton;

    void OkButtonClick();

private:
    TMacroRecord& rec_;
};

}  // namespace tessaro
