#pragma once
// Reads the fields of an e-mail command token: two-letter tags, lists of items each ended
// by ";", fields and lists ended by byte 0x01.
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

inline constexpr char kEmailFieldEnd = '\x01';

struct EmailRecipient {
    std::string name;
    std::string address;
};

struct EmailCommand {
    bool receipt = false;        // "RY"
    bool askRecipients = false;  // any source tag but "R1"
    std::vector<EmailRecipient> to, cc, bcc;
    std::string textTag;             // "S1" .. "S4"
    std::string body;                // S1
    std::string bodyPath;            // S4
    std::string subject;             // S1, S3, S4
    std::string attachTag;           // "A1", "A2", "A3"
    std::vector<std::string> paths;  // A2
};

// The token from "<EMAIL:" to its closing ">". Truncated tokens read as far as they go.
EmailCommand ReadEmailToken(std::string_view token);

// Items up to the list's 0x01 (or the end of the text); a last item without ";" counts.
std::vector<std::string> ReadItems(std::string_view& rest);
// Text up to the next 0x01 (which goes with it), or the rest.
std::string NextTokenField(std::string_view& rest);
// "name|address"; an item without "|" is an address.
EmailRecipient SplitRecipient(std::string_view item);
std::vector<EmailRecipient> Recipients(std::string_view list);

}  // namespace tessaro
