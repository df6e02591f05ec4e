#include "editor/commands/form_parts.h"
#include "editor/wizard/content_pages.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "editor/commands/chooser.h"
#include "editor/commands/media_dialogs.h"
#include "editor/commands/text_dialogs.h"
#include "editor/model/commands/display_forms.h"
#include "editor/model/commands/media_forms.h"
#include "editor/model/commands/netconn_forms.h"
#include "editor/model/wizard/content_pages.h"
#include "editor/wizard/content_pages_group.h"
#include "editor/wizard/page_parts.h"
#include "foundation/ras.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "platform/printers.h"
#include "platform/system_settings.h"

namespace tessaro {

using namespace wizard;

namespace {

void Error(std::string_view text) {
    win::MessageBox(std::string(text), "Error", win::MbButtons::Ok, win::MbIcon::Error);
}

void ShowEnable(QWidget* w, bool on) { pages::ShowAll({w}, on); }

// The checked states of the named buttons, as the model's layouts read them.
Answers ButtonStates(WizardForm& form, std::initializer_list<std::string_view> names) {
    Answers a;
    for (std::string_view n : names)
        if (auto* b = form.Control<QAbstractButton>(n)) a.Set(n).checked = b->isChecked();
    return a;
}

template <class W>
void OnClick(WizardForm& form, std::string_view name, W handler) {
    QObject::connect(form.Control<QAbstractButton>(name), &QAbstractButton::clicked, form.Window(),
                     [handler](bool) { handler(); });
}
template <class W>
void OnToggle(WizardForm& form, std::string_view name, W handler) {
    QObject::connect(form.Control<QAbstractButton>(name), &QAbstractButton::toggled, form.Window(),
                     [handler](bool) { handler(); });
}

// Format lists show format and example in two columns; installed programs their name.
class ItemDelegate final : public QStyledItemDelegate {
public:
    enum Kind { TwoColumns, InstalledName };
    ItemDelegate(Kind kind, QObject* parent) : QStyledItemDelegate(parent), kind_(kind) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect r = option.rect.adjusted(2, 0, 0, 0);
        const QString text = index.data().toString();
        if (kind_ == InstalledName) {
            painter->drawText(r, Qt::AlignVCenter, win::ToQt(SplitInstalledItem(win::FromQt(text)).name));
            return;
        }
        painter->drawText(r, Qt::AlignVCenter, text);
        painter->drawText(option.rect.adjusted(option.rect.width() / 2, 0, 0, 0), Qt::AlignVCenter,
                          index.data(Qt::UserRole).toString());
    }

private:
    Kind kind_;
};

void FillFormats(QListWidget* list, bool isTime) {
    for (const FormatItem& f : FormatItems(isTime)) {
        auto* item = new QListWidgetItem(win::ToQt(f.format), list);
        item->setData(Qt::UserRole, win::ToQt(f.example));
    }
    list->setItemDelegate(new ItemDelegate(ItemDelegate::TwoColumns, list));
}

}  // namespace

ContentPages::ContentPages(ContentServices services, std::unique_ptr<SystemMixerHost> ownMixer)
    : services_(services), ownMixer_(std::move(ownMixer)) {}

ContentPages::~ContentPages() { sound_.Stop(); }

std::vector<int> ContentPages::Pages() const {
    std::vector<int> pages{4, 5, 6};
    for (int p = 11; p <= 36; ++p) pages.push_back(p);
    for (int p = 38; p <= 49; ++p) pages.push_back(p);
    return pages;
}

void ContentPages::Build(int page, QWidget* panel, WizardForm& form) {
    BuildChoicePage(page, panel, form);
    Connect(page, form);
}

