#pragma once
// The page groups of the macro builder's own pages: the capture function (59-63) and the
// first-use function (65-70, 74).
#include <memory>

#include "editor/wizard/wizard_pages.h"

namespace tessaro {

std::unique_ptr<WizardPageGroup> MakeCapturePages();   // 59-63
std::unique_ptr<WizardPageGroup> MakeFirstUsePages();  // 65-70, 74

}  // namespace tessaro
