#pragma once
// The explorer's option dialogs: each shows the settings it owns, and Ok stores them,
// saves its section and tells the player which section to reload.
#include <QDialog>

#include "foundation/config_record.h"
#include "hook/client/glob_data_sync.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tessaro {

// "Settings": the player's tray icon, the e-mail file paths and three switches.
class TPreference : public QDialog {
    Q_OBJECT
public:
    TPreference(QWidget* owner, TConfigRecord& config, PeerNotify notify);

    QRadioButton* DoTray;
    QRadioButton* DoHide;
    QLineEdit* EMailPath;
    QLineEdit* EMailLog;
    QCheckBox* StartEditor;
    QCheckBox* SoundOff;
    QCheckBox* AutoHooks;

    void OkButtonClick();

private:
    TConfigRecord& config_;
    PeerNotify notify_;
};

// What the main window does when network mode or automatic synchronisation changes.
class NetworkSwitches {
public:
    virtual ~NetworkSwitches() = default;
    // The synchronisation timer runs exactly while `on`; `restart` zeroes its tick count.
    virtual void SetSyncTimer(bool on, bool restart) = 0;
    // Network mode was just switched on: take up the current file's lock record.
    virtual void NetworkModeStarted() = 0;
};

// "Network Considerations": no Cancel; every way of closing applies the values.
class TNetworkConsiderations : public QDialog {
    Q_OBJECT
public:
    TNetworkConsiderations(QWidget* owner, TConfigRecord& config, PeerNotify notify, NetworkSwitches& main);

    QCheckBox* NetworkOption;
    QCheckBox* AutoSync;
    QLineEdit* Minutes;

    void OkButtonClick();

protected:
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;  // Escape is the Ok button

private:
    void EnableDisable();

    TConfigRecord& config_;
    PeerNotify notify_;
    NetworkSwitches& main_;
    bool wasAutoSync_;
    bool wasNetworkMode_;
    bool applied_ = false;
};

// "Snipra Options".
class TSnipraOptions : public QDialog {
    Q_OBJECT
public:
    TSnipraOptions(QWidget* owner, TConfigRecord& config, PeerNotify notify);

    QRadioButton* UsePrefix;
    QRadioButton* UseSuffix;
    QLineEdit* PrefixKeys;
    QCheckBox* Punct;
    QCheckBox* Solitary;
    QCheckBox* RetypeSuffix;
    QRadioButton* CaseMatch;
    QRadioButton* CaseSense;
    QRadioButton* CaseNone;
    QCheckBox* NoRemove;

    void OkButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EnableDisable();
    bool CheckPrefixKeys(bool leaving);
    bool complaining_ = false;  // a box about the prefix keys is up

    TConfigRecord& config_;
    PeerNotify notify_;
};

// "Capture Defaults".
class TCaptureDefaults : public QDialog {
    Q_OBJECT
public:
    TCaptureDefaults(QWidget* owner, TConfigRecord& config, PeerNotify notify);

    QCheckBox* DoDouble;
    QCheckBox* DoKey;
    QCheckBox* DoMouse;
    QRadioButton* ToScreen;
    QRadioButton* ToWindow;
    QRadioButton* ToPosition;
    QCheckBox* DoSize;
    QCheckBox* ClicksOnly;
    QCheckBox* DoPrompt;
    QCheckBox* DoTime;
    QRadioButton* Speeds[4];  // actual, half, double, quadruple
    QRadioButton* ProgramButton;
    QRadioButton* GlobalButton;

    void OkButtonClick();

private:
    TConfigRecord& config_;
    PeerNotify notify_;
};

// "E-Mail Options".
class TMyEmailOptions : public QDialog {
    Q_OBJECT
public:
    TMyEmailOptions(QWidget* owner, TConfigRecord& config, PeerNotify notify);

    QLineEdit* Host;
    QLineEdit* Port;
    QLineEdit* Name;
    QLineEdit* Address;
    QComboBox* Encoding;
    QCheckBox* KeepLog;

    void OkButtonClick();
    void ViewLogClick();

private:
    TConfigRecord& config_;
    PeerNotify notify_;
};

}  // namespace tessaro
