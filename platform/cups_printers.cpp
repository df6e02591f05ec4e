#include "platform/cups_printers.h"

#include <cups/cups.h>

#include <cstring>

namespace win {
namespace {

// The destinations the print system knows, freed with the object.
class Destinations {
public:
    Destinations() : count_(cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_)) {}
    ~Destinations() { cupsFreeDests(count_, dests_); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;
    int count() const { return count_; }
    cups_dest_t* data() { return dests_; }
    cups_dest_t& operator[](int i) { return dests_[i]; }

private:
    cups_dest_t* dests_ = nullptr;
    int count_ = 0;
};

}  // namespace

std::vector<std::string> CupsPrinters::Names() {
    Destinations dests;
    std::vector<std::string> names;
    for (int i = 0; i < dests.count(); ++i)
        if (!dests[i].instance) names.emplace_back(dests[i].name);
    return names;
}

PrinterResult CupsPrinters::SetDefault(const std::string& name) {
    Destinations dests;
    int found = -1;
    for (int i = 0; i < dests.count() && found < 0; ++i)
        if (!dests[i].instance && std::strcmp(dests[i].name, name.c_str()) == 0) found = i;
    if (found < 0) return PrinterResult::NotFound;
    for (int i = 0; i < dests.count(); ++i) dests[i].is_default = i == found;
    return cupsSetDests2(CUPS_HTTP_DEFAULT, dests.count(), dests.data()) == 0 ? PrinterResult::Done
                                                                              : PrinterResult::Failed;
}

std::string CupsPrinters::Default() {
    Destinations dests;
    const cups_dest_t* d = cupsGetDest(nullptr, nullptr, dests.count(), dests.data());
    return d ? d->name : std::string();
}

}  // namespace win
