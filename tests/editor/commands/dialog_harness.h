#pragma once
// Shared by the dialog tests: boxes recorded instead of shown, typing into named controls,
// pressing the dialog's buttons, and a picture of each form under build/screens/.
#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/commands/command_dialog.h"
#include "platform/message_box.h"
#include "tests/support/qt_app.h"
#include "tests/support/visible_form.h"

namespace tessaro::testing {

// Every box answered with OK and kept.
class RecordedBoxes {
public:
    RecordedBoxes()
        : scope_([this](const win::MessageBoxCall& call) {
              calls.push_back(call);
              return win::FirstButton(call.buttons);
          }) {}
    std::vector<win::MessageBoxCall> calls;

private:
    win::ScopedMessageBoxHandler scope_;
};

template <class T = QWidget>
T* Named(QWidget* dialog, const char* name) {
    T* w = dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

inline void Type(QWidget* dialog, const char* edit, const QString& text) {
    if (auto* e = Named<QLineEdit>(dialog, edit)) e->setText(text);
}

inline void Click(QWidget* dialog, const char* button) {
    if (auto* b = Named<QAbstractButton>(dialog, button)) b->click();
}

// The focused control's object name (the offscreen platform keeps focus per window).
inline std::string Focused(QWidget* dialog) {
    QWidget* w = dialog->focusWidget();
    return w ? w->objectName().toStdString() : std::string();
}

// Renders the shown dialog into build/screens/<name>.png; a person sees every caption whole
// and every control inside the dialog.
inline void SaveScreen(QWidget* dialog, const std::string& name) {
    const QString dir = QStringLiteral(TESSARO_TEST_BIN_DIR) + "/../screens";
    QDir().mkpath(dir);
    const QPixmap shot = dialog->grab();
    EXPECT_FALSE(shot.isNull()) << name;
    EXPECT_TRUE(shot.save(dir + "/" + QString::fromStdString(name) + ".png")) << name;
    for (const std::string& fault : VisibleFaults(*dialog)) ADD_FAILURE() << name << ": " << fault;
}

}  // namespace tessaro::testing
