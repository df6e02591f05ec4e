#include "editor/model/commands/nick_forms.h"

#include <QString>
#include <algorithm>

#include "editor/model/commands/refusal.h"
#include "foundation/config_record.h"
#include "foundation/strings.h"
#include "protocol/glob_data.h"

namespace tessaro {

std::vector<std::string> NickListOf(const TGlobData& glob, const TConfigRecord& config) {
    std::vector<std::string> names;
    const int count = std::clamp(glob.MacroCount, 0, kMaxMacros);
    for (int n = 1; n <= count; ++n) {
        if (glob.Scope[n] == 5) continue;
        std::string nick = config.MacroNicknames[static_cast<std::size_t>(n)].str();
        if (!TrimBlanks(nick).empty()) names.push_back(std::move(nick));
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return QString::fromLatin1(a).compare(QString::fromLatin1(b), Qt::CaseInsensitive) < 0;
    });
    return names;
}

NickForm NickDefaults() { return {1, "", ""}; }

NickForm NickPreset(const TMacroRefRec& rec) { return {rec.Kind, rec.Nickname, ""}; }

std::string NickUseHighlightedQuestion(const std::string& nickname) {
    return "No nickname has been entered.  \"" + nickname +
           "\" is currently highlighted.  Would you like to use it?";
}

bool NickNeedsQuestion(const NickForm& form) {
    return FieldText(form.ProgPath).empty() && !form.Highlighted.empty();
}

FormResult<NickFields> BuildNick(const NickForm& form, bool useHighlighted) {
    std::string nick = FieldText(form.ProgPath);
    if (nick.empty()) {
        if (form.Highlighted.empty()) return Fail<NickFields>(kNoNickname, "ProgPath");
        if (!useHighlighted) return Fail<NickFields>("", "ProgPath");
        nick = form.Highlighted;
    }
    if (auto bad = CheckFreeText(nick, "ProgPath")) return Refused<NickFields>(*bad);
    const RadioChoice* choice = ChoiceOfKind(kNickChoices, form.Kind);
    if (!choice) return {};
    NickFields out{nick, form.Kind};
    return Finish(std::move(out), choice->code, TMacroRefRec{form.Kind, nick});
}

}  // namespace tessaro
