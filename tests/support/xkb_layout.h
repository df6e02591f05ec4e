#pragma once
// Sets the keyboard layout of a test's X server, as a user does with setxkbmap.
#include <string>

namespace tessaro::testing {

// `layouts` as setxkbmap takes them ("de", "us,de"); true when the server took it.
bool SetKeyboardLayout(const std::string& display, const std::string& layouts,
                       const std::string& options = "");

}  // namespace tessaro::testing