void ContentPages::Connect(int page, WizardForm& form) {
    auto* window = form.Window();
    switch (page) {
        case 6: OnClick(form, "P6Browse", [this, &form] { BrowseNetworkDrive(form); }); break;
        case 12:
            OnClick(form, "P12Symbols", [this, &form] { InsertSymbol(2, form); });
            OnClick(form, "P12Browse", [this, &form] {
                const Answers a = ButtonStates(form, {"P13Text", "P13File", "P13Graphic"});
                if (const auto browse = PasteBrowseFilter(a))
                    BrowseFile("P12Path", browse->title, browse->filter, form);
            });
            break;
        case 14:
            OnClick(form, "P14Symbols", [this, &form] { InsertSymbol(1, form); });
            OnClick(form, "P14Keystrokes",
                    [&form] { ShowEnable(form.Control<QWidget>("KeystrokePanel"), true); });
            OnClick(form, "P14Cancel",
                    [&form] { ShowEnable(form.Control<QWidget>("KeystrokePanel"), false); });
            OnClick(form, "P14Ok", [this, &form] { InsertKeystroke(form); });
            QObject::connect(form.Control<QListWidget>("P14KeyList"), &QListWidget::itemDoubleClicked, window,
                             [this, &form](QListWidgetItem*) { InsertKeystroke(form); });
            break;
        case 20:
            for (const PageChoice& c : kP20Choices)
                OnToggle(form, c.name, [&form] {
                    const DaysLayout d = DaysLayoutOf(ButtonStates(form, {"P20Future", "P20Past"}));
                    form.Control<QLabel>("P20FutLabel")->setText(win::ToQt(d.label));
                    ShowEnable(form.Control<QWidget>("P20FutLabel"), d.shown);
                    ShowEnable(form.Control<QWidget>("P20Days"), d.shown);
                });
            break;
        case 23:
            OnClick(form, "P23Browse",
                    [this, &form] { BrowseFile("P23Bit", kBitmapBrowse.title, kBitmapBrowse.filter, form); });
            for (const PageChoice& c : kP23Choices)
                OnToggle(form, c.name, [&form] {
                    const bool positioned = form.Control<QRadioButton>("P23Positioned")->isChecked();
                    ShowEnable(form.Control<QWidget>("ScreenPosPanel"), positioned);
                });
            OnClick(form, "P23Positioned", [&form] { form.Control<QWidget>("P23Top")->setFocus(); });
            break;
        case 24:
            OnClick(form, "P24Browse",
                    [this, &form] { BrowseFile("P24Path", kAviBrowse.title, kAviBrowse.filter, form); });
            break;
        case 25:
            OnClick(form, "P25Browse", [this, &form] { BrowseFolder("P25Path", form); });
            OnToggle(form, "P25Folder", [&form] {
                const bool typed = form.Control<QRadioButton>("P25Folder")->isChecked();
                form.Control<QWidget>("P25SpecList")->setEnabled(!typed);
                form.Control<QWidget>("P25Path")->setEnabled(typed);
                form.Control<QWidget>("P25Browse")->setEnabled(typed);
            });
            break;
        case 26:
            OnClick(form, "Button1", [this, &form] { InsertSymbol(3, form); });
            OnToggle(form, "P26Wave", [&form] {
                const bool wave = form.Control<QRadioButton>("P26Wave")->isChecked();
                for (std::string_view n : {"P26WaveLabel", "P26ProgPath", "P26Browse"})
                    form.Control<QWidget>(n)->setEnabled(wave);
            });
            OnClick(form, "P26Browse", [this, &form] {
                BrowseFile("P26ProgPath", kWaveBrowse.title, kWaveBrowse.filter, form);
            });
            break;
        case 28: OnClick(form, "P28Retrieve", [this, &form] { RetrievePhoneEntry(form); }); break;
        case 29:
            OnToggle(form, "P29UseDefault", [&form] {
                const bool own = !form.Control<QCheckBox>("P29UseDefault")->isChecked();
                for (std::string_view n : {"P29LogName", "P29LogPass", "P29LogonLabel", "P29PassLabel"})
                    form.Control<QWidget>(n)->setEnabled(own);
            });
            break;
        case 31:
            OnToggle(form, "P31Yes", [&form] {
                const bool yes = form.Control<QRadioButton>("P31Yes")->isChecked();
                for (std::string_view n : {"P31FolderLabel", "P31Browse", "P31Path"})
                    form.Control<QWidget>(n)->setEnabled(yes);
            });
            OnClick(form, "P31Browse", [this, &form] { BrowseFolder("P31Path", form); });
            break;
        case 32:
            OnToggle(form, "P32ProgPath", [&form] {
                const bool path = form.Control<QRadioButton>("P32ProgPath")->isChecked();
                form.Control<QWidget>("P32InstallBox")->setEnabled(!path);
                form.Control<QWidget>("P32Browse")->setEnabled(path);
                form.Control<QWidget>("P32Path")->setEnabled(path);
            });
            OnClick(form, "P32Browse",
                    [this, &form] { BrowseFile("P32Path", kExeBrowse.title, kExeBrowse.filter, form); });
            form.Control<QListWidget>("P32InstallBox")
                ->setItemDelegate(new ItemDelegate(ItemDelegate::InstalledName,
                                                   form.Control<QListWidget>("P32InstallBox")));
            break;
        case 34:
            OnClick(form, "P34Browse", [this, &form] {
                BrowseFile("P34Path", kDocumentBrowse.title, kDocumentBrowse.filter, form);
            });
            break;
        case 41:
            OnToggle(form, "P41Idle", [&form] {
                const bool idle = form.Control<QRadioButton>("P41Idle")->isChecked();
                form.Control<QWidget>("P41Label")->setEnabled(idle);
                form.Control<QWidget>("P41Minutes")->setEnabled(idle);
            });
            OnClick(form, "P41Idle", [&form] { form.Control<QWidget>("P41Minutes")->setFocus(); });
            break;
        case 42: OnClick(form, "P42GoTo", [&form] { form.Control<QWidget>("P42Track")->setFocus(); }); break;
        case 44: OnClick(form, "P44Test", [this] { ShowAudioDevice(); }); break;
        case 45: OnClick(form, "Button2", [this] { ShowAudioDevice(); }); break;
        case 46:
            OnClick(form, "Button3",
                    [this, &form] { BrowseFile("P46FName", kWaveBrowse.title, kWaveBrowse.filter, form); });
            OnClick(form, "Button4", [this, &form] { PlayWave(form); });
            break;
        case 49:
            OnClick(form, "P49Browse", [this, &form] {
                if (FilePageLayoutOf(ButtonStates(form, {"P48ChangeDir", "P48CreateFolder", "P48CopyFile",
                                                         "P48RenameFile", "P48DeleteFile"}))
                        .folder)
                    BrowseFolder("P49Path", form);
                else
                    BrowseFile("P49Path", kAllBrowse.title, kAllBrowse.filter, form);
            });
            break;
        default: break;
    }
}

