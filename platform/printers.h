#pragma once
// The printers of the print system and the user's default among them. Backends: the
// print system's client library, and sim/ (a list).
#include <string>
#include <vector>

namespace win {

enum class PrinterResult { Done, NotFound, Failed };

class Printers {
public:
    virtual ~Printers() = default;
    virtual std::vector<std::string> Names() = 0;
    // Makes the printer named exactly `name` (case counts) the user's default.
    virtual PrinterResult SetDefault(const std::string& name) = 0;
    // The user's default printer; empty when none.
    virtual std::string Default() = 0;
};

}  // namespace win
