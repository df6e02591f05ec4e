#include "player/engine/web_address.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

struct AddressCase {
    const char* typed;
    const char* scheme;
    const char* opened;
};

TEST(AddressWithScheme, AddressesWithoutASchemeGetTheCommandsOne) {
    const AddressCase cases[] = {
        {"www.example.com", "http", "http://www.example.com"},
        {"ftp.example.com/pub/file.zip", "ftp", "ftp://ftp.example.com/pub/file.zip"},
        {"  www.example.com/a b  ", "http", "http://www.example.com/a b"},
        // A host with a port, or a dotted name before a colon, is no scheme.
        {"localhost:8080/status", "http", "http://localhost:8080/status"},
        {"localhost:8080", "http", "http://localhost:8080"},
        {"www.example.com:81/x", "http", "http://www.example.com:81/x"},
        {"user@host/x", "ftp", "ftp://user@host/x"},
        // An address with its scheme goes unchanged, whatever the command.
        {"http://www.example.com", "http", "http://www.example.com"},
        {"HTTPS://Example.com/?q=a:b", "http", "HTTPS://Example.com/?q=a:b"},
        {"ftp://ftp.example.com", "http", "ftp://ftp.example.com"},
        {"sftp://host/dir", "ftp", "sftp://host/dir"},
        {"mailto:someone@example.com", "http", "mailto:someone@example.com"},
        {"svn+ssh://host/repo", "http", "svn+ssh://host/repo"},
        // Nothing to open stays nothing.
        {"", "http", ""},
        {"   ", "ftp", ""},
    };
    for (const AddressCase& c : cases) EXPECT_EQ(AddressWithScheme(c.typed, c.scheme), c.opened) << c.typed;
}

}  // namespace
}  // namespace tessaro
