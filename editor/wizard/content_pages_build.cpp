// The controls of the content pages, named as the model reads them.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <span>

#include "editor/commands/text_dialogs.h"
#include "editor/model/commands/media_forms.h"
#include "editor/model/commands/text_forms.h"
#include "editor/model/wizard/content_pages.h"
#include "editor/commands/form_parts.h"
#include "editor/wizard/content_pages_group.h"
#include "editor/wizard/control_binding.h"
#include "editor/wizard/page_parts.h"
#include "platform/cp1252.h"
#include "widgets/kept_text.h"

namespace tessaro {

using namespace wizard;

namespace {

QString Name(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// A page memo takes up to 4,000 typed or pasted characters; the Symbols and Keystrokes
// buttons may add more, up to the 5,000 a macro holds. A paste that would pass the limit
// is refused whole rather than cut.
class PageMemo final : public QPlainTextEdit {
public:
    static constexpr int kMaxTyped = 4000;
    explicit PageMemo(QWidget* parent) : QPlainTextEdit(parent) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool adds = !event->text().isEmpty() && event->text().at(0).isPrint();
        if (adds && !textCursor().hasSelection() && toPlainText().size() >= kMaxTyped) return;
        QPlainTextEdit::keyPressEvent(event);
    }
    void insertFromMimeData(const QMimeData* source) override {
        const int selected = textCursor().selectionEnd() - textCursor().selectionStart();
        if (toPlainText().size() - selected + source->text().size() > kMaxTyped) return;
        QPlainTextEdit::insertFromMimeData(source);
    }
};

// Builds one page top to bottom.
class PageBuilder {
public:
    explicit PageBuilder(QWidget* panel) : panel_(panel), layout_(new QVBoxLayout(panel)) {}

