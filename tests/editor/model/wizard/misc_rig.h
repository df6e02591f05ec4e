#pragma once
// A wizard context over a temporary program folder and macro file, with the player's
// notices recorded.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/model/wizard/wizard_context.h"
#include "macro/macro_file.h"
#include "platform/desktop.h"
#include "platform/sim/sim_platform.h"
#include "tests/support/temp_dir.h"

namespace tessaro::testing {

struct MiscRig {
    win::sim::SimPlatform platform;
    TempDir dir;
    TMacroRecord current;
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();
    InstalledPrograms programs{XdgPlaces{}};
    std::vector<std::pair<std::uint32_t, std::int32_t>> notices;
    wizard::WizardContext ctx{
        current,
        *glob,
        *config,
        [this](std::uint32_t code, std::int32_t arg) { notices.emplace_back(code, arg); },
        dir.path(),
        dir.file("macros.qtm"),
        platform.desktop(),
        programs};

    MiscRig() { CreateEmptyMacroFile(ctx.macroFile); }

    // Appends the macro to the file and lists it in the trigger table and the settings as
    // the explorer does.
    int Add(const TMacroRecord& rec) {
        const int n = ++glob->MacroCount;
        WriteMacroRecordAt(ctx.macroFile, -1, rec);
        glob->Scope[n] = rec.Scope;
        glob->ScopeText[n] = std::string(rec.ScopeText.view()).substr(0, 20);
        glob->ActivationCode[n] = rec.ActivationCode;
        config->MacroNicknames[n] = rec.Nickname.view();
        config->MacroAbbreviations[n] = rec.Abbreviation.view();
        return n;
    }
};

}  // namespace tessaro::testing
