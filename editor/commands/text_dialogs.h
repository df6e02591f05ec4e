#pragma once
// The typed-text editor TModText, its symbol chooser TDoSpecial and the find / replace
// dialog TDoSearch, over editor/model/commands/text_forms.h.
#include <QDialog>
#include <cstdint>
#include <optional>
#include <string>

#include "editor/commands/command_dialog.h"
#include "editor/model/commands/text_forms.h"

class QComboBox;
class QMenuBar;
class QPlainTextEdit;
class QTableWidget;

namespace tessaro {

// A grid of kSymbolRows x kSymbolColumns cells filled with the characters 128 to 255 down
// the columns, one cell chosen at a time.
void FillSymbolGrid(QTableWidget& grid);

// "Insert Symbol": the characters 128 to 255; its Alt keypad button chains to TDoDelay.
class TDoSpecial : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoSpecial(QWidget* owner);

    std::uint8_t HideAltPad = 0;
    QTableWidget* SymbolGrid = nullptr;
    QPushButton* AltPadSeq = nullptr;
    FormResult<UpdatedText> Result;

    // The Alt keypad step, kept apart so tests can run it without a modal loop.
    void TakeAltPadResult(const std::string& commandText);

protected:
    void SetDefaults() override {}
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;

private:
    void AltPadSeqClick();
};

// "Search and Replace", or "Find" alone.
class TDoSearch : public CommandDialog {
    Q_OBJECT
public:
    TDoSearch(QWidget* owner, bool findOnly);

    QLineEdit *Find = nullptr, *Replace = nullptr;
    QLabel* Label2 = nullptr;
    SearchFields Fields;

protected:
    void SetDefaults() override {}
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;
};

// "Enter Keystrokes". The creator sets the memo (PresetText for a new text, PresetStored for
// a stored one) and takes TextBuffer when Updated is 1.
class TModText : public QDialog {
    Q_OBJECT
public:
    explicit TModText(QWidget* owner);
    void PresetText(const std::string& cp1252);
    // A stored Text line's text: Update gives it back unchanged while the memo is, and in
    // its own line breaks and tabs once edited.
    void PresetStored(const std::string& stored);
    // The most the text may hold: a macro's 5,000 unless it is a line of a text file.
    void SetTextLimit(std::size_t limit) { limit_ = limit; }
    // The style of the text the line belongs to (a text file's own): a new text is written
    // in it, an edited one in its own where it shows one.
    void SetTextStyle(const TypedTextStyle& style) { style_ = style; }

    std::string TextBuffer;
    std::uint8_t Updated = 0;
    std::size_t SearchPos = 0;
    std::string SearchText;

    QPlainTextEdit* NewFormat = nullptr;
    QComboBox* MiscBox = nullptr;
    QPushButton *OkButton = nullptr, *Symbols = nullptr, *UpdateButton = nullptr, *CancelButton = nullptr,
                *HelpButton = nullptr;
    QMenuBar* Menu = nullptr;

    // CheckSize then SetIt: false (with the box) when the text would pass 5,000.
    bool InsertText(const std::string& cp1252);
    void UpdateButtonClick();
    // Find with a given text (what the Find dialog confirms), Find Again, Replace.
    void FindText(const std::string& text);
    void FindAgain();
    void ReplaceText(const std::string& find, const std::string& replace);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void MenuFind();
    void MenuReplace();
    void EditAction(int which);

    std::optional<std::string> stored_;
    std::optional<std::string> presetMemo_;  // the memo as the preset left it
    std::size_t limit_ = kMaxTypedText;
    TypedTextStyle style_;
};

}  // namespace tessaro
