#pragma once
// A tab widget whose tabs answer Alt + their accelerator letter from anywhere in the window,
// as buttons do.
#include <QTabWidget>
#include <functional>
#include <string>
#include <vector>

namespace tessaro {

// The accelerator of a caption: the character after a single "&" ("&&" is a literal "&"),
// or 0 when there is none.
QChar CaptionAccelerator(const QString& caption);

struct PageTab {
    QString caption;
    bool tabVisible = true;
};

// The first page, in page order, whose tab is shown and whose caption has `ch` as its
// accelerator (letters compared without case); -1 when there is none.
int AcceleratorPage(const std::vector<PageTab>& pages, QChar ch);

class TAPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TAPageControl(QWidget* parent = nullptr);

    // Fired when the user changes the page (tab click, keyboard, accelerator); an
    // accelerator fires it even when its page was already active.
    std::function<void(TAPageControl* sender)> OnChange;

    // The accelerator key `ch` was pressed in the window. Selects the page as described
    // above and returns true; returns false (the window handles the key) when no shown tab
    // has it or this control cannot take the focus (disabled or hidden).
    bool DialogChar(QChar ch);

private:
    bool selecting_ = false;
};

}  // namespace tessaro