void ContentPages::Load(int page, WizardForm& form) {
    switch (page) {
        case 4:
            form.Control<QTableWidget>("P4SymbolGrid")
                ->setCurrentCell(CellOfSymbolIndex(kDefaultSymbolIndex).row,
                                 CellOfSymbolIndex(kDefaultSymbolIndex).column);
            break;
        case 6: {
            auto* box = form.Control<QComboBox>("P6DriveBox");
            const DriveList drives = LoadDriveList();
            for (const std::string& d : drives.items) box->addItem(win::ToQt(d));
            box->setCurrentIndex(drives.index);
            break;
        }
        case 14:
            for (const Keystroke& k : kKeystrokes)
                form.Control<QListWidget>("P14KeyList")->addItem(win::ToQt(k.name));
            break;
        case 15:
            for (const std::string& name : services_.printers.Names())
                form.Control<QListWidget>("P15SettingBox")->addItem(QString::fromStdString(name));
            break;
        case 16:
            for (const std::string& line : DisplayModeList(services_.settings.DisplayModes()))
                form.Control<QListWidget>("P16SettingBox")->addItem(win::ToQt(line));
            break;
        case 18:
        case 19:
            FillFormats(form.Control<QListWidget>(page == 18 ? "P18Format" : "P19Format"), page == 19);
            break;
        case 25:
            for (std::string_view f : kSpecialFolders)
                form.Control<QListWidget>("P25SpecList")->addItem(win::ToQt(f));
            break;
        case 28: {
            auto* list = form.Control<QListWidget>("P28PhoneList");
            list->clear();
            // Without the dial-up service the list stays empty; Next then says why.
            std::vector<std::string> entries;
            if (!RasAvailable() || RasEnumEntries(entries) != kRasSuccess) break;
            for (const std::string& e : entries) list->addItem(win::ToQt(e));
            if (list->count() > 0) list->setCurrentRow(0);
            break;
        }
        case 32:
            for (const InstalledProgram& p : form.Context().installedPrograms.Get())
                form.Control<QListWidget>("P32InstallBox")
                    ->addItem(QString::fromStdString(InstalledItem(p.name, p.program)));
            break;
        default: break;
    }
}

