#pragma once
// Opens windows as a user does (a menu item, a button) and takes each one that comes up: its
// frame on the server must lie inside the work area, each of its controls inside the window,
// no caption cut short where the manager draws it, no two items of one of its menus on the same
// letter, and a dialog offers no resizing or maximising and is never minimised; then it is gone through (its
// own buttons) and closed, a box answered with its escape button. Nested windows are taken the
// same way.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLayout>
#include <QRadioButton>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/windows/menu_letters.h"
#include "tests/support/visible_form.h"
// Xlib's macros come with the desktop: last.
#include "tests/e2e/windows/box_check.h"

namespace tessaro::testing {

class WindowWalk {
public:
    struct Seen {
        std::string path;    // how it was opened
        std::string window;  // its title and class
        std::vector<std::string> faults;
    };
    // Goes through a window that came up before it is closed.
    using Inside = std::function<void(QWidget& window, const std::string& path)>;

    explicit WindowWalk(const WindowsDesktop& desktop) : desktop_(desktop) {}

    // Runs `open` and takes every window that comes up meanwhile, or a moment after (a
    // window that does not hold its caller). The number of windows taken.
    int Open(const std::string& path, const std::function<void()>& open, const Inside& inside = {}) {
        const int taken = Watch(path, open, inside);
        if (taken == 0) noWindow_.push_back(path);
        return taken;
    }

    const std::vector<Seen>& seen() const { return seen_; }
    // The paths that brought up no window.
    const std::vector<std::string>& noWindow() const { return noWindow_; }
    std::vector<std::string> Faults() const {
        std::vector<std::string> out;
        for (const Seen& s : seen_)
            for (const std::string& f : s.faults) out.push_back(s.path + ": " + f);
        return out;
    }

    // Clicks a button of a window being gone through, taking what it opens.
    int Click(const std::string& path, QAbstractButton& button, const Inside& inside = {}) {
        QPointer<QAbstractButton> b(&button);
        return Open(
            path,
            [b] {
                if (b) b->click();
            },
            inside);
    }

private:
    // How long after its opener returned a window may still come; a box that asks on
    // closing comes at once.
    static constexpr int kLateWindowMs = 200;
    static constexpr int kClosingBoxMs = 60;

