#pragma once
// The quick wizard keeps each answer in its page's control until Finish reads it. The model
// sees the same controls by their object names ("P14MyMemo", "P2HotKey"), so flow, checks
// and the macro builder run without a screen and the form only copies widget states in and
// out (see editor/wizard).
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::wizard {

// One control's state. Which members count depends on the kind of control:
// radio buttons and check boxes use `checked`; edits, memos and labels `text` (Windows-1252,
// as typed); lists and combo boxes `items` with `index` (single choice, -1: none) or
// `selected` (multiple choice, ascending); spin boxes `value`.
struct ControlState {
    bool checked = false;
    std::string text;
    int index = -1;
    std::vector<int> selected;
    std::vector<std::string> items;
    int value = 0;
    bool enabled = true;
    bool visible = true;

    bool operator==(const ControlState&) const = default;
};

class Answers {
public:
    // A control never set reads as the default state above.
    const ControlState& Get(std::string_view name) const;
    ControlState& Set(std::string_view name);  // created on first use
    bool Has(std::string_view name) const;

    bool Checked(std::string_view name) const { return Get(name).checked; }
    const std::string& Text(std::string_view name) const { return Get(name).text; }
    int Index(std::string_view name) const { return Get(name).index; }
    int Value(std::string_view name) const { return Get(name).value; }
    const std::vector<int>& Selected(std::string_view name) const { return Get(name).selected; }
    const std::vector<std::string>& Items(std::string_view name) const { return Get(name).items; }
    // The text of the chosen item of a single-choice list; empty when none is chosen.
    std::string ChosenItem(std::string_view name) const;

    // Checks the radio button `name` and clears the other buttons of its group.
    void Choose(std::string_view name, std::initializer_list<std::string_view> group);
    // The first checked button of a group; empty when none is.
    std::string_view Chosen(std::initializer_list<std::string_view> group) const;

    const std::map<std::string, ControlState, std::less<>>& All() const { return controls_; }

private:
    std::map<std::string, ControlState, std::less<>> controls_;
};

}  // namespace tessaro::wizard
