#include "mail/reply_lines.h"

namespace tessaro::mail {

void ReplyLineReader::Feed(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        const std::string_view part = bytes.substr(0, lf);
        if (!dropping_) {
            const std::size_t room = kMaxReplyLine - partial_.size();
            partial_.append(part.substr(0, room));
            if (part.size() > room) dropping_ = true;
        }
        if (lf == std::string_view::npos) return;
        while (!partial_.empty() && (partial_.back() == '\r' || partial_.back() == '\n')) partial_.pop_back();
        ready_.append(partial_);
        ready_.push_back('\n');
        partial_.clear();
        dropping_ = false;
        bytes.remove_prefix(lf + 1);
    }
}

std::optional<std::string> ReplyLineReader::TakeLine() {
    if (readyPos_ >= ready_.size()) return std::nullopt;
    const std::size_t lf = ready_.find('\n', readyPos_);
    std::string line = ready_.substr(readyPos_, lf - readyPos_);
    readyPos_ = lf + 1;
    if (readyPos_ == ready_.size()) {
        ready_.clear();
        readyPos_ = 0;
    }
    return line;
}

int GetReplyCode(std::string_view line) {
    const std::string_view head = line.substr(0, 3);
    if (head.empty()) return -1;
    int code = 0;
    for (char c : head) {
        if (c < '0' || c > '9') return -1;
        code = code * 10 + (c - '0');
    }
    return code;
}

bool OpensMultiLineReply(std::string_view line) {
    return GetReplyCode(line) > 0 && line.size() > 3 && line[3] == '-';
}

bool EndsMultiLineReply(std::string_view line, int first) {
    return GetReplyCode(line) == first && (line.size() == 3 || line[3] == ' ');
}

}  // namespace tessaro::mail
