#pragma once
// Name look-up for the mail socket. The system resolver asks the desktop's name service;
// tests put their own in its place so that no name ever leaves the machine.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tessaro::mail {

struct HostAnswer {
    std::vector<std::uint32_t> ipv4;  // host order, first is used
    int error = 0;                    // a socket error number (11001 not found), 0 for none
};

class HostResolver {
public:
    virtual ~HostResolver() = default;
    // Starts a look-up; `done` runs later on the main thread unless the look-up is aborted.
    virtual int Start(const std::string& host, std::function<void(const HostAnswer&)> done) = 0;
    virtual void Abort(int id) = 0;
};

std::unique_ptr<HostResolver> SystemResolver();

}  // namespace tessaro::mail
