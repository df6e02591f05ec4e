#pragma once
// The main window's list of categories. A category chosen with the keyboard (arrow keys,
// Home, End, a typed letter) is chosen as by a click; one the program selects is not.
#include <QListWidget>

namespace tessaro {

class CategoryListBox : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;

signals:
    void ChosenByKey();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tessaro
