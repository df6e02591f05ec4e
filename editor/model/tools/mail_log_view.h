#pragma once
// What the sent-mail log viewer and the e-mail options read and check: the index rows,
// one logged message's text, and the port box.
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

struct MailLogRow {
    std::string Name;     // first To name
    std::string Address;  // first To address
    std::string Subject;
    std::string When;  // short date and long time; the time left out at midnight
    std::int32_t Start = 0;
    std::int32_t Length = 0;
    bool Attachments = false;
    bool CC = false;
    bool BCC = false;
};

struct MailLogIndex {
    std::vector<MailLogRow> Rows;  // never empty: one blank row when nothing was logged
    bool NoRecords = true;
};

// Reads the index beside the log (whole records; a partial one at the end is left out).
MailLogIndex ReadMailLogIndex(const std::string& logPath);

// The date-time text of a row (the locale's short date, then its long time unless the
// time is exactly midnight); empty for a date no calendar holds.
std::string MailLogWhen(double sentAt);

// The text of one logged message, or the message for the user ("Error" box) in `error`.
// A start or length that does not lie inside the log never reads or allocates beyond it.
bool ReadLoggedMessage(const std::string& logPath, const MailLogIndex& index, std::size_t row,
                       std::string& text, std::string& error);

// The port typed into the options: blanks around it allowed, 1 to 65535. False with the
// message for the user.
bool ReadMailPort(const std::string& text, std::int32_t& port, std::string& error);

}  // namespace tessaro
