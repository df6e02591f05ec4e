#pragma once
// The address a web or FTP command hands to the desktop's opener. The opener takes only
// full addresses, while the editor and the wizard store what the user typed, often
// without its scheme ("www.example.com").
#include <string>
#include <string_view>

namespace tessaro {

// `address` trimmed of blanks, with `scheme` + "://" in front unless it names a scheme
// of its own ("https://...", "mailto:..."). A host with a port ("localhost:8080") names
// none. An empty address stays empty.
std::string AddressWithScheme(std::string_view address, std::string_view scheme);

}  // namespace tessaro