void ContentPages::Shown(int page, bool firstShowing, WizardForm& form) {
    if (firstShowing) Load(page, form);
    auto focus = [&form](std::string_view name) { form.Control<QWidget>(name)->setFocus(); };
    switch (page) {
        case 4: focus("P4SymbolGrid"); break;
        case 6:
        case 29: {
            const NetPagesLayout net = NetPagesLayoutOf(
                ButtonStates(form, {"P5Connect", "P5Disconnect", "P5Toggle", "P29UseDefault"}));
            if (page == 6) {
                form.Control<QLabel>("P6DriveLabel")->setText(win::ToQt(net.driveLabel));
                for (std::string_view n : {"P6PathLabel", "P6ProgPath", "P6Browse"})
                    ShowEnable(form.Control<QWidget>(n), net.networkPath);
            } else {
                ShowEnable(form.Control<QWidget>("P29LogonPanel"), net.logonPanel);
                ShowEnable(form.Control<QWidget>("P29ForceDisc"), net.forceBox);
                form.Control<QCheckBox>("P29MakePerm")->setText(win::ToQt(net.permCaption));
                form.Control<QLabel>("P29Heading")->setText(win::ToQt(net.heading29));
            }
            break;
        }
        case 12: {
            const PastePageLayout l =
                PastePageLayoutOf(ButtonStates(form, {"P13Text", "P13File", "P13Graphic"}));
            form.Control<QLabel>("P12Heading")->setText(win::ToQt(l.heading));
            for (std::string_view n : {"P12MyMemo", "P12Label2", "P12Symbols"})
                ShowEnable(form.Control<QWidget>(n), l.memo);
            for (std::string_view n : {"P12Path", "P12Browse"}) ShowEnable(form.Control<QWidget>(n), !l.memo);
            focus(l.memo ? "P12MyMemo" : "P12Path");
            break;
        }
        case 14: focus("P14MyMemo"); break;
        case 22: {
            const UrlPageLayout l = UrlPageLayoutOf(ButtonStates(form, {"P21Web", "P21FTP"}));
            form.Control<QLabel>("P22Heading")->setText(win::ToQt(l.heading));
            form.Control<QLabel>("P22Prefix")->setText(win::ToQt(l.prefix));
            form.Control<QLabel>("P22Example")->setText(win::ToQt(l.example));
            focus("P22URL");
            break;
        }
        case 23:
            ShowEnable(form.Control<QWidget>("ScreenPosPanel"),
                       form.Control<QRadioButton>("P23Positioned")->isChecked());
            focus("P23Bit");
            break;
        case 24: focus("P24Path"); break;
        case 25: focus("P25Path"); break;
        case 26:
            // A reminder is always scheduled.
            if (auto* timed = form.Control<QRadioButton>("P2Timed")) timed->setChecked(true);
            focus("P26MyMemo");
            break;
        case 32: {
            const bool path = form.Control<QRadioButton>("P32ProgPath")->isChecked();
            form.Control<QWidget>("P32InstallBox")->setEnabled(!path);
            form.Control<QWidget>("P32Browse")->setEnabled(path);
            form.Control<QWidget>("P32Path")->setEnabled(path);
            break;
        }
        case 33: focus("P33Title"); break;
        case 34: focus("P34Path"); break;
        case 36: {
            const SizePageLayout l = SizePageLayoutOf(ButtonStates(form, {"P35RepTop", "P35RepChoice"}));
            form.Control<QLabel>("P36Heading")->setText(win::ToQt(l.heading));
            form.Control<QLabel>("P36Label1")->setText(win::ToQt(l.first));
            form.Control<QLabel>("P36Label2")->setText(win::ToQt(l.second));
            focus("P36Width");
            break;
        }
        case 39:
        case 40: {
            const Answers a = ButtonStates(form, {"P38Max", "P38Min", "P38Restore", "P38Close"});
            if (page == 39) {
                form.Control<QLabel>("P39Heading")->setText(win::ToQt(ActionHeading39(a)));
            } else {
                form.Control<QLabel>("P40Heading")->setText(win::ToQt(TitleHeading40(a)));
                focus("P40Title");
            }
            break;
        }
        case 46: focus("P46FName"); break;
        case 49: {
            const FilePageLayout l = FilePageLayoutOf(ButtonStates(
                form, {"P48ChangeDir", "P48CreateFolder", "P48CopyFile", "P48RenameFile", "P48DeleteFile"}));
            form.Control<QLabel>("P49PathLabel")->setText(win::ToQt(l.pathLabel));
            form.Control<QLabel>("P49NewLabel")->setText(win::ToQt(l.newNameLabel));
            ShowEnable(form.Control<QWidget>("P49NewLabel"), l.newName);
            ShowEnable(form.Control<QWidget>("P49NewName"), l.newName);
            focus("P49Path");
            break;
        }
        default: break;
    }
}

// ---- Handlers ----

void ContentPages::CheckAndSet(int which, const std::string& text, WizardForm& form) {
    auto* memo = form.Control<QPlainTextEdit>(kMemos[static_cast<std::size_t>(which - 1)]);
    const int caret = memo->textCursor().selectionStart();
    const auto done =
        wizard::InsertIntoMemo(win::FromQt(memo->toPlainText()), static_cast<std::size_t>(caret), text);
    if (!done) {
        Error(kMemoTooLong);
        return;
    }
    memo->setPlainText(win::ToQt(done->text));
    memo->setFocus();
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(static_cast<int>(done->caret));
    memo->setTextCursor(cursor);
}

