#pragma once
// The texts of the macro list and of its printout.
#include <QString>

#include "foundation/config_record.h"
#include "protocol/glob_data.h"

class QFontMetrics;

namespace tessaro {

// Column titles of the title row.
QString ListTitle(int col);
// Columns 2 (activation), 3 (nickname) and 4 (scope) of macro n.
QString ListCellText(int col, int n, const TGlobData& glob, const TConfigRecord& config);

// The printout's activation text ("Snipra: " before an abbreviation) and scope text (window
// and program scopes end in " (Topmost Only)" or " (If Running)").
QString PrintActivationText(std::uint16_t activationCode, const std::string& abbreviation);
QString PrintScopeText(std::uint16_t scope, const std::string& scopeText, bool topmostOnly);

// `text` cut character by character from its end until it is at most `width` wide.
QString CutToWidth(const QString& text, int width, const QFontMetrics& metrics);

}  // namespace tessaro
