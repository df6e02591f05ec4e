#pragma once
// Where the SMTP client connects: the host part and port part of the server text, and the
// choice of port.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro::mail {

struct ServerText {
    std::string host;        // text before the first ":"
    std::uint16_t port = 0;  // the number after it; 0 when absent, not a number or too large
};

ServerText SplitServer(std::string_view server);

// The port: the server text's own, else a non-zero default, else the service's, else the
// default (which is then 0).
std::uint16_t ChoosePort(std::uint16_t serverPort, std::uint16_t defaultPort,
                         std::optional<std::uint16_t> servicePort);

// The TCP port of a service name from the system's services table.
std::optional<std::uint16_t> LookUpService(const std::string& service);

// An IPv4 address written as four dotted numbers; nothing for anything else.
std::optional<std::uint32_t> ParseIPv4(std::string_view text);

}  // namespace tessaro::mail
