#include "platform/media_support.h"

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include <memory>

namespace win {

namespace {

// What the video player builds before it opens a file.
constexpr const char* kPlayerElements[] = {"playbin",       "uridecodebin", "decodebin",      "audioconvert",
                                           "audioresample", "videoconvert", "videoscale",     "volume",
                                           "queue",         "tee",          "input-selector", "identity"};

constexpr GstClockTime kDiscoveryTimeout = 10 * GST_SECOND;

template <typename T>
struct Unref {
    void operator()(T* p) const { g_object_unref(p); }
};

std::optional<std::string> MissingElement() {
    for (const char* name : kPlayerElements) {
        GstElementFactory* factory = gst_element_factory_find(name);
        if (!factory) return std::string(name);
        gst_object_unref(factory);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> MissingMediaPlugin(const std::string& path) {
    if (!gst_is_initialized() && !gst_init_check(nullptr, nullptr, nullptr))
        return std::string("the media framework could not start");
    if (auto element = MissingElement()) return element;

    GError* error = nullptr;
    gchar* uri = gst_filename_to_uri(path.c_str(), &error);
    if (!uri) {
        g_clear_error(&error);
        return std::nullopt;  // no such file: the player says so
    }
    std::unique_ptr<GstDiscoverer, Unref<GstDiscoverer>> discoverer(
        gst_discoverer_new(kDiscoveryTimeout, &error));
    if (!discoverer) {
        g_free(uri);
        g_clear_error(&error);
        return std::string("discoverer");
    }
    std::unique_ptr<GstDiscovererInfo, Unref<GstDiscovererInfo>> info(
        gst_discoverer_discover_uri(discoverer.get(), uri, &error));
    g_free(uri);
    g_clear_error(&error);
    if (!info || gst_discoverer_info_get_result(info.get()) != GST_DISCOVERER_MISSING_PLUGINS)
        return std::nullopt;
    std::string what;
    if (const gchar** details = gst_discoverer_info_get_missing_elements_installer_details(info.get())) {
        for (const gchar** d = details; *d; ++d) {
            // "gstreamer|1.0|app|description|detail": the description is what a user reads.
            std::string detail = *d;
            for (int field = 0; field < 3 && detail.find('|') != std::string::npos; ++field)
                detail.erase(0, detail.find('|') + 1);
            detail = detail.substr(0, detail.find('|'));
            if (!what.empty()) what += ", ";
            what += detail;
        }
    }
    return what.empty() ? std::string("unknown") : what;
}

}  // namespace win
