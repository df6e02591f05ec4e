#pragma once
// "Capture Complete": after a capture the user names the new macro and says how it
// starts: a hot key (picked from the list or pressed while the entry box has the focus),
// an abbreviation, or nothing yet; globally or in the program the capture ended in.
#include <QDialog>
#include <memory>
#include <string>

#include "macro/macro_record.h"
#include "player/capture/cap_complete_model.h"
#include "widgets/hot_key_fields.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace win {
class Messages;
}

namespace tessaro {

class TCapComplete : public QDialog, private HotKeyFieldOwner {
    Q_OBJECT
public:
    // Hot keys chosen in the entry box come as `messages` carries them.
    TCapComplete(win::Messages& messages, TMacroRecord& rec, const TGlobData& glob, SecWindRoute& route,
                 bool capGlobal, std::string topProgram, std::string programDirectory);
    ~TCapComplete() override;

    QLineEdit* NickName;
    QRadioButton* HotKeysButton;
    QRadioButton* SnipraButton;
    QRadioButton* NoneButton;
    QRadioButton* GlobalButton;
    QRadioButton* ProgramButton;
    QLabel* SelectLabel;
    QLabel* PlaceLabel;
    QLineEdit* HotKeyEdit;
    QListWidget* HotKeyList;
    QLabel* SnipraLabel;
    QLineEdit* SnipraName;
    QPushButton* OkButton;
    QPushButton* HelpButton;

    // A hot key pressed while the entry box has the focus.
    void HotKeyChosen(int code) override;
    void OkButtonClick();
    void HelpButtonClick();
    CapType type() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void TypeClick();
    void Route(bool on);
    void EndHotKeyRouting() override { Route(false); }

    TMacroRecord& rec_;
    const TGlobData& glob_;
    SecWindRoute& route_;
    std::string topProgram_;
    std::string programDirectory_;
    QWidget* hotKeyPart_;
    QWidget* snipraPart_;
    bool routed_ = false;
    std::unique_ptr<HotKeyFields> hotKeys_;
};

}  // namespace tessaro
