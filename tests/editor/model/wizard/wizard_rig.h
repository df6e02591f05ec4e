#pragma once
// A wizard run's surroundings in a temporary program folder: the macro being built, the
// trigger table, settings, the notices posted to the player, a simulated desktop and one
// installed program.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/model/wizard/wizard_answers.h"
#include "editor/model/wizard/wizard_context.h"
#include "platform/sim/sim_desktop.h"
#include "tests/support/temp_dir.h"

namespace tessaro::wizard::testing {

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

struct Rig {
    tessaro::testing::TempDir dir;
    std::unique_ptr<TMacroRecord> rec = std::make_unique<TMacroRecord>();
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();
    std::vector<std::pair<std::uint32_t, std::int32_t>> notices;
    win::sim::SimDesktop desktop;
    InstalledPrograms installed{Places()};
    WizardContext ctx{
        *rec,       *glob,
        *config,    [this](std::uint32_t code, std::int32_t arg) { notices.emplace_back(code, arg); },
        dir.path(), dir.file("Macros.mac"),
        desktop,    installed};

    // The installed programs are found on the path, as the scan requires.
    std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";

    Rig() {
        ::setenv("PATH", (dir.file("bin") + ":" + oldPath).c_str(), 1);
        WriteFile(dir.file("bin/notepad"), "#!/bin/sh\n");
        std::filesystem::permissions(dir.file("bin/notepad"), std::filesystem::perms::owner_all);
        WriteFile(dir.file("xdg/applications/notepad.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Notepad\nExec=notepad %f\n");
    }

    ~Rig() { ::setenv("PATH", oldPath.c_str(), 1); }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    XdgPlaces Places() const {
        XdgPlaces p;
        p.dataHome = dir.file("xdg");
        p.path = {dir.file("bin")};
        return p;
    }

    // A macro of the open file, as the trigger table and the settings index know it.
    int AddMacro(std::uint16_t scope, std::uint16_t code, const std::string& nick,
                 const char* scopeText = "") {
        const int n = ++glob->MacroCount;
        glob->Scope[n] = scope;
        glob->ActivationCode[n] = code;
        glob->ScopeText[n] = scopeText;
        config->MacroNicknames[static_cast<std::size_t>(n)] = nick;
        return n;
    }

    std::string File(const std::string& name, const std::string& bytes = "x") const {
        WriteFile(dir.file(name), bytes);
        return dir.file(name);
    }
};

}  // namespace tessaro::wizard::testing
