#include "editor/model/tools/browser_repair.h"

namespace tessaro {

namespace {

void ForgetSavedValues(TConfigRecord& config) {
    config.IE5Server.assign("");
    config.IE5TypeLib.assign("");
    config.IE5Version.assign("");
}

}  // namespace

RepairStep BrowserFixQuestion() {
    static constexpr const char* kLines[] = {
        "It is possible for some versions of Internet Explorer 5.0 to not",
        "install properly.  When this occurs, some Windows registry entries",
        "are not updated to reflect changes to some of the installed files.  As a",
        "result, certain Tessaro commands may no longer work.  These include",
        "the desktop commands such as minimize all, running the run or find dialog,",
        "opening explorer to control panel, etc.  If you have installed Internet",
        "Explorer 5.0 and find that these Tessaro functions no longer work,",
        "then you can click on the \"Yes\" button below to have Tessaro",
        "patch the Windows Registry so that they will work correctly.  Your",
        "original registry values that Tessaro changes will be saved so that",
        "you can change them back if you ever desire to.",
        "Proceed with the fix?",
    };
    std::string text;
    for (const char* line : kLines) text += std::string(line) + "\r\n";
    return {"IE5 Fix", text};
}

RepairStep BrowserRestoreQuestion() {
    return {"Restore Registry",
            "This option will restore the 3 or 4 registry values that were modified\r\n"
            "by using the \"Internet Explorer 5.0 Fix\" option.\r\n\r\nProceed with the restore?"};
}

RepairStep BrowserFixConfirmed(TConfigRecord& config) {
    ForgetSavedValues(config);
    return {"Error", "Unabled to change registry values.  Registry update not applied."};
}

RepairStep BrowserRestoreConfirmed(TConfigRecord& config) {
    ForgetSavedValues(config);
    return {"Error", "Unabled to write registry values.  Registry update not applied."};
}

}  // namespace tessaro
