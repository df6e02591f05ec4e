#pragma once
// Walking a function's pages: which pages apply to the answers given so far, and where
// Next and Back lead. The form shows the page the flow settles on.
#include <vector>

#include "editor/model/wizard/wizard_answers.h"

namespace tessaro::wizard {

enum class Direction { Backward, Forward };

// False when page `page` is to be skipped in `function` with these answers.
// `menusExist`: some macro is a popup menu (page 9 is skipped otherwise).
bool PageApplies(int page, int function, const Answers& answers, bool menusExist);

class WizardFlow {
public:
    // The function's sequence; an unknown function has none. With `bypass` every function
    // but the first-use one starts on its second page.
    WizardFlow(int function, bool bypass);

    int Function() const { return function_; }
    const std::vector<int>& Pages() const { return pages_; }
    int Index() const { return index_; }  // 1-based position of the page on screen
    int CurrentPage() const;              // 0 when the sequence is empty
    bool Empty() const { return pages_.empty(); }

    bool BackEnabled() const { return index_ != 1; }
    bool OnLastPage() const { return index_ == static_cast<int>(pages_.size()); }
    const char* NextCaption() const { return OnLastPage() ? "&Finish" : "&Next >"; }

    // Moves one entry in `direction`, then on past the pages that do not apply. The first
    // and last page always apply, so this never leaves the list.
    void Step(Direction direction, const Answers& answers, bool menusExist);
    // Moves past pages that do not apply, starting with the current one.
    void Settle(Direction direction, const Answers& answers, bool menusExist);

private:
    int function_;
    std::vector<int> pages_;
    int index_ = 1;
};

}  // namespace tessaro::wizard