void ContentPages::InsertSymbol(int which, WizardForm& form) {
    TDoSpecial dialog(form.Window());
    dialog.HideAltPad = 1;
    if (dialog.exec() != QDialog::Accepted) return;
    const std::string& symbol = dialog.Result.fields.TextBuffer;
    if (!symbol.empty()) CheckAndSet(which, symbol, form);
}

void ContentPages::InsertKeystroke(WizardForm& form) {
    auto* list = form.Control<QListWidget>("P14KeyList");
    const int row = list->currentRow();
    if (row < 0 || row >= static_cast<int>(kKeystrokes.size()) || !list->currentItem()->isSelected()) {
        Error(kNoKeystroke);
        list->setFocus();
        return;
    }
    CheckAndSet(1, std::string(kKeystrokes[static_cast<std::size_t>(row)].token), form);
    ShowEnable(form.Control<QWidget>("KeystrokePanel"), false);
}

void ContentPages::BrowseFile(std::string_view target, std::string_view title, std::string_view filter,
                              WizardForm& form) {
    const auto file = services_.paths.ChooseFile(form.Window(), win::ToQt(title), std::string(filter));
    if (!file) return;
    if (!PathFits(*file)) {
        Error(kPathTooLong);
        return;
    }
    form.Control<QLineEdit>(target)->setText(win::ToQt(*file));
}

void ContentPages::BrowseFolder(std::string_view target, WizardForm& form) {
    const auto folder = services_.paths.ChooseFolder(form.Window(), win::ToQt(kFolderTitle));
    if (!folder) return;
    if (!PathFits(*folder)) {
        Error(kPathTooLong);
        return;
    }
    form.Control<QLineEdit>(target)->setText(win::ToQt(*folder));
}

void ContentPages::BrowseNetworkDrive(WizardForm& form) {
    const auto folder =
        services_.paths.ChooseFolder(form.Window(), QStringLiteral("Please choose a network drive"));
    if (!folder) return;
    const auto share = ShareOfFolder(*folder);
    if (!share) {
        Error("The folder " + *folder + " is not on a network share.");
        return;
    }
    if (!PathFits(*share)) {
        Error(kPathTooLong);
        return;
    }
    form.Control<QLineEdit>("P6ProgPath")->setText(win::ToQt(*share));
}

void ContentPages::RetrievePhoneEntry(WizardForm& form) {
    auto* list = form.Control<QListWidget>("P28PhoneList");
    if (!list->currentItem() || !list->currentItem()->isSelected()) {
        Error(kNoPhoneEntry);
        list->setFocus();
        return;
    }
    if (!RasAvailable()) return;
    RasDialParams params;
    params.entryName = win::FromQt(list->currentItem()->text());
    if (RasGetEntryDialParams(params) != kRasSuccess) return;
    form.Control<QLineEdit>("P28UserName")->setText(win::ToQt(params.userName));
    if (params.passwordStored) form.Control<QLineEdit>("P28Password")->setText(win::ToQt(params.password));
}

void ContentPages::PlayWave(WizardForm& form) {
    auto* field = form.Control<QLineEdit>("P46FName");
    const WaveToPlay wave = WaveOfPage46(win::FromQt(field->text()));
    if (!wave.error.empty()) {
        Error(wave.error);
        field->setFocus();
        return;
    }
    // Without a sound device nothing plays and nothing is reported.
    if (sound_.Start(win::Cp1252ToUtf8(wave.file)) == win::SoundStart::Unavailable)
        Error(sound_.Unavailable());
}

void ContentPages::ShowAudioDevice() {
    win::MessageBox(MixerCapabilitiesText(services_.mixer.OpenMixer()), "Audio Device", win::MbButtons::Ok);
}

// ---- Factories ----

std::unique_ptr<WizardPageGroup> MakeContentPages(ContentServices services) {
    return std::make_unique<ContentPages>(services, nullptr);
}

std::unique_ptr<WizardPageGroup> MakeContentPages(win::Printers& printers, win::SystemSettings& display) {
    auto mixer = std::make_unique<SystemMixerHost>();
    ContentServices services{printers, display, SystemPathChooser(), *mixer};
    return std::make_unique<ContentPages>(services, std::move(mixer));
}

}  // namespace tessaro
