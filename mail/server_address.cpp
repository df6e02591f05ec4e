#include "mail/server_address.h"

#include <arpa/inet.h>
#include <netdb.h>

#include <array>

namespace tessaro::mail {

ServerText SplitServer(std::string_view server) {
    ServerText out;
    const std::size_t colon = server.find(':');
    out.host = std::string(server.substr(0, colon));
    if (colon == std::string_view::npos) return out;
    const std::string_view digits = server.substr(colon + 1);
    std::uint32_t value = 0;
    if (digits.empty() || digits.size() > 5) return out;
    for (char c : digits) {
        if (c < '0' || c > '9') return out;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (value <= 65535) out.port = static_cast<std::uint16_t>(value);
    return out;
}

std::uint16_t ChoosePort(std::uint16_t serverPort, std::uint16_t defaultPort,
                         std::optional<std::uint16_t> servicePort) {
    if (serverPort != 0) return serverPort;
    if (defaultPort != 0) return defaultPort;
    return servicePort.value_or(defaultPort);
}

std::optional<std::uint16_t> LookUpService(const std::string& service) {
    servent entry{};
    servent* found = nullptr;
    std::array<char, 1024> buffer{};
    if (getservbyname_r(service.c_str(), "tcp", &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return std::nullopt;
    return ntohs(static_cast<std::uint16_t>(found->s_port));
}

std::optional<std::uint32_t> ParseIPv4(std::string_view text) {
    std::uint32_t address = 0;
    int parts = 0;
    std::size_t i = 0;
    while (parts < 4) {
        std::uint32_t value = 0;
        std::size_t digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 3) {
            value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
            ++i;
            ++digits;
        }
        if (digits == 0 || value > 255) return std::nullopt;
        address = (address << 8) | value;
        ++parts;
        if (parts < 4) {
            if (i >= text.size() || text[i] != '.') return std::nullopt;
            ++i;
        }
    }
    if (i != text.size()) return std::nullopt;
    return address;
}

}  // namespace tessaro::mail
