#include "editor/model/commands/address_forms.h"

#include <QString>
#include <algorithm>

#include "mail/send_dialog_model.h"

namespace tessaro {

bool RecipientLineBefore(std::string_view a, std::string_view b) {
    return QString::fromLatin1(a.data(), static_cast<qsizetype>(a.size()))
               .compare(QString::fromLatin1(b.data(), static_cast<qsizetype>(b.size())),
                        Qt::CaseInsensitive) < 0;
}

RecipientListModel::RecipientListModel(std::vector<std::string> lines) : lines_(std::move(lines)) {
    std::stable_sort(lines_.begin(), lines_.end(),
                     [](const std::string& a, const std::string& b) { return RecipientLineBefore(a, b); });
}

int RecipientListModel::Add(std::string line) {
    const auto at = std::upper_bound(
        lines_.begin(), lines_.end(), line,
        [](const std::string& a, const std::string& b) { return RecipientLineBefore(a, b); });
    const auto index = at - lines_.begin();
    lines_.insert(at, std::move(line));
    return static_cast<int>(index);
}

void RecipientListModel::Modify(int index, std::string line) {
    if (index >= 0 && index < static_cast<int>(lines_.size()))
        lines_[static_cast<std::size_t>(index)] = std::move(line);
}

int RecipientListModel::Delete(int index) {
    if (index < 0 || index >= static_cast<int>(lines_.size())) return -1;
    lines_.erase(lines_.begin() + index);
    return mail::SelectionAfterDelete(index, static_cast<int>(lines_.size()));
}

AddressCheck CheckAnAddress(std::string_view name, std::string_view address) {
    AddressCheck r;
    const std::string n = FieldText(name);
    const std::string a = FieldText(address);
    if (a.empty()) {
        r.error = FormError{"No e-mail address specified.  Please correct.", "EMailAddress"};
        return r;
    }
    // A selected entry goes into the e-mail command whole, ended by ";"; its name ends at
    // the first "|".
    if (auto bad = CheckFreeText(n, "EMailName", std::string_view(";|\x01", 3))) {
        r.error = bad;
        return r;
    }
    if (auto bad = CheckFreeText(a, "EMailAddress", std::string_view(";\x01", 2))) {
        r.error = bad;
        return r;
    }
    r.askNoAt = a.find('@') == std::string::npos;
    r.entry = n + "|" + a;  // whole: the list keeps long lines, and a cut would cut the address
    return r;
}

}  // namespace tessaro
