#include "player/commands/email/mail_log_writer.h"

#include <sys/types.h>

#include <cstdint>
#include <string_view>

#include "foundation/whole_files.h"
#include "platform/cp1252.h"

namespace tessaro {
namespace {

std::string NotLogged(const std::string& path, const std::string& why) {
    return "The message was sent, but it could not be added to the sent-mail log \"" + path + "\" (" + why +
           ").  The log is kept as it was.";
}

}  // namespace

std::string AppendToMailLog(const std::string& logPath, const SentMail& mail, double sentAt) {
    const std::string added = MailLogText(mail);
    std::string why;
    off_t start = 0;
    if (!AppendInPlace(win::Cp1252ToUtf8(logPath), added, why, 1, &start)) return NotLogged(logPath, why);
    const TMailLogEntry entry = MakeMailLogEntry(mail, sentAt, static_cast<std::int32_t>(start),
                                                 static_cast<std::int32_t>(added.size()));
    const std::string indexPath = MailIndexName(logPath);
    if (!AppendInPlace(win::Cp1252ToUtf8(indexPath),
                       std::string_view(reinterpret_cast<const char*>(&entry), sizeof entry), why,
                       sizeof entry))
        return NotLogged(indexPath, why);
    return {};
}

}  // namespace tessaro
