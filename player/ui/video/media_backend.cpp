#include "player/ui/video/media_backend.h"

#include <dlfcn.h>

#include <QByteArray>
#include <QtGlobal>
#include <array>
#include <memory>

namespace tessaro {
namespace {

struct Element {
    const char* name;
    const char* package;
};

// What Qt's GStreamer player links for a file with a picture and sound.
constexpr std::array<Element, 9> kVideoElements{{
    {"queue", "libgstreamer1.0-0"},
    {"tee", "libgstreamer1.0-0"},
    {"uridecodebin", "gstreamer1.0-plugins-base"},
    {"videoconvert", "gstreamer1.0-plugins-base"},
    {"videoscale", "gstreamer1.0-plugins-base"},
    {"audioconvert", "gstreamer1.0-plugins-base"},
    {"audioresample", "gstreamer1.0-plugins-base"},
    {"volume", "gstreamer1.0-plugins-base"},
    {"autoaudiosink", "gstreamer1.0-plugins-good"},
}};

struct LibraryCloser {
    void operator()(void* handle) const { ::dlclose(handle); }
};

const char* PackageOf(const std::string& element) {
    for (const Element& e : kVideoElements)
        if (element == e.name) return e.package;
    return "libgstreamer1.0-0";
}

}  // namespace

std::vector<std::string> MissingVideoElements() {
    const QByteArray chosen = qgetenv("QT_MEDIA_BACKEND");
    if (!chosen.isEmpty() && chosen != "gstreamer") return {};
    std::vector<std::string> missing;
    // Never unloaded: once initialised, the library's types live on in GLib.
    const std::unique_ptr<void, LibraryCloser> library(
        ::dlopen("libgstreamer-1.0.so.0", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE));
    void* gst = library.get();
    using InitCheck = int (*)(int*, char***, void**);
    using FactoryFind = void* (*)(const char*);
    using ObjectUnref = void (*)(void*);
    const auto init = gst ? reinterpret_cast<InitCheck>(::dlsym(gst, "gst_init_check")) : nullptr;
    const auto find = gst ? reinterpret_cast<FactoryFind>(::dlsym(gst, "gst_element_factory_find")) : nullptr;
    const auto unref = gst ? reinterpret_cast<ObjectUnref>(::dlsym(gst, "gst_object_unref")) : nullptr;
    void* error = nullptr;  // left to leak in the rare failure: its type is the library's own
    if (!init || !find || !unref || !init(nullptr, nullptr, &error)) {
        for (const Element& e : kVideoElements) missing.push_back(e.name);
        return missing;
    }
    for (const Element& e : kVideoElements) {
        if (void* factory = find(e.name))
            unref(factory);
        else
            missing.push_back(e.name);
    }
    return missing;
}

std::string DescribeMissingElements(const std::vector<std::string>& elements) {
    std::string names, packages;
    for (const std::string& e : elements) {
        names += (names.empty() ? "" : ", ") + e;
        const std::string package = PackageOf(e);
        if (packages.find(package) == std::string::npos) packages += (packages.empty() ? "" : " ") + package;
    }
    return "Video clips cannot be played on this computer: the media elements " + names +
           " are missing. Install " + packages + ".";
}

}  // namespace tessaro
