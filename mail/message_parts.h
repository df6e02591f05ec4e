#pragma once
// The pieces a mail message is made of: addresses, attachments with their content and
// content type, and raw header lines with field look-up.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::mail {

struct TmsMailAddress {
    std::string Name;
    std::string Address;
};

class TmsAddressList {
public:
    void Add(const std::string& address, const std::string& name) { items_.push_back({name, address}); }
    const TmsMailAddress& Items(int i) const { return items_[static_cast<std::size_t>(i)]; }
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }
    bool HasAddress() const;  // some entry has a non-empty address

private:
    std::vector<TmsMailAddress> items_;
};

enum TmsAttEncoding : std::uint8_t { kEnc7bit = 0, kEncBase64 = 1, kEncQuotedPrintable = 2 };

struct TmsAttItem {
    std::string FileName;  // full path as given
    std::string ContentType;
    std::uint8_t Encoding = kEncBase64;
    std::string Content;
    // Stores the name and takes content type and encoding from its extension.
    void SetFileName(const std::string& path);
};

class TmsAttList {
public:
    // Loads the whole file; raises MailError (File) when it is not a readable regular file.
    void Add(const std::string& path);
    void AddItem(TmsAttItem item) { items_.push_back(std::move(item)); }
    const TmsAttItem& Items(int i) const { return items_[static_cast<std::size_t>(i)]; }
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }

private:
    std::vector<TmsAttItem> items_;
};

class TmsHeaders {
public:
    std::vector<std::string> Lines;
    // The first matching field's value (with continuation lines joined by one blank).
    std::string GetFieldValue(std::string_view field) const;
    // Removes the first matching field and its continuation lines.
    void DeleteField(std::string_view field);
};

// Content type by the file's extension; "application/octet-stream" when unknown.
std::string ContentTypeOfFile(const std::string& path);
// 2 for text/plain, text/rtf and text/html; 0 for message/rfc822; else 1.
std::uint8_t EncodingOfContentType(std::string_view contentType);
// The last part of a path.
std::string BaseName(std::string_view path);
// CR, LF and NUL become blanks, so a value cannot start a header or command of its own.
std::string OneLine(std::string_view text);

// SMTP takes lines of at most 1,000 bytes with their CR LF.
inline constexpr std::size_t kMaxHeaderLine = 998;
// A header line (without its line end) as lines of at most 998 bytes: folded before the last
// blank or tab that keeps a line within the limit, so that joining them again gives the
// line back. A stretch of 998 bytes without a blank is folded where the limit falls, a blank
// put in to carry on.
std::vector<std::string> FoldHeaderLine(std::string_view line);

}  // namespace tessaro::mail
