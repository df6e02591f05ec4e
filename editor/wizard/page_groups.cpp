#include "editor/wizard/content_pages.h"
#include "editor/wizard/wizard_pages.h"

namespace tessaro {

std::vector<std::unique_ptr<WizardPageGroup>> MakeWizardPageGroups() {
    std::vector<std::unique_ptr<WizardPageGroup>> groups;
    groups.push_back(MakeActivationPages());
    groups.push_back(MakeContentPages());
    return groups;
}

}  // namespace tessaro
