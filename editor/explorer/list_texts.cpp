#include "editor/explorer/list_texts.h"

#include <QFontMetrics>

#include "platform/cp1252.h"
#include "macro/macro_record.h"
#include "protocol/hotkey_names.h"

namespace tessaro {

namespace {

QString Text(const std::string& cp1252) { return QString::fromStdString(win::Cp1252ToUtf8(cp1252)); }

QString ActivationText(std::uint16_t code, const std::string& abbreviation, const char* snipraPrefix) {
    switch (code) {
        case acScheduled: return "Timed Macro";
        case acAbbreviation: return snipraPrefix + Text(abbreviation);
        case acNone: return "None";
        case acWindowTitle: return "Window Title";
        default: return code <= kMaxHotKeyCode ? Text(HotKeyNames(code)) : QString();
    }
}

QString ScopeText(std::uint16_t scope, const std::string& scopeText) {
    switch (scope) {
        case 1: return "GLOBAL";
        case 2: return "Window: " + Text(scopeText);
        case 3: return "Program: " + Text(scopeText);
        case 4: return "Popup Menu";
        case 5: return "SYSTEM";
        default: return {};
    }
}

}  // namespace

QString ListTitle(int col) {
    static const char* const kTitles[] = {"", "Icon", "Activation", "Nickname", "Scope"};
    return col >= 0 && col < 5 ? kTitles[col] : QString();
}

QString ListCellText(int col, int n, const TGlobData& glob, const TConfigRecord& config) {
    switch (col) {
        case 2: return ActivationText(glob.ActivationCode[n], config.MacroAbbreviations[n].str(), "");
        case 3: return Text(config.MacroNicknames[n].str());
        case 4: return ScopeText(glob.Scope[n], glob.ScopeText[n].str());
        default: return {};
    }
}

QString PrintActivationText(std::uint16_t activationCode, const std::string& abbreviation) {
    return ActivationText(activationCode, abbreviation, "Snipra: ");
}

QString PrintScopeText(std::uint16_t scope, const std::string& scopeText, bool topmostOnly) {
    QString text = ScopeText(scope, scopeText);
    if (scope == 2 || scope == 3) text += topmostOnly ? " (Topmost Only)" : " (If Running)";
    return text;
}

QString CutToWidth(const QString& text, int width, const QFontMetrics& metrics) {
    QString shown = text;
    while (!shown.isEmpty() && metrics.horizontalAdvance(shown) > width) shown.chop(1);
    return shown;
}

}  // namespace tessaro
