#pragma once
// Stand-ins for what the dialogs ask of the explorer and the desktop.
#include <optional>
#include <string>
#include <vector>

#include "editor/commands/chooser.h"
#include "editor/commands/media_dialogs.h"
#include "foundation/config_record.h"

namespace tessaro::testing {

class FakePicker final : public ProgramPicker {
public:
    std::optional<std::string> answer;
    int asked = 0;
    std::optional<std::string> PickProgram(QWidget*) override {
        ++asked;
        return answer;
    }
};

class FakeChooser final : public PathChooser {
public:
    std::optional<std::string> file, folder;
    std::vector<std::string> filters;
    std::optional<std::string> ChooseFile(QWidget*, const QString&, const std::string& filter) override {
        filters.push_back(filter);
        return file;
    }
    std::optional<std::string> ChooseFolder(QWidget*, const QString&) override { return folder; }
};

// Stands in for the options dialog: sets the path it was told to.
class FakePathEditor final : public RecipientPathEditor {
public:
    explicit FakePathEditor(TConfigRecord& config) : config_(config) {}
    std::string newPath;
    int asked = 0;
    void EditRecipientPath(QWidget*) override {
        ++asked;
        config_.EMailPath = newPath;
    }
    int saved = 0;
    void RecipientListSaved() override { ++saved; }

private:
    TConfigRecord& config_;
};

class NoSoundCard final : public MixerHost, public MixerControls {
public:
    int opened = 0;
    MixerControls& OpenMixer() override {
        ++opened;
        return *this;
    }
    bool Available(int) override { return false; }
};

}  // namespace tessaro::testing
