#pragma once
// Failures of the mail components: one exception type whose kind says what went wrong and
// whose text is the string-table entry of its code (or the server's reply line).
#include <stdexcept>
#include <string>

namespace tessaro::mail {

enum class MailErrorKind {
    Socket,    // socket or protocol-level failure; code is a socket or 57xxx number
    TimedOut,  // 57000
    Canceled,  // 57001
    Server,    // a reply that is not accepted; the text is the reply line
    Protocol,  // a reply past the bounds of any real server's (57014)
    Message,   // the message check (57100, 57101)
    File,      // an attachment or message file that cannot be read
};

class MailError : public std::runtime_error {
public:
    MailError(MailErrorKind kind, int code, const std::string& text)
        : std::runtime_error(text), kind_(kind), code_(code) {}
    MailErrorKind kind() const { return kind_; }
    int code() const { return code_; }

private:
    MailErrorKind kind_;
    int code_;
};

// Codes of the string table.
enum MailCode : int {
    kTimedOut = 57000,
    kCanceled = 57001,
    kServerRequired = 57002,
    kResolveFailed = 57004,
    kServiceRequired = 57005,
    kNotConnected = 57008,
    kInvalidReply = 57014,
    kSenderRequired = 57100,
    kRecipientRequired = 57101,
    kMessageRequired = 57102,
    kConnectionReset = 10054,
    kConnectionRefused = 10061,
    kHostNotFound = 11001,
};

// The text of a string-table entry; "Error #" and the number when there is none.
std::string MailErrorText(int code);

}  // namespace tessaro::mail