    QLabel* Label(std::string_view name, std::string_view text) {
        auto* label = new QLabel(win::ToQt(text), panel_);
        label->setObjectName(Name(name));
        label->setWordWrap(true);
        layout_->addWidget(label);
        return label;
    }
    QLabel* Heading(std::string_view text, const char* name = "") {
        QLabel* label = pages::HeadingLabel(panel_, win::ToQt(text), name);
        layout_->addWidget(label);
        return label;
    }
    // One group of radio buttons, exclusive among themselves.
    void Radios(std::span<const PageChoice> choices) {
        auto* group = new QWidget(panel_);
        auto* column = new QVBoxLayout(group);
        column->setContentsMargins(0, 0, 0, 0);
        for (const PageChoice& c : choices) {
            auto* radio = new QRadioButton(win::ToQt(c.caption), group);
            radio->setObjectName(Name(c.name));
            column->addWidget(radio);
        }
        layout_->addWidget(group);
    }
    QCheckBox* Check(std::string_view name, std::string_view caption) {
        auto* box = new QCheckBox(win::ToQt(caption), panel_);
        box->setObjectName(Name(name));
        layout_->addWidget(box);
        return box;
    }
    QLineEdit* Edit(std::string_view name, int maxLength, std::string_view text = {}) {
        auto* edit = new QLineEdit(win::ToQt(text), panel_);
        edit->setObjectName(Name(name));
        LimitTyping(*edit, maxLength);
        layout_->addWidget(edit);
        return edit;
    }
    QPlainTextEdit* Memo(std::string_view name) {
        auto* memo = new PageMemo(panel_);
        memo->setObjectName(Name(name));
        layout_->addWidget(memo, 1);
        return memo;
    }
    QPushButton* Button(std::string_view name, std::string_view caption) {
        auto* button = new QPushButton(win::ToQt(caption), panel_);
        button->setObjectName(Name(name));
        layout_->addWidget(button, 0, Qt::AlignLeft);
        return button;
    }
    QListWidget* List(std::string_view name) {
        auto* list = new QListWidget(panel_);
        list->setObjectName(Name(name));
        layout_->addWidget(list, 1);
        return list;
    }
    QComboBox* Combo(std::string_view name) {
        auto* box = new QComboBox(panel_);
        box->setObjectName(Name(name));
        layout_->addWidget(box, 0, Qt::AlignLeft);
        return box;
    }
    // A sub-panel whose controls are built into it.
    QWidget* Panel(std::string_view name) {
        auto* sub = new QWidget(panel_);
        sub->setObjectName(Name(name));
        layout_->addWidget(sub);
        return sub;
    }
    void Stretch() { layout_->addStretch(1); }
    // What is left below the page's controls when its memo (which takes the room while it is
    // shown) is hidden: the controls stay at the top.
    void Room() { layout_->addStretch(0); }

private:
    QWidget* panel_;
    QVBoxLayout* layout_;
};

// Radio buttons placed apart on their page that still exclude each other.
void OneGroup(QWidget* panel, WizardForm& form, std::span<const PageChoice> choices) {
    auto* group = new QButtonGroup(panel);
    for (const PageChoice& c : choices) group->addButton(form.Control<QRadioButton>(c.name));
}

// Page 4's grid reports its current cell as index = row * 16 + column.
class SymbolGrid final : public QTableWidget, public BoundControl {
public:
    explicit SymbolGrid(QWidget* parent) : QTableWidget(kSymbolRows, kSymbolColumns, parent) {}
    void ReadState(ControlState& state) const override {
        state.index =
            currentRow() < 0 || currentColumn() < 0 ? -1 : currentRow() * kSymbolColumns + currentColumn();
    }
    void WriteState(const ControlState& state) override {
        if (state.index >= 0 && state.index < kSymbolRows * kSymbolColumns)
            setCurrentCell(state.index / kSymbolColumns, state.index % kSymbolColumns);
    }
};

struct ChoicePage {
    int page;
    std::string_view heading;
    std::span<const PageChoice> choices;
};

const std::array<ChoicePage, 12> kChoicePages{{
    {5, "Would you like to", kP5Choices},
    {11, "Would you like to", kP11Choices},
    {13, "What would you like to paste into your program?", kP13Choices},
    {17, "What would you like to type into your program?", kP17Choices},
    {21, "Would you like to", kP21Choices},
    {27, "Would you like to", kP27Choices},
    {30, "Would you like to", kP30Choices},
    {35, "Would you like to", kP35Choices},
    {38, "Would you like to", kP38Choices},
    {43, "What would you like to do?", kP43Choices},
    {47, "Would you like to", kP47Choices},
    {48, "Would you like to", kP48Choices},
}};

// Pages 44 and 45 take the volume dialog's choices with their page's prefix.
std::vector<PageChoice> VolumeChoices(std::span<const std::string_view> names, std::string_view prefix,
                                      std::vector<std::string>& store) {
    std::vector<PageChoice> out;
    store.reserve(names.size());
    for (std::string_view n : names) {
        const RadioChoice* c = ChoiceOfControl(kVolumeChoices, n);
        store.push_back(std::string(prefix) + std::string(n));
        out.push_back({store.back(), c ? c->caption : n});
    }
    return out;
}

}  // namespace

void ContentPages::BuildChoicePage(int page, QWidget* panel, WizardForm& form) {
    for (const ChoicePage& c : kChoicePages) {
        if (c.page != page) continue;
        PageBuilder b(panel);
        b.Heading(c.heading);
        b.Radios(c.choices);
        if (page == 47) {
            b.Label("P47Notice",
                    "NOTE: Items grayed out are not available on your computer.  These require that Internet "
                    "Explorer 4.0 or greater be installed on your computer.")
                ->hide();
        }
        b.Stretch();
        return;
    }
    BuildFieldPage(page, panel, form);
}

void ContentPages::BuildFieldPage(int page, QWidget* panel, WizardForm& form) {
    PageBuilder b(panel);
    switch (page) {
        case 4: {
            b.Heading("Choose the desired character or symbol");
            auto* grid = new SymbolGrid(panel);
            grid->setObjectName("P4SymbolGrid");
            FillSymbolGrid(*grid);
            grid->setFixedSize(436, 204);
            panel->layout()->addWidget(grid);
            b.Stretch();
            break;
        }
        case 6:
            b.Heading("Connect Local Drive", "P6DriveLabel");
            b.Combo("P6DriveBox");
            b.Heading("To Network Drive", "P6PathLabel");
            b.Edit("P6ProgPath", 255);
            b.Button("P6Browse", "B&rowse");
            b.Stretch();
            break;
        case 12:
            b.Heading("Enter the text you want pasted into your program.", "P12Heading");
            b.Memo("P12MyMemo");
            b.Label("P12Label2", "Press Symbols to insert a symbol at the cursor.");
            b.Button("P12Symbols", "&Symbols");
            b.Edit("P12Path", 255);
            b.Button("P12Browse", "&Browse");
            b.Room();
            break;
        case 14: {
            b.Heading("Enter the text you want typed into your programs.");
            b.Memo("P14MyMemo");
            b.Button("P14Keystrokes", "&Keystrokes");
            b.Button("P14Symbols", "&Symbols");
            QWidget* keys = b.Panel("KeystrokePanel");
            PageBuilder k(keys);
            k.Label({}, "Choose a Keystroke");
            k.List("P14KeyList");
            k.Button("P14Ok", "&OK");
            k.Button("P14Cancel", "&Cancel");
            keys->hide();
            keys->setEnabled(false);
            break;
        }
        case 15:
            b.Heading("Choose A Default Printer");
            b.List("P15SettingBox");
            break;
        case 16:
            b.Heading("Choose Display Resolution");
            b.List("P16SettingBox");
            break;
        case 18:
            b.Heading("Select Date Format");
            b.List("P18Format");
            break;
        case 19:
            b.Heading("Select Time Format");
            b.List("P19Format");
            break;
        case 20:
            b.Heading("Would you like the date to be");
            b.Radios(kP20Choices);
            b.Label("P20FutLabel", "Days in the future")->hide();
            b.Edit("P20Days", 3)->hide();
            b.Stretch();
            break;
        case 22:
            b.Heading("Enter the URL of the web site (without the http://)", "P22Heading");
            b.Label("P22Prefix", "http://");
            b.Edit("P22URL", 255);
            b.Label("P22Example", {});
            b.Stretch();
            break;
        case 23: {
            b.Heading("Path and Name of the Bitmap Graphic to use as the wallpaper");
            b.Edit("P23Bit", 255);
            b.Button("P23Browse", "&Browse");
            b.Radios(kP23Choices);
            QWidget* pos = b.Panel("ScreenPosPanel");
            PageBuilder p(pos);
            p.Label({}, "Top");
            p.Edit("P23Top", 4, "1");
            p.Label({}, "Left");
            p.Edit("P23Left", 4, "1");
            pos->hide();
            pos->setEnabled(false);
            b.Stretch();
            break;
        }
        case 24:
            b.Heading("Enter the path and name of the video clip file (AVI file)");
            b.Edit("P24Path", 255);
            b.Button("P24Browse", "&Browse");
            b.Radios(kP24Choices);
            b.Stretch();
            break;
        case 25:
            b.Radios(std::span(kP25Choices).first(1));
            b.Edit("P25Path", 255);
            b.Button("P25Browse", "&Browse");
            b.Radios(std::span(kP25Choices).last(1));
            b.List("P25SpecList")->setEnabled(false);
            OneGroup(panel, form, kP25Choices);
            break;
        case 26:
            b.Heading("Enter the text for your reminder");
            b.Memo("P26MyMemo");
            b.Button("Button1", "&Symbols");
            b.Check("P26Delete", "&Delete this macro after displaying the reminder");
            b.Label({}, "Notify with");
            b.Radios(kP26Choices);
            b.Label("P26WaveLabel", "Wave File")->setEnabled(false);
            b.Edit("P26ProgPath", 255)->setEnabled(false);
            b.Button("P26Browse", "&Browse")->setEnabled(false);
            break;
        case 28:
            b.Heading("Choose a phone book entry");
            b.List("P28PhoneList");
            b.Label({}, "User Name");
            b.Edit("P28UserName", 255);
            b.Label({}, "Password");
            b.Edit("P28Password", 255)->setEchoMode(QLineEdit::Password);
            b.Button("P28Retrieve", "&Retrieve");
            break;
        case 29: {
            b.Heading("Connect Options", "P29Heading");
            for (const PageChoice& c : kP29Boxes) b.Check(c.name, c.caption);
            QWidget* logon = b.Panel("P29LogonPanel");
            PageBuilder l(logon);
            l.Label("P29LogonLabel", "Logon Name");
            l.Edit("P29LogName", 255);
            l.Label("P29PassLabel", "Password");
            l.Edit("P29LogPass", 255)->setEchoMode(QLineEdit::Password);
            b.Stretch();
            for (std::string_view n : {"P29LogName", "P29LogPass", "P29LogonLabel", "P29PassLabel"})
                form.Control<QWidget>(n)->setEnabled(false);
            form.Control<QWidget>("P29ForceDisc")->hide();
            break;
        }
        case 31:
            b.Heading("Would you like to specify a default folder for the program before launching it?");
            b.Radios(kP31Choices);
            b.Label("P31FolderLabel", "Folder")->setEnabled(false);
            b.Edit("P31Path", 255)->setEnabled(false);
            b.Button("P31Browse", "&Browse")->setEnabled(false);
            b.Stretch();
            break;
        case 32:
            b.Heading("Choose the program to launch");
            b.Radios(std::span(kP32Choices).first(1));
            b.Edit("P32Path", 255)->setEnabled(false);
            b.Button("P32Browse", "B&rowse")->setEnabled(false);
            b.Radios(std::span(kP32Choices).last(1));
            b.List("P32InstallBox");
            OneGroup(panel, form, kP32Choices);
            break;
        case 33:
            b.Heading(
                "Enter the title of the window of the program you wish to activate.  The \"title\" is what "
                "appears in the blue caption bar at the top of a window.  A partial title may be entered.",
                "P33Heading");
            b.Label({}, "Window Title");
            b.Edit("P33Title", 20);
            b.Label("P33Examples", {});
            b.Stretch();
            break;
        case 34:
            b.Heading("Enter the path and name of the document to open");
            b.Edit("P34Path", 255);
            b.Button("P34Browse", "&Browse");
            b.Stretch();
            break;
        case 36:
            b.Heading("Enter the new size", "P36Heading");
            b.Label("P36Label1", "Width");
            b.Edit("P36Width", 4);
            b.Label("P36Label2", "Height");
            b.Edit("P36Height", 4);
            b.Stretch();
            break;
        case 39:
            b.Heading("Would you like to perform this action on", "P39Heading");
            b.Radios(kP39Choices);
            b.Stretch();
            break;
        case 40:
            b.Heading({}, "P40Heading");
            b.Label({}, "Window Title");
            b.Edit("P40Title", 20);
            b.Label("P40Examples", {});
            b.Stretch();
            break;
        case 41:
            b.Heading("What would you like to do?");
            b.Radios(kP41Choices);
            b.Label("P41Label", "Minutes")->setEnabled(false);
            b.Edit("P41Minutes", 2, "5")->setEnabled(false);
            b.Stretch();
            break;
        case 42:
            b.Heading("What would you like to do?");
            b.Radios(kP42Choices);
            b.Edit("P42Track", 2, "1");
            b.Stretch();
            break;
        case 44:
        case 45: {
            std::vector<std::string> names;
            const auto choices = page == 44 ? VolumeChoices(kP44Volume, "P44", names)
                                            : VolumeChoices(kP45Volume, "P45", names);
            b.Heading("Would you like to");
            b.Radios(choices);
            b.Button(page == 44 ? "P44Test" : "Button2", "Test &Your System Sound Capabilities");
            b.Stretch();
            // The form's presets leave page 45 without a choice: its first one stands.
            if (page == 45) form.Control<QRadioButton>("P45MIDIOff")->setChecked(true);
            break;
        }
        case 46:
            b.Heading("Enter the name of the sound file (WAV)");
            b.Edit("P46FName", 255);
            b.Button("Button3", "&Browse");
            b.Button("Button4", "&Play It");
            b.Check("P46Wait", "&Wait for wave file to finish before continuing with macro");
            b.Stretch();
            break;
        case 49:
            b.Label("P49PathLabel", "Name of folder to change to");
            b.Edit("P49Path", 255);
            b.Button("P49Browse", "&Browse");
            b.Label("P49NewLabel", "New Name")->hide();
            b.Edit("P49NewName", 255)->hide();
            b.Stretch();
            break;
        default: break;
    }
}

}  // namespace tessaro
