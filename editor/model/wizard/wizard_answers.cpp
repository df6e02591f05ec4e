#include "editor/model/wizard/wizard_answers.h"

namespace tessaro::wizard {

const ControlState& Answers::Get(std::string_view name) const {
    static const ControlState kUnset;
    auto it = controls_.find(name);
    return it == controls_.end() ? kUnset : it->second;
}

ControlState& Answers::Set(std::string_view name) {
    auto it = controls_.find(name);
    if (it == controls_.end()) it = controls_.emplace(std::string(name), ControlState{}).first;
    return it->second;
}

bool Answers::Has(std::string_view name) const { return controls_.find(name) != controls_.end(); }

std::string Answers::ChosenItem(std::string_view name) const {
    const ControlState& c = Get(name);
    if (c.index < 0 || c.index >= static_cast<int>(c.items.size())) return {};
    return c.items[static_cast<std::size_t>(c.index)];
}

void Answers::Choose(std::string_view name, std::initializer_list<std::string_view> group) {
    for (std::string_view other : group) Set(other).checked = false;
    Set(name).checked = true;
}

std::string_view Answers::Chosen(std::initializer_list<std::string_view> group) const {
    for (std::string_view name : group)
        if (Checked(name)) return name;
    return {};
}

}  // namespace tessaro::wizard
