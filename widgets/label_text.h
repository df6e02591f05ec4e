#pragma once
// Label captions as the forms write them: "&" marks the mnemonic letter, "&&" stands for
// one "&", and a line break may be written LF CR.
#include <QString>

namespace tessaro {

// What the label shows, as plain text: no mnemonic marks, "&&" as "&", each break one "\n".
QString CaptionShown(const QString& caption);

// The caption as rich text with its mnemonic letter underlined, for a label that shows the
// letter without owning the shortcut.
QString CaptionUnderlined(const QString& caption);

}  // namespace tessaro
