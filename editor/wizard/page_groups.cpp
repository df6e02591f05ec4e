#include "editor/wizard/wizard_pages.h"

namespace tessaro {

std::vector<std::unique_ptr<WizardPageGroup>> MakeWizardPageGroups() {
    std::vector<std::unique_ptr<WizardPageGroup>> groups;
    groups.push_back(MakeActivationPages());
    return groups;
}

}  // namespace tessaro
