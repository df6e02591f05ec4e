#pragma once
// The editor's help: the HTML help beside the help file, opened by the desktop's opener
// at the keyword's anchor. A missing help page is said, as the player says it.
#include <string>

#include <QUrl>

#include "editor/commands/command_dialog.h"

namespace tessaro {

// "<folder of helpFile>/TESSARO.html", with `keyword` as its fragment unless empty.
QUrl HelpPageUrl(const std::string& helpFile, std::string_view keyword);

class XdgHelpViewer final : public HelpViewer {
public:
    void ShowTopic(QWidget* owner, const std::string& helpFile, std::string_view keyword) override;
};

}  // namespace tessaro
