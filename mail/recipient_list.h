#pragma once
// The e-mail recipient list file: one entry a line, "name|address", split at the first "|"
// (a line without one is an address alone). The player's Send E-Mail prompt, the editor's
// e-mail dialog, its list maintenance and the wizard all read and write it through here.
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::mail {

struct RecipientEntry {
    std::string name;
    std::string address;
};

RecipientEntry SplitRecipientLine(std::string_view line);
// The part a list shows: the name or the address of the line.
std::string_view RecipientPart(std::string_view line, bool name);

// The lines of the file at `path` (Windows-1252), each whole however long (a cut line would
// send mail to a cut address); none when the path is missing, unreadable or not a regular file.
std::vector<std::string> ReadRecipientFile(const std::string& path);

// Writes the lines to a temporary file beside `path` and renames it over the old file, so a
// failed write leaves the old list whole. An unchanged line keeps its bytes and line end;
// the others take the file's line end (CR LF in a new file). False on any failure.
bool WriteRecipientFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace tessaro::mail
