#include "player/ui/video/media_backend.h"

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

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

// What Qt's GStreamer player builds for a file with a picture and sound.
constexpr std::array<Element, 13> kVideoElements{{
    {"playbin", "gstreamer1.0-plugins-base"},
    {"queue", "libgstreamer1.0-0"},
    {"tee", "libgstreamer1.0-0"},
    {"identity", "libgstreamer1.0-0"},
    {"input-selector", "libgstreamer1.0-0"},
    {"uridecodebin", "gstreamer1.0-plugins-base"},
    {"decodebin", "gstreamer1.0-plugins-base"},
    {"videoconvert", "gstreamer1.0-plugins-base"},
    {"videoscale", "gstreamer1.0-plugins-base"},
    {"audioconvert", "gstreamer1.0-plugins-base"},
    {"audioresample", "gstreamer1.0-plugins-base"},
    {"volume", "gstreamer1.0-plugins-base"},
    {"autoaudiosink", "gstreamer1.0-plugins-good"},
}};

constexpr GstClockTime kDiscoveryTimeout = 10 * GST_SECOND;

template <typename T>
struct Unref {
    void operator()(T* p) const { g_object_unref(p); }
};

const char* PackageOf(const std::string& element) {
    for (const Element& e : kVideoElements)
        if (element == e.name) return e.package;
    return "libgstreamer1.0-0";
}

bool GStreamerChosen() {
    const QByteArray chosen = qgetenv("QT_MEDIA_BACKEND");
    return chosen.isEmpty() || chosen == "gstreamer";
}

bool FrameworkStarted() { return gst_is_initialized() || gst_init_check(nullptr, nullptr, nullptr); }

// "gstreamer|1.0|app|description|detail" of each missing plug-in: the descriptions.
std::string MissingDescriptions(GstDiscovererInfo* info) {
    std::string what;
    if (const gchar** details = gst_discoverer_info_get_missing_elements_installer_details(info)) {
        for (const gchar** d = details; *d; ++d) {
            std::string detail = *d;
            for (int field = 0; field < 3 && detail.find('|') != std::string::npos; ++field)
                detail.erase(0, detail.find('|') + 1);
            what += (what.empty() ? "" : ", ") + detail.substr(0, detail.find('|'));
        }
    }
    return what.empty() ? std::string("unknown") : what;
}

}  // namespace

std::vector<std::string> MissingVideoElements() {
    if (!GStreamerChosen()) return {};
    std::vector<std::string> missing;
    const bool started = FrameworkStarted();
    for (const Element& e : kVideoElements) {
        GstElementFactory* factory = started ? gst_element_factory_find(e.name) : nullptr;
        if (factory)
            gst_object_unref(factory);
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

std::optional<std::string> MissingMediaPlugin(const std::string& path) {
    if (!GStreamerChosen()) return std::nullopt;
    if (!FrameworkStarted()) return std::string("the media framework could not start");
    GError* error = nullptr;
    gchar* uri = gst_filename_to_uri(path.c_str(), &error);
    g_clear_error(&error);
    if (!uri) return std::nullopt;
    const std::unique_ptr<GstDiscoverer, Unref<GstDiscoverer>> discoverer(
        gst_discoverer_new(kDiscoveryTimeout, &error));
    g_clear_error(&error);
    if (!discoverer) {
        g_free(uri);
        return std::string("discoverer");
    }
    const std::unique_ptr<GstDiscovererInfo, Unref<GstDiscovererInfo>> info(
        gst_discoverer_discover_uri(discoverer.get(), uri, &error));
    g_free(uri);
    g_clear_error(&error);
    if (!info || gst_discoverer_info_get_result(info.get()) != GST_DISCOVERER_MISSING_PLUGINS)
        return std::nullopt;
    return MissingDescriptions(info.get());
}

}  // namespace tessaro
