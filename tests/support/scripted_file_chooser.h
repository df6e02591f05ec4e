#pragma once
// Answers the programs' file dialogs while it lives: each dialog takes the next queued path
// (none left, or an empty one: cancelled), and what each dialog asked is kept.
#include <deque>
#include <string>
#include <vector>

#include "widgets/file_chooser.h"

namespace tessaro::testing {

class ScriptedFileChooser final : public FileChooser {
public:
    explicit ScriptedFileChooser(std::deque<std::string> queued = {});

    std::string Choose(QWidget* owner, const FileChoice& choice) override;

    // How the window that asked stood while the user chose.
    struct Owner {
        bool shown = false;
        bool onTop = false;
    };

    std::deque<std::string> answers;
    std::vector<FileChoice> asked;
    std::vector<Owner> owners;  // one for each of `asked`

private:
    ScopedFileChooser scope_;
};

}  // namespace tessaro::testing
