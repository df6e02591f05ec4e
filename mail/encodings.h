#pragma once
// The text encodings of mail parts. Each encoder gives the lines of its output, without
// line ends.
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::mail {

// Quoted-printable: paragraphs (ended by CR, LF, CR LF or LF CR) cut into pieces of at most
// 65 characters at the last blank, soft "=" on every piece but the last, control bytes, "="
// and bytes of 128 and more as "=" and two hex digits. The soft breaks carry a paragraph of
// any length.
std::vector<std::string> EncodeQuotedPrintable(std::string_view source);
// Quoted-printable that gives back a file's bytes exactly: only CR LF is a line break, a lone
// CR or LF is escaped, and content that does not end in a line break ends in a soft "=", so
// the line end written after the last line adds nothing. Pieces are cut as above.
std::vector<std::string> EncodeQuotedPrintableExact(std::string_view source);
// The reverse: "=XX" is the byte, a line ending in "=" joins the next, the others end in
// CR LF (but one ending in byte 26).
std::string DecodeQuotedPrintable(const std::vector<std::string>& lines);

// Base64 in lines of 57 source bytes; a content of a multiple of 57 bytes ends with an
// empty line.
std::vector<std::string> EncodeBase64Lines(std::string_view source);
std::string Base64(std::string_view source);

// Uuencode data lines of up to 45 bytes, ending with the line of the first short block.
std::vector<std::string> EncodeUuLines(std::string_view source);

// A text beginning with ESC as an encoded ISO-2022-JP word; any other as it stands.
std::string EncodedHeaderWord(std::string_view text);

// Text split at CR LF, LF, CR or LF CR (a pair is one end); a last line end adds no empty line.
std::vector<std::string> SplitTextLines(std::string_view text);

}  // namespace tessaro::mail
