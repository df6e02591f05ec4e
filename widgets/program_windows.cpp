#include "widgets/program_windows.h"

#include <QApplication>

#include "widgets/message_box_qt.h"
#include "widgets/program_icons.h"

namespace tessaro {

ProgramWindows::ProgramWindows() : boxes_(QtMessageBox) { QApplication::setWindowIcon(MainIcon()); }

}  // namespace tessaro
