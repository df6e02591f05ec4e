#include "editor/explorer/fonts.h"

#include "platform/cp1252.h"

namespace tessaro {

QFont ToQFont(const TFontDescription& font) {
    QFont f(QString::fromStdString(win::Cp1252ToUtf8(font.Name)));
    if (font.Size > 0) f.setPointSize(font.Size);
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.StrikeOut);
    return f;
}

void AssignFont(TFontDescription& target, const QFont& font) {
    target.Name = win::Utf8ToCp1252(font.family().toStdString());
    if (font.pointSize() > 0) target.Size = font.pointSize();
    target.Bold = font.bold();
    target.Italic = font.italic();
    target.Underline = font.underline();
    target.StrikeOut = font.strikeOut();
}

QColor ToQColor(std::int32_t stored) {
    const auto v = static_cast<std::uint32_t>(stored);
    if (v & 0xFF000000u) return Qt::black;
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

}  // namespace tessaro
