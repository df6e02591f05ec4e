#pragma once
// The settings' fonts as toolkit fonts and back.
#include <QColor>
#include <QFont>

#include "foundation/config_record.h"

namespace tessaro {

QFont ToQFont(const TFontDescription& font);
// Name, size and style of `font`; the colour is kept.
void AssignFont(TFontDescription& target, const QFont& font);
// A stored colour value (0x00BBGGRR); system colours (high byte set) give black.
QColor ToQColor(std::int32_t stored);

}  // namespace tessaro
