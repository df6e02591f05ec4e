#include "editor/model/tools/mail_log_view.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <cmath>
#include <cstring>
#include <fstream>

#include "foundation/strings.h"
#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "protocol/mail_log.h"
#include "platform/regular_file_stream.h"

namespace tessaro {

std::string MailLogWhen(double sentAt) {
    // Dates outside the years a calendar holds come from a damaged index.
    if (!std::isfinite(sentAt) || sentAt < -693593 || sentAt > 2958466) return {};
    const win::DateTimeParts p = win::DecodeDateTime(sentAt);
    const QLocale locale;
    QString text = locale.toString(QDate(p.year, p.month, p.day), QLocale::ShortFormat);
    const QTime time(p.hour, p.minute, p.second);
    if (time != QTime(0, 0)) text += " " + locale.toString(time, QLocale::LongFormat);
    return win::Utf8ToCp1252(text.toStdString());
}

MailLogIndex ReadMailLogIndex(const std::string& logPath) {
    MailLogIndex index;
    win::RegularFileStream in(MailIndexName(logPath));
    TMailLogEntry e{};
    while (in.read(reinterpret_cast<char*>(&e), sizeof e)) {
        MailLogRow row;
        row.Name = std::string(e.ToName.view());
        row.Address = std::string(e.ToAddress.view());
        row.Subject = std::string(e.Subject.view());
        row.When = MailLogWhen(e.SentAt);
        row.Start = e.LogStart;
        row.Length = e.LogLength;
        row.Attachments = e.HasAttachments == 'Y' || e.HasAttachments == 1;
        row.CC = e.HasCC == 'Y' || e.HasCC == 1;
        row.BCC = e.HasBCC == 'Y' || e.HasBCC == 1;
        index.Rows.push_back(std::move(row));
    }
    index.NoRecords = index.Rows.empty();
    if (index.NoRecords) index.Rows.emplace_back();
    return index;
}

bool ReadLoggedMessage(const std::string& logPath, const MailLogIndex& index, std::size_t row,
                       std::string& text, std::string& error) {
    if (index.NoRecords || row >= index.Rows.size()) {
        error = "There are no logged e-mail records to review.";
        return false;
    }
    win::RegularFileStream in(logPath);
    if (!in.is_open() || !in.seekg(0, std::ios::end)) {
        error = "Unable to open EMail Log File.";
        return false;
    }
    const auto size = static_cast<std::int64_t>(in.tellg());
    const MailLogRow& r = index.Rows[row];
    if (r.Start < 0 || r.Length < 0 || r.Start + static_cast<std::int64_t>(r.Length) > size) {
        error = "EMail log file has been truncated.  Entry no longer available.";
        return false;
    }
    text.assign(static_cast<std::size_t>(r.Length), '\0');
    in.seekg(r.Start);
    if (!in.read(text.data(), r.Length)) {
        error = "EMail log file has been truncated.  Entry no longer available.";
        return false;
    }
    return true;
}

bool ReadMailPort(const std::string& text, std::int32_t& port, std::string& error) {
    const std::string t = TrimBlanks(text);
    bool digits = !t.empty() && t.size() <= 5;
    for (char c : t) digits = digits && c >= '0' && c <= '9';
    const long value = digits ? std::stol(t) : 0;
    if (value < 1 || value > 65535) {
        error = "Invalid port specified.  Normal port number for e-mail is 25.";
        return false;
    }
    port = static_cast<std::int32_t>(value);
    return true;
}

}  // namespace tessaro
