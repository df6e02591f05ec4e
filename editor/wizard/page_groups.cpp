#include "editor/wizard/builder_pages.h"
#include "editor/wizard/content_pages.h"
#include "editor/wizard/email_pages.h"
#include "editor/wizard/single_command_page.h"
#include "editor/wizard/wizard_pages.h"

namespace tessaro {

std::vector<std::unique_ptr<WizardPageGroup>> MakeWizardPageGroups(WizardHosts& hosts) {
    std::vector<std::unique_ptr<WizardPageGroup>> groups;
    groups.push_back(MakeActivationPages());
    groups.push_back(MakeContentPages(hosts.printers, hosts.display));
    groups.push_back(MakeCapturePages());
    groups.push_back(MakeFirstUsePages());
    groups.push_back(MakeSingleCommandPages(hosts.commands));
    groups.push_back(MakeEmailPages(hosts.recipients, hosts.runner));
    groups.push_back(MakeMenuPages());
    groups.push_back(MakeCombinedPages());
    groups.push_back(MakeSweepPages(hosts.messages));
    return groups;
}

}  // namespace tessaro
