#include "widgets/page_control.h"

#include <QEvent>
#include <QShortcutEvent>
#include <QTabBar>

namespace tessaro {
namespace {

// Qt registers each tab's mnemonic as a window shortcut; we take the key from there and
// pick the page by our own rule instead of Qt's (which cycles between equal mnemonics and
// may pick a hidden tab).
class AcceleratorTabBar : public QTabBar {
public:
    explicit AcceleratorTabBar(TAPageControl* owner) : QTabBar(owner), owner_(owner) {}

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::Shortcut) {
            const QKeySequence seq = static_cast<QShortcutEvent*>(e)->key();
            if (seq.count() == 1) {
                const QChar ch(static_cast<char16_t>(seq[0].key()));
                owner_->DialogChar(ch);
            }
            return true;
        }
        return QTabBar::event(e);
    }

private:
    TAPageControl* owner_;
};

}  // namespace

QChar CaptionAccelerator(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] != u'&') return caption[i + 1];
        ++i;  // "&&" stands for "&"
    }
    return QChar();
}

int AcceleratorPage(const std::vector<PageTab>& pages, QChar ch) {
    if (ch.isNull()) return -1;
    const QChar want = ch.toUpper();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (!pages[i].tabVisible) continue;
        const QChar acc = CaptionAccelerator(pages[i].caption);
        if (!acc.isNull() && acc.toUpper() == want) return static_cast<int>(i);
    }
    return -1;
}

TAPageControl::TAPageControl(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new AcceleratorTabBar(this));
    connect(this, &QTabWidget::currentChanged, this, [this](int) {
        if (!selecting_ && OnChange) OnChange(this);
    });
}

bool TAPageControl::DialogChar(QChar ch) {
    // Can take the focus: shown and enabled, together with every parent.
    if (!isEnabled() || !isVisible()) return false;
    std::vector<PageTab> pages;
    for (int i = 0; i < count(); ++i) pages.push_back({tabText(i), isTabVisible(i)});
    const int page = AcceleratorPage(pages, ch);
    if (page < 0) return false;
    selecting_ = true;
    setCurrentIndex(page);
    selecting_ = false;
    if (OnChange) OnChange(this);
    return true;
}

}  // namespace tessaro
