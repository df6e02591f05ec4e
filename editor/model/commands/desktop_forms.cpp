#include "editor/model/commands/desktop_forms.h"

#include "editor/model/commands/file_forms.h"
#include "editor/model/commands/refusal.h"

namespace tessaro {

bool DeskChoiceEnabled(std::int32_t kind, bool ie4Installed) { return ie4Installed || kind <= 3; }

FormResult<DeskFields> BuildDesk(std::int32_t kind) {
    const RadioChoice* choice = ChoiceOfKind(kDeskChoices, kind);
    if (!choice) return {};
    return Finish(DeskFields{kind}, choice->code, TDeskRec{kind});
}

FormResult<ExploreFields> BuildExplore(const std::string& progPath) {
    const std::string folder = FieldText(progPath);
    if (!FolderExistsAt(folder))
        return Fail<ExploreFields>("Specified folder does not exist.  Please correct.", "ProgPath");
    if (auto bad = CheckFreeText(folder, "ProgPath")) return Refused<ExploreFields>(*bad);
    return Finish(ExploreFields{folder}, cmd::OpenFolderInExplorer, TNameRec{folder});
}

}  // namespace tessaro
