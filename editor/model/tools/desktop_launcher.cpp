#include "editor/model/tools/desktop_launcher.h"

#include <sys/stat.h>

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <cerrno>
#include <cstring>

#include "foundation/strings.h"
#include "platform/cp1252.h"
#include "platform/file_io.h"

namespace tessaro {

std::string CheckLauncherNickname(const std::vector<std::string>& nicknames, std::size_t index) {
    const std::string& name = nicknames.at(index);
    if (TrimBlanks(name).empty())
        return "A macro is activated via the desktop based on the \"Nickname\" of the macro. The macro you "
               "have "
               "chosen has no nickname assigned.  You will need to give the macro a nickname first.";
    for (std::size_t i = 0; i < nicknames.size(); ++i)
        if (i != index && nicknames[i] == name)
            return "A macro is activated via the desktop based on the \"Nickname\" of the macro. The macro "
                   "you "
                   "have chosen has the same nickname as another macro.  You will  need to change the "
                   "nickname "
                   "of one of these macros first.";
    return {};
}

std::string QuoteExecArgument(const std::string& utf8) {
    std::string quoted = "\"";
    for (char c : utf8) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    // The string escapes come on top of the quoting; "%" starts a field code.
    std::string value;
    for (char c : quoted) {
        if (c == '\\') value += '\\';
        if (c == '%') value += '%';
        value += c;
    }
    return value;
}

std::string LauncherFileName(const std::string& nickname1252) {
    std::string name = win::Cp1252ToUtf8(TrimBlanks(nickname1252));
    for (char& c : name)
        if (c == '/' || c == '\n' || c == '\r') c = '_';
    while (!name.empty() && name.front() == '.') name.erase(0, 1);
    if (name.empty()) name = "macro";
    return name + ".desktop";
}

namespace {

// A locale string value: no line breaks, backslashes escaped.
std::string EntryValue(const std::string& utf8) {
    std::string out;
    for (char c : utf8) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

}  // namespace

std::string LauncherText(const std::string& nickname1252, const std::string& playerPath,
                         const std::string& iconPath) {
    const std::string name = win::Cp1252ToUtf8(nickname1252);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Version=1.0\n"
           "Name=" +
           EntryValue(name) + "\nExec=" + QuoteExecArgument(playerPath) + " " +
           QuoteExecArgument("/A" + name) + "\nIcon=" + EntryValue(iconPath) + "\nTerminal=false\n";
}

LauncherPicture LauncherPictureFor(const std::string& iconName, const std::string& iconsDir,
                                   const QImage& player) {
    if (iconName != "MAIN" && iconName != "MENU") {
        const QString path = QString::fromStdString(iconsDir + "/" + iconName);
        // Only a regular file is read: a FIFO in its place would hang the editor.
        const QImage file = QFileInfo(path).isFile() ? QImage(path) : QImage();
        // The name comes from the macro file: it must not lead the picture out of its folder.
        std::string name = iconName;
        for (char& c : name)
            if (c == '/') c = '_';
        while (!name.empty() && name.front() == '.') name.erase(0, 1);
        if (!file.isNull() && !name.empty()) return {name, file};
    }
    return {"TESRUN", player};
}

std::string PlaceLauncher(const LauncherPlace& place, const std::string& nickname1252,
                          const LauncherPicture& picture) {
    // As the desktop itself would on its first start: the folder its settings name.
    if (!QDir().mkpath(QString::fromStdString(place.DesktopDir)))
        return "The desktop folder \"" + place.DesktopDir + "\" cannot be created.";
    if (!QDir().mkpath(QString::fromStdString(place.IconDir)))
        return "The folder \"" + place.IconDir + "\" cannot be created.";
    const std::string iconPath = place.IconDir + "/" + picture.Name + ".png";
    QByteArray png;
    QBuffer buffer(&png);
    std::string why;
    if (picture.Image.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.Image.save(&buffer, "PNG"))
        return "The picture \"" + win::OsToCp1252(iconPath) + "\" cannot be made.";
    if (!win::ReplaceRegularFile(iconPath, std::string_view(png.constData(), std::size_t(png.size())), why))
        return "The picture \"" + win::OsToCp1252(iconPath) + "\" cannot be written: " + why + ".";
    const std::string path = place.DesktopDir + "/" + LauncherFileName(nickname1252);
    if (!win::ReplaceRegularFile(path, LauncherText(nickname1252, place.PlayerPath, iconPath), why))
        return "The launcher \"" + win::OsToCp1252(path) + "\" cannot be written: " + why + ".";
    // Desktops run only launchers that are executable.
    if (::chmod(path.c_str(), 0755) != 0)
        return "The launcher \"" + win::OsToCp1252(path) +
               "\" cannot be made executable: " + win::ErrorText(errno) + ".";
    return {};
}

}  // namespace tessaro
