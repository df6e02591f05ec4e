#pragma once
// What the user typed into a field, as the Windows-1252 bytes the system stores. A character
// that has none is refused by name in a box, and the field gets the focus back.
#include <QString>
#include <optional>
#include <string>

class QLineEdit;
class QWidget;

namespace tessaro {

std::optional<std::string> EntryOrRefuse(QWidget* field, const QString& text);
std::optional<std::string> EntryOrRefuse(QLineEdit* field);

}  // namespace tessaro
