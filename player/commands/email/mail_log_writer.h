#pragma once
// Adds a sent message to the sent-mail log and its index.
#include <string>

#include "protocol/mail_log.h"

namespace tessaro {

// Adds the message's text at the end of the log `logPath` (Windows code page) and then its
// entry at the end of the index beside it: a kill or a full disk leaves no entry pointing at
// text that is not all there (a part of a message a kill left after the last entry goes with
// the next one), and an entry costs the same at any size of the log. Empty, or
// the text for the user saying which file could not take it and why.
std::string AppendToMailLog(const std::string& logPath, const SentMail& mail, double sentAt);

}  // namespace tessaro
