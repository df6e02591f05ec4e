#pragma once
// The sent-mail log: a text file of the messages sent by macros, and its index of fixed
// 193-byte records beside it, written by the player and read by the editor's log viewer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/short_string.h"

namespace tessaro {

#pragma pack(push, 1)
struct TMailLogEntry {
    ShortString<50> ToName;
    ShortString<50> ToAddress;
    double SentAt;  // day-count date and time
    ShortString<50> Subject;
    std::int32_t LogStart;   // where this message's lines begin in the log text
    std::int32_t LogLength;  // bytes appended to the log for it
    std::uint8_t HasAttachments;
    std::uint8_t HasCC;
    std::uint8_t HasBCC;
    std::uint8_t Reserved[21];
};
#pragma pack(pop)
static_assert(sizeof(TMailLogEntry) == 193);
static_assert(offsetof(TMailLogEntry, ToAddress) == 51);
static_assert(offsetof(TMailLogEntry, SentAt) == 102);
static_assert(offsetof(TMailLogEntry, Subject) == 110);
static_assert(offsetof(TMailLogEntry, LogStart) == 161);
static_assert(offsetof(TMailLogEntry, LogLength) == 165);
static_assert(offsetof(TMailLogEntry, HasAttachments) == 169);
static_assert(offsetof(TMailLogEntry, Reserved) == 172);

// One sent message as the log records it. Names and addresses are pairs (name, address).
struct SentMail {
    std::pair<std::string, std::string> from;
    std::vector<std::pair<std::string, std::string>> to, cc, bcc;
    std::vector<std::string> attachments;  // paths as given
    std::string subject;
    std::vector<std::string> body;  // lines
};

// The lines the log gets for one message, each ended by CR LF, except that an empty body
// leaves "Body: " as the last thing written.
std::string MailLogText(const SentMail& mail);

// The index entry of a message whose text begins at `start` and is `length` bytes long.
TMailLogEntry MakeMailLogEntry(const SentMail& mail, double sentAt, std::int32_t start, std::int32_t length);

// The index beside a log: its last three characters replaced by "MCI" when the fourth
// from the end is "." (unless that would name the log itself), else ".MCI" appended.
std::string MailIndexName(const std::string& logPath);

}  // namespace tessaro
