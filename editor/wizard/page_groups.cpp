#include "editor/wizard/builder_pages.h"
#include "editor/wizard/content_pages.h"
#include "editor/wizard/wizard_pages.h"

namespace tessaro {

std::vector<std::unique_ptr<WizardPageGroup>> MakeWizardPageGroups() {
    std::vector<std::unique_ptr<WizardPageGroup>> groups;
    groups.push_back(MakeActivationPages());
    groups.push_back(MakeContentPages());
    groups.push_back(MakeCapturePages());
    groups.push_back(MakeFirstUsePages());
    return groups;
}

}  // namespace tessaro
