#pragma once
// An input stream over a file that must be a regular one, opened as OpenRegularFile opens
// it: a FIFO, device or socket picked by the user or planted in a file's place fails at
// once instead of hanging the program on its first read.
#include <array>
#include <istream>
#include <streambuf>
#include <string>

#include "platform/file_io.h"

namespace win {

class RegularFileBuf : public std::streambuf {
public:
    explicit RegularFileBuf(const std::string& path);
    bool is_open() const { return fd_.valid(); }
    int error() const { return error_; }

protected:
    int_type underflow() override;
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which) override;
    pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;

private:
    UniqueFd fd_;
    int error_ = 0;
    off_t next_ = 0;  // file offset of the byte after the buffer
    std::array<char, 64 * 1024> buffer_{};
};

class RegularFileStream : public std::istream {
public:
    // A stream that failed to open is bad from the start (reads give nothing).
    explicit RegularFileStream(const std::string& path);
    bool is_open() const { return buf_.is_open(); }
    // errno of the failed open; 0 when the path names something other than a regular file.
    int error() const { return buf_.error(); }

private:
    RegularFileBuf buf_;
};

}  // namespace win
