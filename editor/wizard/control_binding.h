#pragma once
// Copies the states of a form's named controls into wizard::Answers and back, by object
// name, so the model reads the pages as the user left them.
#include "editor/model/wizard/wizard_answers.h"

class QWidget;

namespace tessaro {

// A control that is none of the standard kinds (a symbol grid, a hot-key list drawn by
// hand) maps itself onto the members of ControlState.
class BoundControl {
public:
    virtual ~BoundControl() = default;
    virtual void ReadState(wizard::ControlState& state) const = 0;
    virtual void WriteState(const wizard::ControlState& state) = 0;
};

// Every named descendant of `root`: check boxes and radio buttons -> checked; line edits,
// plain-text edits and labels -> text (Windows-1252); list widgets and combo boxes ->
// items and index (single choice) or selected (multiple choice), a combo box's text too;
// spin boxes -> value. enabled and visible are the control's own flags, not its page's.
wizard::Answers ReadControls(const QWidget* root);

// The reverse, for the names in `answers` that `root` holds; other names are ignored. A
// list's items are replaced only when `answers` gives some.
void WriteControls(QWidget* root, const wizard::Answers& answers);

}  // namespace tessaro
