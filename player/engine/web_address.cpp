#include "player/engine/web_address.h"

#include <algorithm>

namespace tessaro {

namespace {

bool IsAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "name:" at the start, the name being a scheme's (a letter, then letters, digits, "+"
// or "-"), and what follows not a port. A dot in the name makes it a host name.
bool NamesScheme(std::string_view address) {
    const std::size_t colon = address.find(':');
    if (colon == std::string_view::npos || colon == 0 || !IsAlpha(address[0])) return false;
    const std::string_view name = address.substr(0, colon);
    if (!std::all_of(name.begin(), name.end(),
                     [](char c) { return IsAlpha(c) || IsDigit(c) || c == '+' || c == '-'; }))
        return false;
    const std::string_view rest = address.substr(colon + 1);
    const std::string_view port = rest.substr(0, rest.find('/'));
    return port.empty() || !std::all_of(port.begin(), port.end(), IsDigit);
}

}  // namespace

std::string AddressWithScheme(std::string_view address, std::string_view scheme) {
    const std::size_t first = address.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    address = address.substr(first, address.find_last_not_of(' ') - first + 1);
    if (NamesScheme(address)) return std::string(address);
    return std::string(scheme) + "://" + std::string(address);
}

}  // namespace tessaro
