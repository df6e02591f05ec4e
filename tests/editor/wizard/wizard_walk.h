#pragma once
// A wizard function walked page by page as a person would: on each page the walk's own
// choices first, then whatever else the page needs to let Next through (a row chosen, a
// field typed), each by hand. What every page looked like can be checked on the way.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <functional>
#include <set>
#include <string>

#include "tests/editor/wizard/wizard_hand.h"

namespace tessaro::testing {

inline constexpr int kWalkHotKey = 154;  // Ctrl+Alt+K, and those after it

// Existing files and folders the pages may name.
struct WalkPlaces {
    std::string folder, text, bitmap, video, wave, document, program;
};

// The pages that ask for a file or folder, and the place each is given.
inline std::string PlaceFor(int page, const WalkPlaces& p) {
    switch (page) {
        case 12: return p.text;
        case 23: return p.bitmap;
        case 24: return p.video;
        case 25:
        case 49: return p.folder;
        case 32: return p.program;
        case 34: return p.document;
        case 46: return p.wave;
        default: return {};
    }
}

// The first hot key from kWalkHotKey on that no macro uses yet.
inline void ChooseFreeHotKey(TQuickWiz& form) {
    auto* list = form.Control<QListWidget>("P3KeyList");
    if (!list || !list->selectedItems().isEmpty()) return;
    for (int row = kWalkHotKey; row < list->count(); ++row)
        if (list->item(row)->text().endsWith("(Not in Use)")) return ClickRow(form, "P3KeyList", row);
}

// What the page still needs for Next to pass, given the answers on it so far.
inline void AnswerPage(TQuickWiz& form, int page, const WalkPlaces& places) {
    const auto empty = [&](const char* name) {
        if (auto* e = form.Control<QLineEdit>(name)) return e->text().trimmed().isEmpty();
        if (auto* m = form.Control<QPlainTextEdit>(name)) return m->toPlainText().isEmpty();
        return false;
    };
    const auto fill = [&](const char* name, const QString& text) {
        if (empty(name)) TypeInto(form, name, text);
    };
    const auto choose = [&](const char* name, int row) {
        auto* list = form.Control<QListWidget>(name);
        if (list && list->selectedItems().isEmpty() && row < list->count()) ClickRow(form, name, row);
    };
    const auto checked = [&](const char* name) {
        auto* b = form.Control<QAbstractButton>(name);
        return b && b->isChecked();
    };
    const QString place = QString::fromStdString(PlaceFor(page, places));
    switch (page) {
        case 3:
            if (checked("P2HotKey")) ChooseFreeHotKey(form);
            if (checked("P2Snipra")) fill("P3SnipraName", "wz");
            break;
        case 6: fill("P6ProgPath", "//server/share"); break;
        case 8:
            if (checked("P7SpecWin")) fill("P8Title", "Target");
            break;
        case 10: fill("P10Nick", QString("Walk %1").arg(form.WizardFunction())); break;
        case 12:
            if (checked("P13Text"))
                fill("P12MyMemo", "pasted");
            else
                fill("P12Path", place);
            break;
        case 14: fill("P14MyMemo", "typed"); break;
        case 26: fill("P26MyMemo", "remember"); break;
        case 15:
        case 16: choose(page == 15 ? "P15SettingBox" : "P16SettingBox", 0); break;
        case 18:
        case 19: choose(page == 18 ? "P18Format" : "P19Format", 0); break;
        case 22: fill("P22URL", "www.example.com"); break;
        case 23: fill("P23Bit", place); break;
        case 24: fill("P24Path", place); break;
        case 25:
            if (checked("P25Folder")) fill("P25Path", place);
            break;
        case 28:
            choose("P28PhoneList", 0);
            fill("P28UserName", "walker");
            fill("P28Password", "pw");
            break;
        case 31:
            if (checked("P31Yes")) fill("P31Path", QString::fromStdString(places.folder));
            break;
        case 32:
            if (!checked("P32ProgPath")) Click(form, "P32ProgPath");
            fill("P32Path", place);
            break;
        case 33:
        case 37:
        case 40: fill(page == 33 ? "P33Title" : page == 37 ? "P37Title" : "P40Title", "Target"); break;
        case 34: fill("P34Path", place); break;
        case 36:
            fill("P36Width", "100");
            fill("P36Height", "100");
            break;
        case 46: fill("P46FName", place); break;
        case 49:
            fill("P49Path", place);
            if (!checked("P48ChangeDir") && !checked("P48CreateFolder") && !checked("P48DeleteFile"))
                fill("P49NewName", QString::fromStdString(places.folder + "/copy"));
            break;
        case 50: choose("P50Macros", 0); break;
        case 59:
            if (checked("P59No")) Click(form, "P59Yes");
            break;
        case 62: choose("P62ProgList", 0); break;
        case 64:
            if (auto* list = form.Control<QListWidget>("P64NewBox"); list && list->count() == 0) {
                choose("P64AvailBox", 0);
                Click(form, "P64AddButton");
            }
            break;
        case 71: fill("P71URL", "prizes.example.org"); break;
        case 74: fill("P74Port", "25"); break;
        case 76:
            if (auto* box = form.Control<QListWidget>("P76AddressBox"); box && box->selectedItems().isEmpty())
                fill("P76Address", "walker@example.com");
            break;
        default: break;
    }
}

struct Walk {
    // The walk's own answers on a page, before AnswerPage fills what is left.
    std::function<void(TQuickWiz&, int page)> choose = [](TQuickWiz&, int) {};
    // Every page as it is first shown.
    std::function<void(TQuickWiz&, int page)> seen = [](TQuickWiz&, int) {};
};

// From the page on screen to Finish. False when a page kept the wizard (its message is the
// last box shown) or when the wizard did not close at Finish.
inline bool WalkToFinish(TQuickWiz& form, const WalkPlaces& places, const Walk& walk,
                         std::set<int>* pagesSeen = nullptr) {
    for (int steps = 0; steps < 40 && form.isVisible(); ++steps) {
        const int page = form.CurrentPage();
        if (!pagesSeen || pagesSeen->insert(page).second) walk.seen(form, page);
        walk.choose(form, page);
        AnswerPage(form, page, places);
        const int before = form.CurrentIndex();
        Next(form);
        if (form.isVisible() && form.CurrentIndex() == before) return false;
    }
    return !form.isVisible();
}

}  // namespace tessaro::testing
