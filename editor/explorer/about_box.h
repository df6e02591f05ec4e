#pragma once
// The editor's About box.
#include <QDialog>

namespace tessaro {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent);
};

}  // namespace tessaro
