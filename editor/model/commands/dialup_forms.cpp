#include "editor/model/commands/dialup_forms.h"

#include "editor/model/commands/display_forms.h"
#include "editor/model/commands/refusal.h"
#include "foundation/strings.h"

namespace tessaro {

DialForm DialDefaults() { return {1, "", "", ""}; }

DialForm DialPreset(const TDialRec& rec) {
    if (rec.Kind != 1) return {2, "", "", ""};
    return {1, rec.Entry, rec.UserName, SwapPasswordChars(rec.Password)};
}

int DialInitialSelection(const std::vector<std::string>& entries, bool newCommand, const std::string& entry) {
    if (newCommand || entry.empty()) return entries.empty() ? -1 : 0;
    return FindListEntry(entries, entry);
}

FormResult<DialFields> BuildDial(const DialForm& form, const std::vector<std::string>& entries,
                                 int selected) {
    if (form.Kind == 2)
        return Finish(DialFields{2, "", "", ""}, cmd::DialUpNetworking, TDialRec{2, "", "", ""});
    if (form.Kind != 1) return {};
    if (selected < 0 || selected >= static_cast<int>(entries.size()))
        return Fail<DialFields>(kNoPhoneEntry, "PhoneList");
    DialFields out;
    out.DialKind = 1;
    out.DialEntry = entries[static_cast<std::size_t>(selected)].substr(0, 255);
    out.DialUserName = FieldText(form.UserName);
    const std::string password = FieldText(form.Password);
    if (auto bad = CheckFreeText(out.DialUserName, "UserName")) return Refused<DialFields>(*bad);
    if (auto bad = CheckPassword(password, "Password")) return Refused<DialFields>(*bad);
    if (auto bad = CheckFreeText(out.DialEntry, "PhoneList")) return Refused<DialFields>(*bad);
    out.DialPassword = SwapPasswordChars(password);
    TDialRec rec{1, out.DialEntry, out.DialUserName, out.DialPassword};
    return Finish(std::move(out), cmd::DialUpNetworking, std::move(rec));
}

}  // namespace tessaro
