#include "editor/model/macro_forms/mod_hot_keys.h"

#include <filesystem>

#include "editor/model/macro_forms/text_aids.h"
#include "foundation/strings.h"
#include "macro/nickname.h"
#include "platform/cp1252.h"

namespace tessaro {

namespace {

constexpr std::string_view kSnipraPunctuation = "!#$%&*+,-./;<=>?@^_";

ModHotKeysUpdate Refuse(std::string message, EntryFocus focus) {
    ModHotKeysUpdate u;
    u.message = std::move(message);
    u.focus = focus;
    return u;
}

}  // namespace

KindControls ControlsOfKind(int kind) {
    KindControls c;
    switch (kind) {
        case 2: c = {true, "Timed Macros", 7, false, true, false, 10, false, true}; break;
        case 3: c = {true, "Snipra", 1, false, false, true, 10, true, true}; break;
        case 7: c = {true, "Window Title", 7, false, false, true, 20, false, false}; break;
        default: break;
    }
    return c;
}

ModHotKeysView PrepareModHotKeys(TMacroRecord& rec, bool modifyExisting, bool globalKeyTaken,
                                 int activationKind, const TConfigRecord& config,
                                 const std::string& iconsDir) {
    ModHotKeysView v;
    const std::uint16_t configuredErase = config.SnipraNoRemove ? 2 : 1;
    if (modifyExisting) {
        v.nickname = win::ToQt(rec.Nickname.view());
        v.text = FromStoredText(GetMacroText(rec));
        v.scope = rec.Scope == scGlobal   ? ScopeChoice::Global
                  : rec.Scope == scWindow ? ScopeChoice::Window
                                          : ScopeChoice::Program;
        v.iconFile = std::string(rec.IconName.view());
        if (v.iconFile != "MAIN") {
            std::error_code ec;
            if (v.iconFile.empty() || !std::filesystem::is_regular_file(iconsDir + "/" + v.iconFile, ec))
                v.iconFile = "MAIN";
        }
        if (rec.AbbrevCase < 1 || rec.AbbrevCase > 3) rec.AbbrevCase = std::uint16_t(config.SnipraCaseMode);
        if (rec.AbbrevErase != 1 && rec.AbbrevErase != 2) rec.AbbrevErase = configuredErase;
    } else {
        v.scope = ScopeChoice::Global;
        if (activationKind != 7) rec.ScopeText = "";
        rec.TopmostOnly = 1;
        rec.AbbrevCase = std::uint16_t(config.SnipraCaseMode);
        rec.AbbrevErase = configuredErase;
        v.iconFile = "MAIN";
    }
    if (globalKeyTaken) {
        if (v.scope == ScopeChoice::Global) v.scope = ScopeChoice::Window;
        v.globalEnabled = false;
    }
    v.controls = ControlsOfKind(activationKind);
    if (activationKind == 3) v.snipraName = win::ToQt(rec.Abbreviation.view());
    if (activationKind == 7) v.snipraName = win::ToQt(rec.ScopeText.view());
    return v;
}

QString ModHotKeysCaption(ScopeChoice scope, const std::string& scopeText) {
    switch (scope) {
        case ScopeChoice::Program: return "Modify Hot Key  (Program: " + win::ToQt(scopeText) + ")";
        case ScopeChoice::Window: return "Modify Hot Key  (Window Title: " + win::ToQt(scopeText) + ")";
        case ScopeChoice::Global: break;
    }
    return "Modify Hot Key  (GLOBAL)";
}

bool IsSnipraCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           kSnipraPunctuation.find(c) != std::string_view::npos;
}

std::string SnipraNameProblem(const std::string& trimmed) {
    if (trimmed.empty()) return kNoSnipraName;
    for (char c : trimmed)
        if (!IsSnipraCharacter(c)) return kBadSnipraName;
    return {};
}

ModHotKeysUpdate UpdateModHotKeys(const TMacroRecord& current, const ModHotKeysEntry& entry,
                                  bool truncateAgreed, double now) {
    const int kind = entry.activationKind;
    std::string name;  // the trimmed Snipra name or window title
    if (kind == 3 || kind == 7) {
        const StoredText typed = ToStoredText(entry.snipraName, false);
        if (!typed.ok) return Refuse(win::Utf8ToCp1252(typed.problem.toStdString()), EntryFocus::SnipraName);
        name = TrimBlanks(typed.bytes);
        if (kind == 3) {
            if (std::string problem = SnipraNameProblem(name); !problem.empty())
                return Refuse(problem, EntryFocus::SnipraName);
        } else if (name.empty()) {
            return Refuse(kNoWindowTitle, EntryFocus::SnipraName);
        }
    }
    const StoredText nick = ToStoredText(entry.nickname, false);
    if (!nick.ok) return Refuse(win::Utf8ToCp1252(nick.problem.toStdString()), EntryFocus::NickName);
    StoredText text = ToStoredText(entry.text, true);
    if (!text.ok) return Refuse(win::Utf8ToCp1252(text.problem.toStdString()), EntryFocus::NewFormat);
    if (text.bytes.size() > kMacroTextCapacity) {
        if (!truncateAgreed) {
            ModHotKeysUpdate ask;
            ask.status = ModHotKeysUpdate::Status::AskTruncation;
            ask.message = kTruncateQuestion;
            return ask;
        }
        text.bytes.resize(kMacroTextCapacity);
    }

    ModHotKeysUpdate u;
    u.status = ModHotKeysUpdate::Status::Stored;
    TMacroRecord& r = u.record;
    r = current;
    if (!entry.modifyExisting) r.Enabled = 1;
    r.Nickname = OneLineNickname(nick.bytes);
    r.IconName = entry.iconFile;
    r.Scope = entry.scope == ScopeChoice::Global   ? scGlobal
              : entry.scope == ScopeChoice::Window ? scWindow
                                                   : scProgram;
    r.Abbreviation = kind == 3 ? name : std::string();
    if (kind == 7) r.ScopeText = name;
    SetMacroText(r, text.bytes);
    r.LastModified = now;
    return u;
}

}  // namespace tessaro
