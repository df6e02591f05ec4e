#pragma once
// The print system's destinations through its client library; the server is the one the
// library is set to ($CUPS_SERVER, else the local one).
#include "platform/printers.h"

namespace win {

class CupsPrinters : public Printers {
public:
    std::vector<std::string> Names() override;
    PrinterResult SetDefault(const std::string& name) override;
    std::string Default() override;
};

}  // namespace win
