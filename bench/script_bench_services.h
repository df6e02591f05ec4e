#pragma once
// The script editor's services for the benchmarks: every "Load Text File" run asks for one
// file to be edited as lines; the explorer's dialogs answer nothing.
#include <string>
#include <utility>

#include "editor/script/ui/script_editor_services.h"

namespace tessaro::bench {

class OpensTheFile final : public ScriptEditorServices {
public:
    explicit OpensTheFile(std::string path) : path_(std::move(path)) {}
    CommandOutcome EditCommand(QWidget*, ScriptList&, const CommandRequest&) override {
        return {false, path_};
    }
    std::string ChooseWindowOrProgram(QWidget*, const std::string&, bool, bool&) override { return {}; }
    void SetSchedule(QWidget*, TMacroRecord&) override {}
    void SnipraProperties(QWidget*, TMacroRecord&) override {}

private:
    std::string path_;
};

}  // namespace tessaro::bench
