#include "tests/support/scripted_file_chooser.h"

#include <QWidget>
#include <utility>

namespace tessaro::testing {

ScriptedFileChooser::ScriptedFileChooser(std::deque<std::string> queued)
    : answers(std::move(queued)), scope_(*this) {}

std::string ScriptedFileChooser::Choose(QWidget* owner, const FileChoice& choice) {
    asked.push_back(choice);
    owners.push_back(
        {owner && owner->isVisible(), owner && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint)});
    if (answers.empty()) return {};
    std::string path = std::move(answers.front());
    answers.pop_front();
    return path;
}

}  // namespace tessaro::testing
