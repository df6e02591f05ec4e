#pragma once
// Named controls of the builder's pages, laid out top to bottom on a page's panel.
#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QString>
#include <QVBoxLayout>
#include <initializer_list>

#include "editor/model/wizard/wizard_answers.h"

namespace tessaro::pages {

// The panel's layout, made on first use.
QVBoxLayout* Column(QWidget* panel);

// A page's heading: bold, wrapped to the page's width. HeadingLabel leaves placing it to
// the caller; Heading puts it below the last control.
QLabel* HeadingLabel(QWidget* parent, const QString& text, const char* name = "");
QLabel* Heading(QWidget* panel, const QString& text, const char* name = "");
QRadioButton* Radio(QWidget* panel, const char* name, const QString& caption);
QCheckBox* Check(QWidget* panel, const char* name, const QString& caption);
// A named sub-panel below the last control: its radio buttons form a group of their own.
QWidget* Group(QWidget* panel, const char* name);

// Shows and enables the widgets, or hides and disables them; null ones are passed by.
void ShowAll(std::initializer_list<QWidget*> widgets, bool on);

// Puts preset answers into the controls of that name below `root`: the check of buttons
// and the text of edits.
void ApplyAnswers(QWidget* root, const wizard::Answers& answers);

}  // namespace tessaro::pages