    int Watch(const std::string& path, const std::function<void()>& open, const Inside& inside,
              int lateMs = kLateWindowMs) {
        std::vector<QPointer<QWidget>> known = ShownWindows();
        int taken = 0;
        bool busy = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (busy) return;
            QWidget* w = NewWindow(known);
            if (!w) return;
            busy = true;
            known.emplace_back(w);
            ++taken;
            Take(path, *w, inside);
            busy = false;
        });
        watch.start(25);
        open();
        QTest::qWait(lateMs);
        watch.stop();
        return taken;
    }

    static bool IsPlacedWindow(const QWidget* w) {
        if (!w || !w->isWindow() || !w->isVisible()) return false;
        const Qt::WindowType type = w->windowType();
        return type == Qt::Window || type == Qt::Dialog || type == Qt::Tool;
    }
    static std::vector<QPointer<QWidget>> ShownWindows() {
        std::vector<QPointer<QWidget>> out;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (IsPlacedWindow(w)) out.emplace_back(w);
        return out;
    }
    static bool Known(const std::vector<QPointer<QWidget>>& known, const QWidget* w) {
        for (const QPointer<QWidget>& k : known)
            if (k == w) return true;
        return false;
    }
    // The modal window on top first: it is the one the user faces.
    static QWidget* NewWindow(const std::vector<QPointer<QWidget>>& known) {
        QWidget* modal = QApplication::activeModalWidget();
        if (IsPlacedWindow(modal) && !Known(known, modal)) return modal;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (IsPlacedWindow(w) && !Known(known, w)) return w;
        return nullptr;
    }

    void Take(const std::string& path, QWidget& window, const Inside& inside) {
        // A box that comes while its owner is closed the second time lets it go.
        const bool answerYes = accepting_;
        QPointer<QWidget> w(&window);
        Seen s{path, WindowsDesktop::Describe(window), {}};
        if (const std::string fault = desktop_.FrameFault(window); !fault.empty()) s.faults.push_back(fault);
        if (const std::string fault = CaptionFault(window); !fault.empty()) s.faults.push_back(fault);
        for (const std::string& f : VisibleFaults(window)) s.faults.push_back(s.window + ": " + f);
        for (const std::string& f : WindowMenuClashes(window)) s.faults.push_back(s.window + ": " + f);
        seen_.push_back(s);
        const std::size_t mine = seen_.size() - 1;
        if (w && !qobject_cast<QMessageBox*>(w.data())) MakeChoices(path + " > " + s.window, *w);
        if (inside && w) inside(*w, path + " > " + s.window);
        // Every dialog has a dialog's frame (last: a minimise undone leaves it where the manager
        // puts it back).
        if (w && w->isVisible() && w->windowType() == Qt::Dialog)
            for (const std::string& f : DialogFrameFaults(desktop_, *w)) seen_[mine].faults.push_back(f);
        for (int attempt = 0; attempt < 2 && w && w->isVisible(); ++attempt) {
            // A window that asks before it goes hears "No" first, then its box's "Yes".
            const bool saved = accepting_;
            accepting_ = attempt > 0;
            Watch(
                path + " > closing " + s.window,
                [this, w, answerYes] {
                    if (!w) return;
                    if (answerYes)
                        CloseAccepting(*w);
                    else
                        CloseNow(*w);
                },
                {}, kClosingBoxMs);
            accepting_ = saved;
        }
        if (w && w->isVisible()) {
            seen_[mine].faults.push_back(s.window + " could not be closed");
            w->hide();
        }
    }

    // The frame stands in the middle of the work area (rounded toward zero, as it is placed;
    // a label that settles its height a moment later may leave it two pixels off).
    bool Centred(const QRect& frame) const {
        const QRect area = desktop_.WorkArea();
        return std::abs(frame.x() - (area.x() + (area.width() - frame.width()) / 2)) <= 2 &&
               std::abs(frame.y() - (area.y() + (area.height() - frame.height()) / 2)) <= 2;
    }

    static std::vector<const QWidget*> VisibleControls(const QWidget& window) {
        std::vector<const QWidget*> out;
        for (const QWidget* c : window.findChildren<QWidget*>())
            if (c->isVisible()) out.push_back(c);
        return out;
    }

    // Each radio button and check box in turn, as a hand chooses them, leaving each as chosen
    // (so two lists ticked one after the other are shown together). After every choice
    // that changes what the window shows: the frame inside the work area, centred again
    // when it stood centred, a command dialog no taller than its controls need, and every
    // control whole.
    void MakeChoices(const std::string& path, QWidget& window) {
        QPointer<QWidget> w(&window);
        std::vector<QPointer<QAbstractButton>> choices;
        for (QAbstractButton* b : window.findChildren<QAbstractButton*>())
            if (qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b)) choices.emplace_back(b);
        for (const QPointer<QAbstractButton>& b : choices) {
            if (!w || !w->isVisible()) return;
            if (!b || !b->isVisible() || !b->isEnabled()) continue;
            const std::vector<const QWidget*> before = VisibleControls(*w);
            const QSize sizeBefore = w->size();
            const std::optional<QRect> frameBefore = desktop_.Frame(w->winId());
            const bool centred = frameBefore && Centred(*frameBefore);
            const std::string here = path + " > " + b->text().remove('&').toStdString();
            // A choice seldom opens a window; one that does is taken like any other.
            Watch(
                here,
                [b] {
                    if (b) b->click();
                },
                {}, kClosingBoxMs);
            if (!w || !w->isVisible()) return;
            QApplication::processEvents();
            if (VisibleControls(*w) == before && w->size() == sizeBefore) continue;
            Seen s{here, WindowsDesktop::Describe(*w), {}};
            if (const std::string fault = desktop_.FrameFault(*w); !fault.empty()) s.faults.push_back(fault);
            const std::optional<QRect> frame = desktop_.Frame(w->winId());
            if (centred && frame && !Centred(*frame))
                s.faults.push_back(s.window + " is not centred again: its frame is at " +
                                   std::to_string(frame->x()) + "," + std::to_string(frame->y()) + " " +
                                   std::to_string(frame->width()) + "x" + std::to_string(frame->height()));
            if (QLayout* layout = w->inherits("tessaro::CommandDialog") ? w->layout() : nullptr) {
                const int need = layout->hasHeightForWidth() ? layout->totalHeightForWidth(w->width())
                                                             : layout->totalSizeHint().height();
                if (w->height() > need + 1)
                    s.faults.push_back(s.window + " is " + std::to_string(w->height()) +
                                       " high where its controls need " + std::to_string(need));
            }
            for (const std::string& f : VisibleFaults(*w)) s.faults.push_back(s.window + ": " + f);
            seen_.push_back(s);
        }
    }

    static void CloseNow(QWidget& w) {
        if (auto* box = qobject_cast<QMessageBox*>(&w)) {
            QAbstractButton* b = box->escapeButton();
            if (!b) b = box->defaultButton();
            if (b) return b->click();
        }
        if (auto* dialog = qobject_cast<QDialog*>(&w)) return dialog->reject();
        w.close();
    }

    void CloseAccepting(QWidget& w) {
        if (auto* box = qobject_cast<QMessageBox*>(&w)) {
            for (auto which : {QMessageBox::Yes, QMessageBox::Ok})
                if (QAbstractButton* b = box->button(which)) return b->click();
        }
        CloseNow(w);
    }

    const WindowsDesktop& desktop_;
    std::vector<Seen> seen_;
    std::vector<std::string> noWindow_;
    bool accepting_ = false;
};

}  // namespace tessaro::testing
