#include "editor/explorer/tools/help_viewer.h"

#include <QFileInfo>
#include <QProcess>
#include <filesystem>

#include "platform/cp1252.h"
#include "platform/message_box.h"

namespace tessaro {

QUrl HelpPageUrl(const std::string& helpFile, std::string_view keyword) {
    const std::string page = std::filesystem::path(helpFile).parent_path().string() + "/TESSARO.html";
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(page));
    if (!keyword.empty()) url.setFragment(QString::fromStdString(win::Cp1252ToUtf8(keyword)));
    return url;
}

void XdgHelpViewer::ShowTopic(QWidget*, const std::string& helpFile, std::string_view keyword) {
    const QUrl page = HelpPageUrl(helpFile, {});
    if (!QFileInfo(page.toLocalFile()).isFile()) {
        win::MessageBox(
            "The help file " + win::Utf8ToCp1252(page.toLocalFile().toStdString()) + " could not be found.",
            "Error", win::MbButtons::Ok, win::MbIcon::Error);
        return;
    }
    QProcess::startDetached(QStringLiteral("xdg-open"),
                            {HelpPageUrl(helpFile, keyword).toString(QUrl::FullyEncoded)});
}

}  // namespace tessaro
