#pragma once
// Splits the bytes a server sends into reply lines. A line ends at LF; trailing CR and LF
// are dropped. Lines are bounded: past kMaxReplyLine bytes the rest up to the LF is
// dropped, so a hostile server cannot make the client hold an endless line.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro::mail {

inline constexpr std::size_t kMaxReplyLine = 1024;
// Bounds of one reply: a real server's longest (the list of its extensions) has a few dozen
// lines of a few hundred bytes in all.
inline constexpr int kMaxReplyLines = 100;
inline constexpr std::size_t kMaxReplyBytes = 16 * 1024;

class ReplyLineReader {
public:
    void Feed(std::string_view bytes);
    // The next whole line, or nothing until its LF has come.
    std::optional<std::string> TakeLine();
    bool HasLine() const { return readyPos_ < ready_.size(); }
    // Bytes of a line still waiting for its LF (at most kMaxReplyLine).
    std::size_t Pending() const { return partial_.size(); }

private:
    std::string partial_;
    std::string ready_;  // whole lines, each ended by LF, not yet taken
    std::size_t readyPos_ = 0;
    bool dropping_ = false;  // the current line is over length: skip to its LF
};

// The first three characters as a number; -1 when they are not one ("25" is 25).
int GetReplyCode(std::string_view line);

// A first line with a code and "-" as fourth character opens a reply of several lines.
bool OpensMultiLineReply(std::string_view line);
// A line that closes a reply of several lines that began with `first`: the same code
// followed by a blank or by nothing.
bool EndsMultiLineReply(std::string_view line, int first);

}  // namespace tessaro::mail
