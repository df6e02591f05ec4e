#include "widgets/dialog_frame.h"

#include <QVariant>
#include <QWidget>

#include "widgets/form_minimise.h"

namespace tessaro {

namespace {
constexpr const char* kDialogFrame = "tessaroDialogFrame";
}

void SetDialogFrame(QWidget& form) {
    // A dialog's type; of the boxes only the close box (some managers add a minimise box
    // whatever the form asks: the refusal undoes it).
    form.setWindowFlags((form.windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog | Qt::CustomizeWindowHint |
                        Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    form.setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    form.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    form.setProperty(kDialogFrame, true);
    RefuseMinimise(form);
}

bool HasDialogFrame(const QWidget& form) {
    return form.property(kDialogFrame).toBool() || form.minimumSize() == form.maximumSize();
}

}  // namespace tessaro
