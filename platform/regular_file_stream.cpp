#include "platform/regular_file_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace win {

RegularFileBuf::RegularFileBuf(const std::string& path) : fd_(OpenRegularFile(path, O_RDONLY)) {
    if (!fd_.valid()) error_ = errno;
    setg(buffer_.data(), buffer_.data(), buffer_.data());
}

RegularFileBuf::int_type RegularFileBuf::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (!fd_.valid()) return traits_type::eof();
    const ssize_t got = ReadAt(fd_.get(), buffer_.data(), buffer_.size(), next_);
    if (got <= 0) return traits_type::eof();
    next_ += got;
    setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
    return traits_type::to_int_type(*gptr());
}

RegularFileBuf::pos_type RegularFileBuf::seekoff(off_type off, std::ios_base::seekdir dir,
                                                 std::ios_base::openmode which) {
    if (!fd_.valid() || !(which & std::ios_base::in)) return pos_type(off_type(-1));
    off_type base = 0;
    if (dir == std::ios_base::cur) {
        base = next_ - (egptr() - gptr());
    } else if (dir == std::ios_base::end) {
        struct stat st {};
        if (::fstat(fd_.get(), &st) != 0) return pos_type(off_type(-1));
        base = st.st_size;
    }
    return seekpos(pos_type(base + off), which);
}

RegularFileBuf::pos_type RegularFileBuf::seekpos(pos_type pos, std::ios_base::openmode which) {
    if (!fd_.valid() || !(which & std::ios_base::in) || off_type(pos) < 0) return pos_type(off_type(-1));
    next_ = off_type(pos);
    setg(buffer_.data(), buffer_.data(), buffer_.data());
    return pos;
}

RegularFileStream::RegularFileStream(const std::string& path) : std::istream(nullptr), buf_(path) {
    rdbuf(&buf_);
    if (!buf_.is_open()) setstate(std::ios_base::failbit);
}

}  // namespace win
