#include "editor/commands/netconn_dialog.h"
#include "widgets/screen_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>

#include "foundation/drive_table.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"

namespace tessaro {

PlayerDriveMappings::PlayerDriveMappings(std::optional<std::string> tablePath)
    : tablePath_(std::move(tablePath)) {}

std::vector<std::pair<std::string, std::string>> PlayerDriveMappings::Current() {
    std::vector<std::pair<std::string, std::string>> drives;
    if (!tablePath_) return drives;
    for (const MappedDrive& d : ReadDriveTable(*tablePath_))
        drives.emplace_back(std::string(1, d.letter) + ":", d.remote);
    return drives;
}

TDoNetConn::TDoNetConn(QWidget* owner, NetworkConnectionList& connections)
    : CommandDialog(owner, "TDoNetConn", tr("Map or Unmap  A Network Drive")), connections_(connections) {
    AddRadios(Body(), kNetChoices, QString());
    DriveBox = new QComboBox(this);
    DriveBox->setObjectName("DriveBox");
    for (const std::string& d : AvailableDrives()) DriveBox->addItem(QString::fromStdString(d));
    ConnectLabel = NewLabel("ConnectLabel", tr("Connect"), DriveBox);
    ProgPath = NewEdit("ProgPath");
    NetDriveLabel = NewLabel("NetDriveLabel", tr("To Network Drive"), ProgPath);
    BrowseButton = NewButton("BrowseButton", tr("&Browse"));
    auto* path = new QHBoxLayout;
    path->addWidget(ProgPath);
    path->addWidget(BrowseButton);
    MakePerm = NewCheck("MakePerm", QString());
    ForceDisc = NewCheck("ForceDisc", tr("&Force Disconnection Even if Drive in Use"));
    UseDefault = NewCheck("UseDefault", tr("&Use Default Name and Password"));
    DispStatus = NewCheck("DispStatus", tr("D&isplay Connection Status"));
    LogName = NewEdit("LogName");
    LogPass = NewEdit("LogPass");
    LogPass->setEchoMode(QLineEdit::Password);
    LogNameLabel = NewLabel("LogNameLabel", tr("Logon Name"), LogName);
    LogPassLabel = NewLabel("LogPassLabel", tr("Logon Password"), LogPass);
    Current = NewCheck("Current", tr("List Current &Mapped Drives"));
    Bootup = NewCheck("Bootup", tr("List Drives That Map on &Bootup"));
    CurrList = new QListWidget(this);
    CurrList->setObjectName("CurrList");
    BootList = new QListWidget(this);
    BootList->setObjectName("BootList");
    auto* rows = new QFormLayout;
    rows->addRow(ConnectLabel, DriveBox);
    rows->addRow(NetDriveLabel, path);
    rows->addRow(MakePerm);
    rows->addRow(ForceDisc);
    rows->addRow(DispStatus);
    rows->addRow(UseDefault);
    rows->addRow(LogNameLabel, LogName);
    rows->addRow(LogPassLabel, LogPass);
    rows->addRow(Current);
    rows->addRow(CurrList);
    rows->addRow(Bootup);
    rows->addRow(BootList);
    Body()->addLayout(rows);
    CurrList->hide();
    BootList->hide();
    connect(BrowseButton, &QPushButton::clicked, this, &TDoNetConn::BrowseButtonClick);
    connect(Current, &QCheckBox::toggled, this, [this](bool on) {
        if (on) FillList(CurrList, true);
        CurrList->setVisible(on);
        FitToLayout(*this);
    });
    connect(Bootup, &QCheckBox::toggled, this, [this](bool on) {
        if (on) FillList(BootList, false);
        BootList->setVisible(on);
        FitToLayout(*this);
    });
}

void TDoNetConn::FillList(QListWidget* list, bool current) {
    list->clear();
    for (const auto& [local, remote] : current ? connections_.Current() : connections_.Remembered())
        if (!local.empty() && !remote.empty())
            list->addItem(QString::fromStdString(win::Cp1252ToUtf8(MappedLine(local, remote))));
}

void TDoNetConn::Preset(const NetConnForm& f) {
    NetMode = f.NetMode;
    PresetDrive = f.Drive;
    CheckKind(kNetChoices, f.NetMode);
    const int at = DriveBox->findText(QString::fromStdString(f.Drive), Qt::MatchExactly);
    if (at >= 0) DriveBox->setCurrentIndex(at);
    SetText(ProgPath, f.ProgPath);
    MakePerm->setChecked(f.MakePerm);
    ForceDisc->setChecked(f.ForceDisc);
    UseDefault->setChecked(f.UseDefault);
    DispStatus->setChecked(f.DispStatus);
    SetText(LogName, f.LogName);
    SetText(LogPass, f.LogPass);
}

void TDoNetConn::SetDefaults() {
    NetConnForm f = NetConnDefaults();
    f.NetMode = NetMode;
    Preset(f);
    DriveBox->setCurrentIndex(1);
}

void TDoNetConn::FocusFirst() {
    CheckKind(kNetChoices, NetMode);
    DriveBox->setFocus(Qt::OtherFocusReason);
}

void TDoNetConn::EnableDisable() {
    if (const std::int32_t mode = CheckedKind(kNetChoices)) NetMode = mode;
    const NetLayout l = NetLayoutOf(NetMode, UseDefault->isChecked());
    for (QWidget* w : {static_cast<QWidget*>(ProgPath), static_cast<QWidget*>(NetDriveLabel),
                       static_cast<QWidget*>(BrowseButton)})
        ShowEnable(w, l.path);
    for (QWidget* w :
         {static_cast<QWidget*>(UseDefault), static_cast<QWidget*>(LogName), static_cast<QWidget*>(LogPass),
          static_cast<QWidget*>(LogNameLabel), static_cast<QWidget*>(LogPassLabel)})
        w->setVisible(l.logon);
    for (QWidget* w : {static_cast<QWidget*>(LogName), static_cast<QWidget*>(LogPass),
                       static_cast<QWidget*>(LogNameLabel), static_cast<QWidget*>(LogPassLabel)})
        w->setEnabled(l.logonEnabled);
    ShowEnable(ForceDisc, l.forceDisc);
    ConnectLabel->setText(tr(l.connectLabel));
    MakePerm->setText(tr(l.makePermCaption));
    FitToLayout(*this);
}

void TDoNetConn::BrowseButtonClick() {
    // The desktop mounts SMB shares under the user's gvfs folder.
    QString start = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/gvfs";
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Please choose a network drive"), start,
                                                             QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) return;
    if (const auto share = ShareOfFolder(win::Utf8ToCp1252(folder.toStdString())))
        SetText(ProgPath, *share);
    else
        win::MessageBox(
            "The folder " + win::Utf8ToCp1252(folder.toStdString()) + " is not on a network share.", "Error",
            win::MbButtons::Ok);
}

void TDoNetConn::OkButtonClick() {
    NetConnForm f;
    f.NetMode = NetMode;
    f.Drive = DriveBox->currentText().toStdString();
    if (!ReadTexts({{ProgPath, &f.ProgPath}, {LogName, &f.LogName}, {LogPass, &f.LogPass}})) return;
    f.MakePerm = MakePerm->isChecked();
    f.ForceDisc = ForceDisc->isChecked();
    f.UseDefault = UseDefault->isChecked();
    f.DispStatus = DispStatus->isChecked();
    Result = BuildNetConn(f);
    Accept(Result);
}

}  // namespace tessaro
