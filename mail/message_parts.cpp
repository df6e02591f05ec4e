#include "mail/message_parts.h"

#include <sys/stat.h>

#include <QFileInfo>
#include <QMimeDatabase>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "mail/mail_error.h"
#include "platform/cp1252.h"
#include "platform/regular_file_stream.h"

namespace tessaro::mail {
namespace {

std::string Upper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

bool IsContinuation(const std::string& line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

// Index of the first line that starts with the field name and its ":".
std::size_t FindField(const std::vector<std::string>& lines, std::string_view field) {
    std::string name = Upper(field);
    if (name.empty() || name.back() != ':') name.push_back(':');
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (Upper(std::string_view(lines[i]).substr(0, name.size())) == name) return i;
    }
    return lines.size();
}

std::string Trim(std::string_view s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    const auto e = s.find_last_not_of(" \t");
    return std::string(s.substr(b, e - b + 1));
}

}  // namespace

bool TmsAddressList::HasAddress() const {
    return std::any_of(items_.begin(), items_.end(), [](const auto& a) { return !a.Address.empty(); });
}

void TmsAttItem::SetFileName(const std::string& path) {
    FileName = path;
    if (path.empty()) return;
    ContentType = ContentTypeOfFile(path);
    Encoding = EncodingOfContentType(ContentType);
}

void TmsAttList::Add(const std::string& path) {
    const std::string native = win::Cp1252ToUtf8(path);
    const std::string text = "Cannot open file \"" + path + "\"";
    // Devices and pipes never end, folders have no content: only a regular file is opened.
    win::RegularFileStream in(native);
    if (!in.is_open()) throw MailError(MailErrorKind::File, 0, text);
    TmsAttItem item;
    item.SetFileName(path);
    item.Content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) throw MailError(MailErrorKind::File, 0, text);
    items_.push_back(std::move(item));
}

std::string TmsHeaders::GetFieldValue(std::string_view field) const {
    const std::size_t i = FindField(Lines, field);
    if (i >= Lines.size()) return {};
    const std::string& line = Lines[i];
    const std::size_t colon = line.find(':');
    std::string value = Trim(std::string_view(line).substr(std::min(line.size(), colon + 2)));
    for (std::size_t j = i + 1; j < Lines.size() && IsContinuation(Lines[j]); ++j)
        value += " " + Trim(Lines[j]);
    return value;
}

void TmsHeaders::DeleteField(std::string_view field) {
    const std::size_t i = FindField(Lines, field);
    if (i >= Lines.size()) return;
    std::size_t end = i + 1;
    while (end < Lines.size() && IsContinuation(Lines[end])) ++end;
    Lines.erase(Lines.begin() + static_cast<std::ptrdiff_t>(i),
                Lines.begin() + static_cast<std::ptrdiff_t>(end));
}

std::string ContentTypeOfFile(const std::string& path) {
    const QString suffix = QFileInfo(QString::fromStdString(win::Cp1252ToUtf8(path))).suffix();
    if (suffix.isEmpty()) return "application/octet-stream";
    static const QMimeDatabase db;
    const QMimeType type = db.mimeTypeForFile("x." + suffix, QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault()) return "application/octet-stream";
    return type.name().toStdString();
}

std::uint8_t EncodingOfContentType(std::string_view contentType) {
    const std::string t = Upper(contentType);
    if (t == "TEXT/PLAIN" || t == "TEXT/RTF" || t == "TEXT/HTML") return kEncQuotedPrintable;
    if (t == "MESSAGE/RFC822") return kEnc7bit;
    return kEncBase64;
}

std::string BaseName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string OneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    }
    return out;
}

std::vector<std::string> FoldHeaderLine(std::string_view line) {
    std::vector<std::string> out;
    std::string rest(line);
    while (rest.size() > kMaxHeaderLine) {
        // A fold goes before a blank; one at the very start would leave an empty line.
        const std::size_t cut = rest.find_last_of(" \t", kMaxHeaderLine);
        if (cut == std::string::npos || cut == 0) {
            out.push_back(rest.substr(0, kMaxHeaderLine));
            rest = " " + rest.substr(kMaxHeaderLine);  // a continuation starts with a blank
        } else {
            out.push_back(rest.substr(0, cut));
            rest.erase(0, cut);
        }
    }
    out.push_back(std::move(rest));
    return out;
}

}  // namespace tessaro::mail
