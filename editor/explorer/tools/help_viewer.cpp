#include "editor/explorer/tools/help_viewer.h"

#include <QProcess>
#include <filesystem>

#include "platform/cp1252.h"

namespace tessaro {

QUrl HelpPageUrl(const std::string& helpFile, std::string_view keyword) {
    const std::string page = std::filesystem::path(helpFile).parent_path().string() + "/TESSARO.html";
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(page));
    if (!keyword.empty()) url.setFragment(QString::fromStdString(win::Cp1252ToUtf8(keyword)));
    return url;
}

void XdgHelpViewer::ShowTopic(QWidget*, const std::string& helpFile, std::string_view keyword) {
    QProcess::startDetached(QStringLiteral("xdg-open"),
                            {HelpPageUrl(helpFile, keyword).toString(QUrl::FullyEncoded)});
}

}  // namespace tessaro
