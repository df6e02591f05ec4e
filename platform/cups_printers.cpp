#include "platform/cups_printers.h"

#include <cups/cups.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstring>

namespace win {
namespace {

// The print system's client library, loaded when a macro first asks for a printer: it
// brings a TLS stack and more with it that the player does not need otherwise.
struct CupsLibrary {
    decltype(&::cupsGetDests2) getDests = nullptr;
    decltype(&::cupsFreeDests) freeDests = nullptr;
    decltype(&::cupsSetDests2) setDests = nullptr;
    decltype(&::cupsGetDest) getDest = nullptr;
    bool ok() const { return getDests && freeDests && setDests && getDest; }
};

const CupsLibrary& Cups() {
    static const CupsLibrary lib = [] {
        CupsLibrary l;
        void* handle = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            std::fprintf(stderr, "tessaro: the print system's library cannot be loaded: %s\n", ::dlerror());
            return l;
        }
        l.getDests = reinterpret_cast<decltype(l.getDests)>(::dlsym(handle, "cupsGetDests2"));
        l.freeDests = reinterpret_cast<decltype(l.freeDests)>(::dlsym(handle, "cupsFreeDests"));
        l.setDests = reinterpret_cast<decltype(l.setDests)>(::dlsym(handle, "cupsSetDests2"));
        l.getDest = reinterpret_cast<decltype(l.getDest)>(::dlsym(handle, "cupsGetDest"));
        return l;
    }();
    return lib;
}

// The destinations the print system knows, freed with the object.
class Destinations {
public:
    // Without the library there are no destinations.
    Destinations() : count_(Cups().ok() ? Cups().getDests(CUPS_HTTP_DEFAULT, &dests_) : 0) {}
    ~Destinations() {
        if (dests_) Cups().freeDests(count_, dests_);
    }
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
    return Cups().setDests(CUPS_HTTP_DEFAULT, dests.count(), dests.data()) == 0 ? PrinterResult::Done
                                                                                : PrinterResult::Failed;
}

std::string CupsPrinters::Default() {
    Destinations dests;
    if (dests.count() == 0) return {};
    const cups_dest_t* d = Cups().getDest(nullptr, nullptr, dests.count(), dests.data());
    return d ? d->name : std::string();
}

}  // namespace win
