#pragma once
// The print-out of a script: a heading, then the lines as shown, each cut to the page
// width, on as many pages as they need, once per copy.
#include <QFont>
#include <string>
#include <vector>

class QPrinter;

namespace tessaro {

// `copies` copies, each starting on a new page, as one job of one copy. False with the
// reason when the job could not be printed.
bool PrintScript(QPrinter& printer, const QFont& font, const std::string& heading,
                 const std::vector<std::string>& lines, int copies, std::string& error);

}  // namespace tessaro
