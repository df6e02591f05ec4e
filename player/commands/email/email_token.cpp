#include "player/commands/email/email_token.h"

namespace tessaro {
namespace {

std::string_view Take(std::string_view& rest, std::size_t n) {
    const std::string_view head = rest.substr(0, n);
    rest.remove_prefix(head.size());
    return head;
}

}  // namespace

std::vector<std::string> ReadItems(std::string_view& rest) {
    std::vector<std::string> items;
    std::string item;
    while (!rest.empty()) {
        const char c = rest.front();
        rest.remove_prefix(1);
        if (c == kEmailFieldEnd) {
            if (!item.empty()) items.push_back(item);
            return items;
        }
        if (c == ';') {
            items.push_back(item);
            item.clear();
        } else {
            item.push_back(c);
        }
    }
    if (!item.empty()) items.push_back(item);
    return items;
}

std::string NextTokenField(std::string_view& rest) {
    const std::size_t end = rest.find(kEmailFieldEnd);
    const std::string field(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return field;
}

EmailRecipient SplitRecipient(std::string_view item) {
    const std::size_t bar = item.find('|');
    if (bar == std::string_view::npos) return {"", std::string(item)};
    return {std::string(item.substr(0, bar)), std::string(item.substr(bar + 1))};
}

std::vector<EmailRecipient> Recipients(std::string_view list) {
    std::vector<EmailRecipient> out;
    for (const std::string& item : ReadItems(list)) out.push_back(SplitRecipient(item));
    return out;
}

EmailCommand ReadEmailToken(std::string_view token) {
    EmailCommand c;
    std::string_view rest = token.substr(std::min<std::size_t>(7, token.size()));
    if (!rest.empty() && rest.back() == '>') rest.remove_suffix(1);
    c.receipt = Take(rest, 2) == "RY";
    c.askRecipients = Take(rest, 2) != "R1";
    std::string_view tag = Take(rest, 2);
    if (!c.askRecipients) {
        for (auto [name, list] : {std::pair{"TO", &c.to}, std::pair{"CC", &c.cc}, std::pair{"BL", &c.bcc}}) {
            if (tag != name) continue;
            for (const std::string& item : ReadItems(rest)) list->push_back(SplitRecipient(item));
            tag = Take(rest, 2);
        }
    }
    c.textTag = std::string(tag);
    if (tag == "S1") {
        c.body = NextTokenField(rest);
        c.subject = NextTokenField(rest);
    } else if (tag == "S3") {
        c.subject = NextTokenField(rest);
    } else if (tag == "S4") {
        c.bodyPath = NextTokenField(rest);
        c.subject = NextTokenField(rest);
    }
    c.attachTag = std::string(Take(rest, 2));
    if (c.attachTag == "A2") c.paths = ReadItems(rest);
    return c;
}

}  // namespace tessaro
