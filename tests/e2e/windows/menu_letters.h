#pragma once
// Two items of one menu (or of one menu bar) that take the same underlined letter: pressing
// it then only moves the highlight between them. Each menu a window holds is looked at.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QWidget>

#include <map>
#include <string>
#include <vector>

namespace tessaro::testing {

// The letter after a single "&" ("&&" is a plain "&"); none when the caption has no mark.
inline QChar MenuLetter(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return {};
}

// A menu of more lettered items than the alphabet has letters (the script editor's 36
// commands) cannot give each its own; there a letter goes from item to item, as users of
// such menus expect, and the menu is not looked at, unless `crowdedIsFault`: then that it
// is crowded is the fault.
inline std::vector<std::string> LetterClashes(const QWidget& menu, const std::string& name,
                                              bool crowdedIsFault = false) {
    std::map<QChar, QString> taken;
    std::vector<std::string> out;
    int lettered = 0;
    for (const QAction* a : menu.actions())
        if (!a->isSeparator() && a->isVisible() && !MenuLetter(a->text()).isNull()) ++lettered;
    if (lettered > 26) {
        if (crowdedIsFault) out.push_back(name + ": " + std::to_string(lettered) + " items for 26 letters");
        return out;
    }
    for (const QAction* a : menu.actions()) {
        if (a->isSeparator() || !a->isVisible()) continue;
        const QChar letter = MenuLetter(a->text());
        if (letter.isNull()) continue;
        const auto [at, fresh] = taken.emplace(letter, a->text());
        if (!fresh)
            out.push_back(name + ": \"" + at->second.toStdString() + "\" and \"" + a->text().toStdString() +
                          "\" both take the letter " + QString(letter).toUpper().toStdString());
    }
    return out;
}

// The menu `menu` and every menu under it.
inline void MenuClashes(const QWidget& menu, const std::string& name, std::vector<std::string>& out,
                        bool crowdedIsFault = false) {
    for (const std::string& f : LetterClashes(menu, name, crowdedIsFault)) out.push_back(f);
    for (const QAction* a : menu.actions())
        if (a->menu() && a->isVisible())
            MenuClashes(*a->menu(), name + " > " + QString(a->text()).remove('&').toStdString(), out,
                        crowdedIsFault);
}

// Every menu bar of a window, with its menus.
inline std::vector<std::string> WindowMenuClashes(const QWidget& window, bool crowdedIsFault = false) {
    std::vector<std::string> out;
    for (const QMenuBar* bar : window.findChildren<QMenuBar*>())
        MenuClashes(*bar, "menu bar", out, crowdedIsFault);
    return out;
}

}  // namespace tessaro::testing
