#include "editor/wizard/content_pages.h"
#include "editor/wizard/wizard_pages.h"

namespace tessaro {

std::vector<std::unique_ptr<WizardPageGroup>> MakeWizardPageGroups() {
    std::vector<std::unique_ptr<WizardPageGroup>> groups;
    groups.push_back(MakeActivationPages());
    groups.push_back(MakeContentPages());
    groups.push_back(MakeMenuPages());
    groups.push_back(MakeCombinedPages());
    groups.push_back(MakeSweepPages());
    return groups;
}

}  // namespace tessaro
