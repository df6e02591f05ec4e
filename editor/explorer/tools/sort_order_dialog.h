#pragma once
// "Sort Order": the order of the list's sort keys.
#include <QDialog>

#include "foundation/config_record.h"
#include "hook/client/glob_data_sync.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace tessaro {

// The main window refills its list in the new order, keeping the current macro current.
class ListOrderHost {
public:
    virtual ~ListOrderHost() = default;
    virtual void ResortKeepingCurrent() = 0;
};

class TSortOrder : public QDialog {
    Q_OBJECT
public:
    TSortOrder(QWidget* owner, TConfigRecord& config, PeerNotify notify, ListOrderHost& host);

    QListWidget* Primary;
    QListWidget* Activation;
    QListWidget* Scope;
    QPushButton* PrimaryUp;
    QPushButton* PrimaryDown;
    QPushButton* ActUp;
    QPushButton* ActDown;
    QPushButton* ScopeUp;
    QPushButton* ScopeDown;
    QCheckBox* SortHeader;

    void OkButtonClick();
    void Move(QListWidget* list, int step);

private:
    void Buttons();

    TConfigRecord& config_;
    PeerNotify notify_;
    ListOrderHost& host_;
};

}  // namespace tessaro
