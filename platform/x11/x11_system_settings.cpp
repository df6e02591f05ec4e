#include "platform/x11/x11_system_settings.h"

// Qt before Xlib, whose macros (Status, Bool) break Qt's headers.
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QUrl>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "platform/paths.h"
#include "platform/x11/xlib_memory.h"
#include "platform/x11/error_trap.h"
#include "platform/x11/properties.h"

namespace win::x11 {

namespace {

constexpr int kSettingsToolMs = 5000;
const char* const kBackgroundSchema = "org.gnome.desktop.background";
// The placed pictures handed to the desktop's store, in the program directory.
constexpr const char* kPlacedWallpapers[] = {"PlacedWallpaper1.png", "PlacedWallpaper2.png"};

// The desktop's settings tool; its exit status and what it printed.
std::pair<int, std::string> SettingsTool(const QStringList& args) {
    QProcess tool;
    tool.start("gsettings", args);
    if (!tool.waitForFinished(kSettingsToolMs) || tool.exitStatus() != QProcess::NormalExit) {
        tool.kill();
        tool.waitForFinished(1000);
        return {-1, {}};
    }
    return {tool.exitCode(), tool.readAllStandardOutput().trimmed().toStdString()};
}

template <typename T, void (*Free)(T*)>
struct XrrFree {
    void operator()(T* p) const {
        if (p) Free(p);
    }
};
using Resources = std::unique_ptr<XRRScreenResources, XrrFree<XRRScreenResources, XRRFreeScreenResources>>;
using OutputInfo = std::unique_ptr<XRROutputInfo, XrrFree<XRROutputInfo, XRRFreeOutputInfo>>;
using CrtcInfo = std::unique_ptr<XRRCrtcInfo, XrrFree<XRRCrtcInfo, XRRFreeCrtcInfo>>;

struct PrimaryOutput {
    Resources resources;
    OutputInfo output;
};

// The primary output, else the first connected one with a CRTC.
std::optional<PrimaryOutput> FindPrimary(Display* d) {
    int event = 0, error = 0;
    if (!XRRQueryExtension(d, &event, &error)) return std::nullopt;
    const Window root = DefaultRootWindow(d);
    Resources res(XRRGetScreenResources(d, root));
    if (!res) return std::nullopt;
    const RROutput primary = XRRGetOutputPrimary(d, root);
    std::vector<RROutput> order;
    if (primary) order.push_back(primary);
    for (int i = 0; i < res->noutput; ++i) order.push_back(res->outputs[i]);
    for (RROutput o : order) {
        OutputInfo info(XRRGetOutputInfo(d, res.get(), o));
        if (info && info->connection == RR_Connected && info->nmode > 0)
            return PrimaryOutput{std::move(res), std::move(info)};
    }
    return std::nullopt;
}

const XRRModeInfo* ModeInfo(const XRRScreenResources& res, RRMode id) {
    for (int i = 0; i < res.nmode; ++i)
        if (res.modes[i].id == id) return &res.modes[i];
    return nullptr;
}

int RefreshOf(const XRRModeInfo& m) {
    double lines = m.vTotal;
    if (m.modeFlags & RR_DoubleScan) lines *= 2;
    if (m.modeFlags & RR_Interlace) lines /= 2;
    if (m.hTotal == 0 || lines == 0) return 0;
    return static_cast<int>(std::lround(static_cast<double>(m.dotClock) / (m.hTotal * lines)));
}

DisplayMode ModeOf(Display* d, const XRRModeInfo& m) {
    const int depth = DefaultDepth(d, DefaultScreen(d));
    return DisplayMode{static_cast<int>(m.width), static_cast<int>(m.height),
                       depth >= 31 ? 0x7fffffff : 1 << depth, RefreshOf(m)};
}

}  // namespace

X11SystemSettings::~X11SystemSettings() = default;

void X11SystemSettings::SetKeyRepeatDelay(int ms) {
    ErrorTrap trap(display_);
    unsigned delay = 0, interval = 0;
    if (!XkbGetAutoRepeatRate(display_, XkbUseCoreKbd, &delay, &interval)) return;
    XkbSetAutoRepeatRate(display_, XkbUseCoreKbd, static_cast<unsigned>(ms), interval);
    XFlush(display_);
}

void X11SystemSettings::SetKeyRepeatRate(double perSecond) {
    ErrorTrap trap(display_);
    unsigned delay = 0, interval = 0;
    if (!XkbGetAutoRepeatRate(display_, XkbUseCoreKbd, &delay, &interval) || perSecond <= 0) return;
    XkbSetAutoRepeatRate(display_, XkbUseCoreKbd, delay,
                         static_cast<unsigned>(std::lround(1000.0 / perSecond)));
    XFlush(display_);
}

std::optional<std::pair<int, double>> X11SystemSettings::KeyRepeat() {
    ErrorTrap trap(display_);
    unsigned delay = 0, interval = 0;
    if (!XkbGetAutoRepeatRate(display_, XkbUseCoreKbd, &delay, &interval) || interval == 0)
        return std::nullopt;
    return std::make_pair(static_cast<int>(delay), 1000.0 / interval);
}

ScreenSaver X11SystemSettings::GetScreenSaver() {
    ScreenSaver s;
    XGetScreenSaver(display_, &s.timeoutSeconds, &s.intervalSeconds, &s.preferBlanking, &s.allowExposures);
    return s;
}

void X11SystemSettings::SetScreenSaver(const ScreenSaver& s) {
    ErrorTrap trap(display_);
    XSetScreenSaver(display_, s.timeoutSeconds, s.intervalSeconds, s.preferBlanking, s.allowExposures);
    XFlush(display_);
}

void X11SystemSettings::ActivateScreenSaver() {
    ErrorTrap trap(display_);
    XForceScreenSaver(display_, ScreenSaverActive);
    XFlush(display_);
}

std::vector<DisplayMode> X11SystemSettings::DisplayModes() {
    ErrorTrap trap(display_);
    std::vector<DisplayMode> out;
    const auto primary = FindPrimary(display_);
    if (!primary) return out;
    for (int i = 0; i < primary->output->nmode; ++i)
        if (const XRRModeInfo* m = ModeInfo(*primary->resources, primary->output->modes[i]))
            out.push_back(ModeOf(display_, *m));
    return out;
}

ModeChange X11SystemSettings::SetDisplayMode(const DisplayMode& mode) {
    ErrorTrap trap(display_);
    const auto primary = FindPrimary(display_);
    if (!primary || !primary->output->crtc) return ModeChange::Failed;
    const XRRScreenResources& res = *primary->resources;
    const XRRModeInfo* chosen = nullptr;
    for (int i = 0; i < primary->output->nmode && !chosen; ++i) {
        const XRRModeInfo* m = ModeInfo(res, primary->output->modes[i]);
        if (m && ModeOf(display_, *m) == mode) chosen = m;
    }
    if (!chosen) return ModeChange::Failed;
    // The test: the screen can take the size, and the output's CRTC can show the mode.
    const Window root = DefaultRootWindow(display_);
    int minW = 0, minH = 0, maxW = 0, maxH = 0;
    if (!XRRGetScreenSizeRange(display_, root, &minW, &minH, &maxW, &maxH)) return ModeChange::Failed;
    const int w = static_cast<int>(chosen->width), h = static_cast<int>(chosen->height);
    if (w < minW || w > maxW || h < minH || h > maxH) return ModeChange::Failed;
    CrtcInfo crtc(XRRGetCrtcInfo(display_, primary->resources.get(), primary->output->crtc));
    if (!crtc) return ModeChange::Failed;
    const int screen = DefaultScreen(display_);
    const double mmPerPixel =
        static_cast<double>(DisplayWidthMM(display_, screen)) / DisplayWidth(display_, screen);
    const int mmW = std::max(1, static_cast<int>(std::lround(w * mmPerPixel)));
    const int mmH = std::max(1, static_cast<int>(std::lround(h * mmPerPixel)));
    // A bigger mode needs the bigger screen first; a smaller one shrinks it afterwards.
    const bool grows = w > DisplayWidth(display_, screen) || h > DisplayHeight(display_, screen);
    if (grows)
        XRRSetScreenSize(display_, root, std::max(w, DisplayWidth(display_, screen)),
                         std::max(h, DisplayHeight(display_, screen)), mmW, mmH);
    const Status status =
        XRRSetCrtcConfig(display_, primary->resources.get(), primary->output->crtc, CurrentTime, crtc->x,
                         crtc->y, chosen->id, crtc->rotation, crtc->outputs, crtc->noutput);
    if (status != RRSetConfigSuccess) return ModeChange::Failed;
    XRRSetScreenSize(display_, root, w, h, mmW, mmH);
    return trap.Finish() == 0 ? ModeChange::Done : ModeChange::Failed;
}

namespace {

// Desktops whose background is the one the background schema describes.
bool ReadsBackgroundSchema(std::string_view desktops) {
    while (!desktops.empty()) {
        const std::size_t colon = desktops.find(':');
        std::string name(desktops.substr(0, colon));
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        if (name == "gnome" || name == "unity" || name == "budgie") return true;
        if (colon == std::string_view::npos) break;
        desktops.remove_prefix(colon + 1);
    }
    return false;
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool SessionBusReachable() {
    if (!Env("DBUS_SESSION_BUS_ADDRESS").empty()) return true;
    const std::string runtime = Env("XDG_RUNTIME_DIR");
    struct stat st {};
    return !runtime.empty() && ::stat((runtime + "/bus").c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

// A shown window of the desktop type, at the top level or in a window manager's frame.
bool HasDesktopWindow(Display* d, Window parent, Atom typeAtom, Atom desktopType, int depth) {
    Window root = 0, up = 0;
    Window* children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d, parent, &root, &up, &children, &n)) return false;
    const XMemory<Window> owned = XOwned(children);
    bool found = false;
    for (unsigned i = 0; i < n && !found; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(d, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        const std::vector<unsigned long> types = LongProperty(d, children[i], typeAtom, XA_ATOM);
        found = std::find(types.begin(), types.end(), desktopType) != types.end() ||
                (depth < 1 && HasDesktopWindow(d, children[i], typeAtom, desktopType, depth + 1));
    }
    return found;
}

}  // namespace

WallpaperTarget ChooseWallpaperTarget(const WallpaperSession& s) {
    // Such a desktop paints over the root window: only its store can change the picture.
    if (ReadsBackgroundSchema(s.currentDesktop) && s.sessionBus)
        return s.schemaInstalled ? WallpaperTarget::DesktopSettings : WallpaperTarget::NotShown;
    if (s.desktopWindow) return WallpaperTarget::NotShown;
    return WallpaperTarget::RootWindow;
}

WallpaperSession CurrentWallpaperSession(Display* display) {
    WallpaperSession s;
    s.currentDesktop = Env("XDG_CURRENT_DESKTOP");
    s.sessionBus = SessionBusReachable();
    if (ReadsBackgroundSchema(s.currentDesktop) && s.sessionBus)
        s.schemaInstalled = BackgroundSchemaInstalled();
    ErrorTrap trap(display);  // windows may go while they are looked at
    s.desktopWindow =
        HasDesktopWindow(display, DefaultRootWindow(display), AtomOf(display, "_NET_WM_WINDOW_TYPE"),
                         AtomOf(display, "_NET_WM_WINDOW_TYPE_DESKTOP"), 0);
    return s;
}

bool BackgroundSchemaInstalled() { return SettingsTool({"list-keys", kBackgroundSchema}).first == 0; }

std::string BackgroundSetting(const std::string& key) {
    return SettingsTool({"get", kBackgroundSchema, QString::fromStdString(key)}).second;
}

WallpaperChange X11SystemSettings::SetWallpaper(const std::string& file, WallpaperStyle style, int x, int y) {
    if (!QImageReader(QString::fromStdString(file)).canRead()) return WallpaperChange::NotAPicture;
    bool taken = false;
    switch (ChooseWallpaperTarget(CurrentWallpaperSession(display_))) {
        case WallpaperTarget::DesktopSettings: taken = SetStoredPicture(file, style, x, y); break;
        case WallpaperTarget::RootWindow: taken = SetRootPicture(file, style, x, y); break;
        case WallpaperTarget::NotShown: break;
    }
    return taken ? WallpaperChange::Done : WallpaperChange::NotTaken;
}

bool X11SystemSettings::SetStoredPicture(const std::string& file, WallpaperStyle style, int x, int y) {
    std::string shown = file;
    if (style == WallpaperStyle::Positioned) {
        // The store has no position: it gets the picture already placed on a screen-sized
        // canvas, shown across the whole screen.
        const std::optional<std::string> placed = PlacePicture(file, x, y);
        if (!placed) return false;
        shown = *placed;
    }
    const QString uri = QUrl::fromLocalFile(QString::fromStdString(shown)).toString();
    static constexpr const char* kOptions[] = {"wallpaper", "centered", "stretched", "spanned"};
    const QString options = kOptions[static_cast<int>(style)];
    if (SettingsTool({"set", kBackgroundSchema, "picture-uri", uri}).first != 0) return false;
    // Only newer schemas have the dark variant.
    SettingsTool({"set", kBackgroundSchema, "picture-uri-dark", uri});
    return SettingsTool({"set", kBackgroundSchema, "picture-options", options}).first == 0;
}

QImage X11SystemSettings::ScreenCanvas(const std::string& file, WallpaperStyle style, int x, int y) {
    const QImage picture(QString::fromStdString(file));
    if (picture.isNull()) return {};
    const int screen = DefaultScreen(display_);
    const int width = DisplayWidth(display_, screen), height = DisplayHeight(display_, screen);
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QPainter p(&canvas);
        switch (style) {
            case WallpaperStyle::Tiled:
                for (int ty = 0; ty < height; ty += picture.height())
                    for (int tx = 0; tx < width; tx += picture.width()) p.drawImage(tx, ty, picture);
                break;
            case WallpaperStyle::Stretched: p.drawImage(QRect(0, 0, width, height), picture); break;
            case WallpaperStyle::Centred:
                p.drawImage((width - picture.width()) / 2, (height - picture.height()) / 2, picture);
                break;
            case WallpaperStyle::Positioned: p.drawImage(x, y, picture); break;
        }
    }
    return canvas;
}

std::optional<std::string> X11SystemSettings::PlacePicture(const std::string& file, int x, int y) {
    const QImage canvas = ScreenCanvas(file, WallpaperStyle::Positioned, x, y);
    if (canvas.isNull()) return std::nullopt;
    // Two names in turn: the desktop shows a new picture only when its name changes.
    const std::string dir = ProgramDirectory();
    const std::string first = JoinPath(dir, kPlacedWallpapers[0]);
    const bool firstShown =
        BackgroundSetting("picture-uri")
            .find(QUrl::fromLocalFile(QString::fromStdString(first)).toString().toStdString()) !=
        std::string::npos;
    const std::string out = firstShown ? JoinPath(dir, kPlacedWallpapers[1]) : first;
    if (!canvas.save(QString::fromStdString(out), "PNG")) return std::nullopt;
    return out;
}

bool X11SystemSettings::SetRootPicture(const std::string& file, WallpaperStyle style, int x, int y) {
    QImage canvas = ScreenCanvas(file, style, x, y);
    if (canvas.isNull()) return false;
    const int screen = DefaultScreen(display_);
    const int width = canvas.width(), height = canvas.height();
    ErrorTrap trap(display_);
    const unsigned depth = static_cast<unsigned>(DefaultDepth(display_, screen));
    if (depth != 24 && depth != 32) return false;
    const Window root = RootWindow(display_, screen);
    const Pixmap pixmap =
        XCreatePixmap(display_, root, static_cast<unsigned>(width), static_cast<unsigned>(height), depth);
    XImage* image = XCreateImage(display_, DefaultVisual(display_, screen), depth, ZPixmap, 0,
                                 reinterpret_cast<char*>(canvas.bits()), static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), 32, static_cast<int>(canvas.bytesPerLine()));
    if (!image) {
        XFreePixmap(display_, pixmap);
        return false;
    }
    const GC gc = XCreateGC(display_, pixmap, 0, nullptr);
    XPutImage(display_, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    XFreeGC(display_, gc);
    image->data = nullptr;  // the pixels belong to the canvas
    XDestroyImage(image);
    XSetWindowBackgroundPixmap(display_, root, pixmap);
    XClearWindow(display_, root);
    // Programs that draw their background from the desktop's look here.
    for (const char* name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"})
        XChangeProperty(display_, root, AtomOf(display_, name), XA_PIXMAP, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pixmap), 1);
    if (rootPicture_) XFreePixmap(display_, rootPicture_);
    rootPicture_ = pixmap;
    return trap.Finish() == 0;
}

}  // namespace win::x11
