#pragma once
// The About box of both programs. Only one is open at a time: asking again brings the
// open one to the front.
#include <QDialog>

class QLabel;
class QPushButton;

namespace tessaro {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* ProductName;
    QLabel* Version;
    QLabel* Comments;
    QPushButton* OKButton;  // "&Ok"

protected:
    void showEvent(QShowEvent* event) override;  // centred on the screen, not on its owner
};

inline constexpr const char* kAboutCaption = "About";
inline constexpr const char* kProductName = "Tessaro 99";

// Shows the About box, or raises the one already open; returns it.
TAboutBox* ShowAboutBox();

}  // namespace tessaro
