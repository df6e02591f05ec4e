#pragma once
// Forms without a minimise box. Some window managers draw one on every dialog whatever the
// form asks for (openbox does); minimising a modal form there takes the whole stack of
// windows under it off the screen, with nothing left to bring it back by. Such a form
// undoes the minimise at once.
class QWidget;

namespace tessaro {

// Declares the form without a minimise box and watches it (a child object) for the rest of
// its life.
void RefuseMinimise(QWidget& form);

}  // namespace tessaro
