#include "foundation/helper_programs.h"

#include <unistd.h>

#include <QProcess>
#include <QString>
#include <QUrl>
#include <filesystem>

#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "platform/paths.h"

namespace tessaro {

namespace {

void Error(const std::string& text) {
    win::MessageBox(text, "Error", win::MbButtons::Ok, win::MbIcon::Error);
}

}  // namespace

std::string MouseLocatorPath(const std::string& programsDir) {
    return win::JoinPath(programsDir, kMouseLocatorProgram);
}

std::string HomePagePath(const std::string& programsDir) { return win::JoinPath(programsDir, kHomePageFile); }

std::string HomePageAddress(const std::string& programsDir) {
    return QUrl::fromLocalFile(QString::fromStdString(HomePagePath(programsDir)))
        .toString(QUrl::FullyEncoded)
        .toStdString();
}

bool StartMouseLocator(const std::string& programsDir) {
    const std::string program = MouseLocatorPath(programsDir);
    const std::string named = "The mouse locator " + win::Utf8ToCp1252(program);
    if (::access(program.c_str(), X_OK) != 0) {
        Error(named + " could not be found.");
        return false;
    }
    if (!QProcess::startDetached(QString::fromStdString(program), {kMouseLocatorParameters})) {
        Error(named + " could not be started.");
        return false;
    }
    return true;
}

bool OpenHomePage(const std::string& programsDir) {
    const std::string page = HomePagePath(programsDir);
    const std::string named = "The home page " + win::Utf8ToCp1252(page);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(page, ec)) {
        Error(named + " could not be found.");
        return false;
    }
    if (!QProcess::startDetached(QStringLiteral("xdg-open"),
                                 {QString::fromStdString(HomePageAddress(programsDir))})) {
        Error(named + " could not be opened.");
        return false;
    }
    return true;
}

}  // namespace tessaro
