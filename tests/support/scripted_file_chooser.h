#pragma once
// Answers the programs' file dialogs while it lives: each dialog takes the next queued path
// (none left: cancelled), and what each dialog asked is kept.
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "widgets/file_chooser.h"

namespace tessaro::testing {

class ScriptedFileChooser final : public FileChooser {
public:
    explicit ScriptedFileChooser(std::deque<std::string> queued = {})
        : answers(std::move(queued)), scope_(*this) {}

    std::string Choose(QWidget*, const FileChoice& choice) override {
        asked.push_back(choice);
        if (answers.empty()) return {};
        std::string path = std::move(answers.front());
        answers.pop_front();
        return path;
    }

    std::deque<std::string> answers;
    std::vector<FileChoice> asked;

private:
    ScopedFileChooser scope_;
};

}  // namespace tessaro::testing
