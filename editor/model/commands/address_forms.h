#pragma once
// The recipient list dialogs: the list itself (TMyAddress), kept sorted as its list box
// sorts, and one entry (TDoAnAddress).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/model/commands/command_form.h"

namespace tessaro {

// Case-insensitive order of whole lines, as the sorted list box keeps them.
bool RecipientLineBefore(std::string_view a, std::string_view b);

class RecipientListModel {
public:
    explicit RecipientListModel(std::vector<std::string> lines = {});
    const std::vector<std::string>& Lines() const { return lines_; }
    // Inserts at its sorted place; returns the position.
    int Add(std::string line);
    // Replaces the line in place (the list does not move it).
    void Modify(int index, std::string line);
    // Removes the line; returns the position selected afterwards, -1 for none.
    int Delete(int index);

private:
    std::vector<std::string> lines_;
};

struct AddressCheck {
    std::optional<FormError> error;  // refused: message box "Error", focus
    bool askNoAt = false;            // ask kNoAtQuestion ("Warning", Yes/No) before going on
    std::string entry;               // name "|" address
};
inline constexpr const char* kNoAtQuestion =
    "There is no \"@\" character in the e-mail address.  This is most likely an invalid e-mail address.  "
    "Continue?";
AddressCheck CheckAnAddress(std::string_view name, std::string_view address);

inline constexpr const char* kSaveFailedQuestion =
    "Disk write failure.  Unable to save address information. The path and file name for E-Mail Address "
    "information may be invalid.  Would you like to edit the path and file name?";

}  // namespace tessaro
