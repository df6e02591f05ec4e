#include "player/commands/windows.h"

#include <algorithm>

#include "player/engine/window_activation.h"

namespace tessaro {
namespace {

std::string Arg(const Token& token, std::size_t i) {
    return i < token.args.size() ? std::string(token.args[i]) : std::string();
}

int Coordinate(const Token& token, std::size_t i) { return static_cast<int>(ArgInt(Arg(token, i))); }

void Arrange(win::WindowControl& control, bool cascade, bool stacked) {
    std::vector<win::HWND> windows = control.NormalWindows();
    std::reverse(windows.begin(), windows.end());  // the back first
    const win::Bounds area = control.WorkArea();
    const int count = static_cast<int>(windows.size());
    const auto frames = cascade ? CascadeLayout(area, count) : TileLayout(area, count, stacked);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (control.IsMaximised(windows[i])) control.Restore(windows[i]);
        control.SetFrameRect(windows[i], frames[i]);
    }
}

}  // namespace

win::HWND FindWindowByTitle(win::Desktop& desktop, win::WindowControl& control, const std::string& title,
                            bool hidden) {
    if (title.empty()) return 0;
    if (IsCurrentWindowTitle(title)) return desktop.ForegroundWindow();
    if (const win::HWND w = GetWinHandle(desktop, title)) return w;
    if (!hidden) return 0;
    const auto windows = control.HiddenWindows();
    for (win::HWND w : windows)
        if (desktop.WindowText(w) == title) return w;
    for (win::HWND w : windows)
        if (ScopeTextMatches(title, desktop.WindowText(w))) return w;
    return 0;
}

std::vector<win::Bounds> CascadeLayout(const win::Bounds& area, int count) {
    std::vector<win::Bounds> out;
    const int width = std::max(1, area.width * 2 / 3);
    const int height = std::max(1, area.height * 2 / 3);
    int offset = 0;
    for (int i = 0; i < count; ++i) {
        if (offset + width > area.width || offset + height > area.height) offset = 0;
        out.push_back({area.x + offset, area.y + offset, width, height});
        offset += kCascadeStep;
    }
    return out;
}

std::vector<win::Bounds> TileLayout(const win::Bounds& area, int count, bool stacked) {
    std::vector<win::Bounds> out;
    if (count <= 0) return out;
    const int total = stacked ? area.height : area.width;
    for (int i = 0; i < count; ++i) {
        // Bands end where the next begins, so rounding leaves no gap at the far edge.
        const int from = total * i / count;
        const int to = total * (i + 1) / count;
        out.push_back(stacked ? win::Bounds{area.x, area.y + from, area.width, to - from}
                              : win::Bounds{area.x + from, area.y, to - from, area.height});
    }
    return out;
}

bool RunWindowCommand(win::Desktop& desktop, win::WindowControl& control, const Token& token) {
    using K = TokenKind;
    switch (token.kind) {
        case K::CascDesk: Arrange(control, true, false); return true;
        case K::TilHDesk: Arrange(control, false, true); return true;
        case K::TilVDesk: Arrange(control, false, false); return true;
        case K::MiniDesk: control.ShowDesktop(true); return true;
        case K::RestDesk: control.ShowDesktop(false); return true;
        case K::WShut:
        case K::WHide:
        case K::WShow:
        case K::WMax:
        case K::WMin:
        case K::WCls:
        case K::WRes:
        case K::WSize:
        case K::WPos:
        case K::WPos2: break;
        default: return false;
    }
    const std::string title = Arg(token, token.args.empty() ? 0 : token.args.size() - 1);
    const win::HWND window = FindWindowByTitle(desktop, control, title, token.kind == K::WShow);
    if (!window) return true;
    switch (token.kind) {
        case K::WShut: control.EndProgram(window); break;
        case K::WHide: control.Hide(window); break;
        case K::WShow: control.Show(window); break;
        case K::WMax: control.Maximise(window); break;
        case K::WMin: control.Minimise(window); break;
        case K::WCls: control.Close(window); break;
        case K::WRes: control.Restore(window); break;
        case K::WSize:
        case K::WPos:
        case K::WPos2: {
            auto frame = control.FrameRect(window);
            if (!frame) break;  // gone meanwhile
            if (token.kind == K::WSize) {
                frame->width = Coordinate(token, 0);
                frame->height = Coordinate(token, 1);
            } else {
                frame->x = Coordinate(token, 0);
                frame->y = Coordinate(token, 1);
            }
            control.SetFrameRect(window, *frame);
            break;
        }
        default: break;
    }
    return true;
}

}  // namespace tessaro
