#include "editor/model/macro_forms/macro_icon.h"

#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tessaro {

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool Valid83Char(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) || std::string_view("!#$%&'()-@^_`{}~").find(c) != std::string_view::npos;
}

std::string Slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

bool SameBytes(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::file_size(a, ec) == fs::file_size(b, ec) && !ec && Slurp(a) == Slurp(b);
}

// "A long name.ico" -> "Alongn~1.ico", the first number that is free or already holds the
// same bytes: the letters the user gave, in their case, so the copy is still recognised.
std::string GeneratedName(const fs::path& chosen, const std::string& iconsDir) {
    std::string stem;
    for (char c : chosen.stem().string())
        if (Valid83Char(c) && static_cast<unsigned char>(c) < 0x80) stem += c;
    if (stem.empty()) stem = "icon";
    const std::string ext = chosen.extension().string();  // ".ico" in its own case
    for (int n = 1; n < 1000000; ++n) {
        const std::string suffix = "~" + std::to_string(n);
        const std::string name = stem.substr(0, 8 - suffix.size()) + suffix + ext;
        const fs::path target = fs::path(iconsDir) / name;
        std::error_code ec;
        if (!fs::exists(target, ec) || SameBytes(chosen, target)) return name;
    }
    return {};
}

// A name the record's 12 characters hold as it is.
bool FitsIconName(const std::string& name) {
    return !name.empty() && name.size() <= 12 && std::all_of(name.begin(), name.end(), [](char c) {
        return c >= ' ' && static_cast<unsigned char>(c) < 0x7F;
    });
}

}  // namespace

std::optional<QImage> LoadIconGlyph(const std::string& path) {
    QImageReader reader(QString::fromStdString(path), "ico");
    QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    QImage glyph(16, 16, QImage::Format_ARGB32_Premultiplied);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, 16, 16), image);
    return glyph;
}

std::string ShortName83(const std::string& fileName) {
    const std::size_t dot = fileName.find('.');
    if (dot == std::string::npos || fileName.find('.', dot + 1) != std::string::npos) return {};
    const std::string base = fileName.substr(0, dot), ext = fileName.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3) return {};
    const auto valid = [](char c) { return static_cast<unsigned char>(c) < 0x80 && Valid83Char(c); };
    if (!std::all_of(base.begin(), base.end(), valid) || !std::all_of(ext.begin(), ext.end(), valid))
        return {};
    return fileName;
}

IconChoice ChooseIconFile(const std::string& chosenPath, const std::string& iconsDir) {
    IconChoice out;
    const std::string up = Upper(chosenPath);
    if (up.size() < 4 || up.substr(up.size() - 4) != ".ICO") {
        out.error = kInvalidIconType;
        return out;
    }
    if (!LoadIconGlyph(chosenPath)) {
        out.error = kIconNotOpened;
        return out;
    }
    const fs::path chosen(chosenPath);
    std::error_code ec;
    // An icon of the folder itself is used as it lies, under its own name.
    const bool inFolder = fs::equivalent(chosen.parent_path(), iconsDir, ec);
    std::string name = ShortName83(chosen.filename().string());
    if (name.empty()) name = GeneratedName(chosen, iconsDir);
    if (inFolder && FitsIconName(chosen.filename().string())) name = chosen.filename().string();
    fs::create_directories(iconsDir, ec);
    const fs::path target = fs::path(iconsDir) / name;
    if (!fs::equivalent(chosen, target, ec)) {
        if (fs::exists(target, ec)) {
            if (!SameBytes(chosen, target)) out.warning = kIconNameTaken;
        } else if (!fs::copy_file(chosen, target, fs::copy_options::none, ec)) {
            out.error = kIconNotOpened;
            return out;
        }
    }
    if (!LoadIconGlyph(target.string())) {
        out.error = kIconNotOpened;
        return out;
    }
    out.ok = true;
    out.iconName = name;
    out.path = target.string();
    return out;
}

std::string IconChooserFolder(const std::string& programDir) {
    const std::string icons = programDir + "/Icons";
    std::error_code ec;
    fs::create_directories(icons, ec);
    if (fs::is_directory(icons, ec)) return icons;
    if (!programDir.empty() && fs::is_directory(programDir, ec)) return programDir;
    return {};
}

}  // namespace tessaro
