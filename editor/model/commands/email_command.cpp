#include "editor/model/commands/email_command.h"

#include <algorithm>

#include "foundation/strings.h"
#include "mail/send_dialog_model.h"

namespace tessaro {
namespace {

constexpr char kEnd = '\x01';

std::string_view Take(std::string_view& rest, std::size_t n) {
    const std::string_view head = rest.substr(0, n);
    rest.remove_prefix(head.size());
    return head;
}

// Up to the next 0x01, which goes with it; without one, the rest.
std::string_view UpToEnd(std::string_view& rest) {
    const std::size_t end = rest.find(kEnd);
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return field;
}

// One list entry: up to ";" (taken) or 0x01 (ends the list, taken); `more` is false at the
// list's end.
std::string_view NextEntry(std::string_view& rest, bool& more) {
    const std::size_t stop = rest.find_first_of(std::string_view(";\x01", 2));
    const std::string_view entry = rest.substr(0, stop);
    more = stop != std::string_view::npos && rest[stop] == ';';
    rest.remove_prefix(stop == std::string_view::npos ? rest.size() : stop + 1);
    return entry;
}

void ReadGroup(std::string_view& rest, EmailGroup& group, const std::vector<std::string>& lines) {
    group.selected.assign(lines.size(), false);
    bool typedTaken = false;
    for (bool more = true; more && !rest.empty();) {
        const std::string_view entry = NextEntry(rest, more);
        if (entry.empty()) continue;
        const auto line = std::find(lines.begin(), lines.end(), entry);
        if (line != lines.end()) {
            group.selected[static_cast<std::size_t>(line - lines.begin())] = true;
            continue;
        }
        const std::size_t bar = entry.find('|');
        const std::string_view address = bar == std::string_view::npos ? entry : entry.substr(bar + 1);
        if (!typedTaken && !address.empty()) {
            typedTaken = true;
            group.name = bar == std::string_view::npos ? std::string() : std::string(entry.substr(0, bar));
            group.address = std::string(address);
        } else {
            group.others.emplace_back(entry);
        }
    }
}

bool AnySelected(const EmailGroup& g) {
    return std::find(g.selected.begin(), g.selected.end(), true) != g.selected.end();
}

}  // namespace

std::string BuildEmailToken(const EmailForm& form, const std::vector<std::string>& recipientLines) {
    std::string t = "<EMAIL:";
    t += form.receipt ? "RY" : "RN";
    if (form.recipientMode == 1) {
        t += "R1";
        for (std::size_t i = 0; i < form.groups.size(); ++i) {
            const EmailGroup& g = form.groups[i];
            if (TrimBlanks(g.address).empty() && !AnySelected(g) && g.others.empty()) continue;
            t += kEmailGroupTags[i];
            t += mail::RecipientResult(g.name, g.address, recipientLines, g.selected);
            t.pop_back();  // the group's end goes after the kept entries
            for (const std::string& other : g.others) t += other + ";";
            t += kEnd;
        }
    } else {
        t += "R2";
    }
    switch (form.textMode) {
        case 2: t += "S2"; break;
        case 3: t += "S3"; break;
        case 4: t += "S4" + TrimBlanks(form.fileName) + kEnd; break;
        default: t += "S1" + form.text + kEnd; break;
    }
    if (form.textMode != 2) t += TrimBlanks(form.subject) + kEnd;
    if (form.attachMode == 2)
        t += "A2" + mail::AttachmentResult(form.attachments);
    else
        t += form.attachMode == 3 ? "A3" : "A1";
    return t + ">";
}

EmailForm DecodeLStemp(std::string_view token, const std::vector<std::string>& recipientLines) {
    EmailForm f;
    for (EmailGroup& g : f.groups) g.selected.assign(recipientLines.size(), false);
    f.textMode = 0;
    f.attachMode = 0;
    std::string_view rest = token.substr(std::min<std::size_t>(7, token.size()));
    if (!rest.empty() && rest.back() == '>') rest.remove_suffix(1);
    f.receipt = Take(rest, 2) == "RY";
    std::string_view tag = Take(rest, 2);
    if (tag == "R1") {
        tag = Take(rest, 2);
        for (std::size_t i = 0; i < f.groups.size(); ++i) {
            if (tag != kEmailGroupTags[i]) continue;
            ReadGroup(rest, f.groups[i], recipientLines);
            tag = Take(rest, 2);
        }
    } else {
        f.recipientMode = 2;
        tag = Take(rest, 2);
    }
    if (tag == "S1") {
        f.textMode = 1;
        f.text = UpToEnd(rest);
    } else if (tag == "S2") {
        f.textMode = 2;
    } else if (tag == "S3") {
        f.textMode = 3;
    } else if (tag == "S4") {
        f.textMode = 4;
        f.fileName = UpToEnd(rest);
    }
    if (f.textMode == 1 || f.textMode == 3 || f.textMode == 4) f.subject = UpToEnd(rest);
    if (f.textMode == 0) f.textMode = 1;  // an unknown tag leaves the form's default
    tag = Take(rest, 2);
    if (tag == "A2") {
        f.attachMode = 2;
        for (bool more = true; more && !rest.empty();) {
            const std::string_view entry = NextEntry(rest, more);
            if (!entry.empty()) f.attachments.emplace_back(entry);
        }
    } else {
        f.attachMode = tag == "A3" ? 3 : 1;
    }
    return f;
}

std::optional<EmailFault> CheckEmailForm(const EmailForm& form) {
    using Field = EmailFault::Field;
    auto bad = [](std::string_view text, std::string_view chars) -> char {
        const std::size_t at = text.find_first_of(chars);
        return at == std::string_view::npos ? '\0' : text[at];
    };
    const std::string_view end(&kEnd, 1);
    if (form.recipientMode == 1) {
        for (int i = 0; i < 3; ++i) {
            const EmailGroup& g = form.groups[static_cast<std::size_t>(i)];
            const std::string address = TrimBlanks(g.address);
            if (address.empty()) continue;  // a name alone is not written
            if (char c = bad(TrimBlanks(g.name), std::string_view(";|\x01", 3)))
                return EmailFault{Field::Name, i, c};
            if (char c = bad(address, std::string_view(";\x01", 2))) return EmailFault{Field::Address, i, c};
        }
    }
    if (form.textMode == 1)
        if (char c = bad(form.text, end)) return EmailFault{Field::Text, 0, c};
    if (form.textMode != 2)
        if (char c = bad(TrimBlanks(form.subject), end)) return EmailFault{Field::Subject, 0, c};
    if (form.textMode == 4)
        if (char c = bad(TrimBlanks(form.fileName), end)) return EmailFault{Field::FileName, 0, c};
    if (form.attachMode == 2)
        for (std::size_t i = 0; i < form.attachments.size(); ++i)
            if (char c = bad(form.attachments[i], std::string_view(";\x01", 2)))
                return EmailFault{Field::Attachment, static_cast<int>(i), c};
    return std::nullopt;
}

}  // namespace tessaro
