#include "hook/capture_recorder.h"

#include <cstdio>
#include <cstdlib>

#include "protocol/hotkey_codes.h"
#include "protocol/window_messages.h"

namespace tessaro::hook {

namespace {

struct KeyToken {
    std::uint16_t vk;
    const char* text;
};

// Keys that type no character of their own, as the player's key tokens name them.
constexpr KeyToken kKeyTokens[] = {
    {9, "<TAB>"},         {13, "<ENTER>"},       {8, "<BACKSPACE>"}, {27, "<ESC>"},        {93, "<APP>"},
    {37, "<LEFT ARROW>"}, {39, "<RIGHT ARROW>"}, {38, "<UP ARROW>"}, {40, "<DOWN ARROW>"}, {36, "<HOME>"},
    {35, "<END>"},        {45, "<INSERT>"},      {46, "<DELETE>"},   {34, "<PAGE DOWN>"},  {33, "<PAGE UP>"},
    {44, "<PRTSCR>"},     {19, "<PAUSEKEY>"},    {96, "<KEYP0>"},    {97, "<KEYP1>"},      {98, "<KEYP2>"},
    {99, "<KEYP3>"},      {100, "<KEYP4>"},      {101, "<KEYP5>"},   {102, "<KEYP6>"},     {103, "<KEYP7>"},
    {104, "<KEYP8>"},     {105, "<KEYP9>"},      {110, "<KEYP.>"},   {111, "<KEYP/>"},     {106, "<KEYP*>"},
    {109, "<KEYP->"},     {107, "<KEYP+>"},      {246, "<ATTN>"},    {247, "<CRSEL>"},     {248, "<EXSEL>"},
    {249, "<EREOF>"},     {250, "<PLAY>"},       {251, "<ZOOM>"},    {253, "<PA1>"},       {32, "<SPACE>"},
};

// Keys whose character is better replayed as the key itself.
bool TypedAsToken(std::uint16_t vk) { return vk == 9 || vk == 13 || vk == 8 || vk == 27; }

const char* TokenOf(std::uint16_t vk) {
    if (vk >= 112 && vk <= 135) {
        static const char* const kF[] = {"<F1>",  "<F2>",  "<F3>",  "<F4>",  "<F5>",  "<F6>",
                                         "<F7>",  "<F8>",  "<F9>",  "<F10>", "<F11>", "<F12>",
                                         "<F13>", "<F14>", "<F15>", "<F16>", "<F17>", "<F18>",
                                         "<F19>", "<F20>", "<F21>", "<F22>", "<F23>", "<F24>"};
        return kF[vk - 112];
    }
    for (const KeyToken& t : kKeyTokens)
        if (t.vk == vk) return t.text;
    return nullptr;
}

bool IsLockKey(std::uint16_t vk) { return vk == 20 || vk == 144 || vk == 145; }

// The modifier a key is, or -1.
int ModOf(std::uint16_t vk) {
    switch (vk) {
        case 17:
        case 162:
        case 163: return 0;
        case 18:
        case 164:
        case 165: return 1;
        case 16:
        case 160:
        case 161: return 2;
        case 91:
        case 92: return 3;
        default: return -1;
    }
}

constexpr const char* kDown[] = {"<CTLD>", "<ALTD>", "<SHFD>", "<WIND>"};
constexpr const char* kUp[] = {"<CTLU>", "<ALTU>", "<SHFU>", "<WINU>"};
constexpr std::uint8_t kModBit[] = {kModCtrl, kModAlt, kModShift, kModWin};

std::string Five(long v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%05ld", v);
    return buf;
}

bool Near(const InputEvent& a, const InputEvent& b) {
    return std::abs(a.x - b.x) <= CaptureRecorder::kNearPixels &&
           std::abs(a.y - b.y) <= CaptureRecorder::kNearPixels;
}

// Button 1 left, 2 right, 3 middle: the letter of its tokens.
char ButtonLetter(std::uint8_t b) { return b == 2 ? 'R' : b == 3 ? 'M' : 'L'; }

}  // namespace

void CaptureRecorder::Start(const TGlobData& g) {
    std::set<std::uint16_t> held = std::move(down_);
    *this = CaptureRecorder();
    down_ = std::move(held);
    // Only modifiers: the release of a grabbed key (the hot key that started the
    // capture) is never reported, and another key cannot change what is typed.
    for (const std::uint16_t vk : down_)
        if (ModOf(vk) >= 0) heldAtStart_.insert(vk);
    recording_ = true;
    startTime_ = g.CapStartTime;
    opt_.keys = g.CapKeys;
    opt_.mouse = g.CapMouse;
    opt_.clicksOnly = g.CapClicksOnly;
    opt_.time = g.CapTime;
    opt_.doubleAlt = g.CapDoubleAlt;
    opt_.windowSize = g.CapWindowSize2;
    opt_.relativeTo = g.CapRelativeTo >= 1 && g.CapRelativeTo <= 3 ? g.CapRelativeTo : 1;
    opt_.macro = g.CaptureMacro;
    auto mods = [](std::uint8_t c, std::uint8_t a, std::uint8_t s, std::uint8_t w) {
        return static_cast<std::uint8_t>((c ? kModCtrl : 0) | (a ? kModAlt : 0) | (s ? kModShift : 0) |
                                         (w ? kModWin : 0));
    };
    // Both zero: no stop key (the wizard's recording ends by message only).
    if (g.StopKeyMouse != 0 || g.StopKeyVK != 0)
        stops_.push_back(
            {g.StopKeyMouse, g.StopKeyVK, mods(g.StopKeyCtrl, g.StopKeyAlt, g.StopKeyShift, g.StopKeyWin)});
    if (g.OwnKeyOn && (g.OwnKeyMouse != 0 || (g.OwnKeyVK != 0 && g.OwnKeyVK != 1000)))
        stops_.push_back(
            {g.OwnKeyMouse, g.OwnKeyVK, mods(g.OwnKeyCtrl, g.OwnKeyAlt, g.OwnKeyShift, g.OwnKeyWin)});
}

void CaptureRecorder::Stop() {
    recording_ = false;
    press_.reset();
    click_.reset();
    wheel_.reset();
    text_.clear();
}

void CaptureRecorder::DropClickAndEnd() { Stop(); }

bool CaptureRecorder::BeforeStart(const InputEvent& e) const {
    const bool input = e.kind == InputEvent::KeyDown || e.kind == InputEvent::KeyUp ||
                       e.kind == InputEvent::ButtonDown || e.kind == InputEvent::ButtonUp ||
                       e.kind == InputEvent::Motion || e.kind == InputEvent::Wheel;
    // Server times wrap after 49 days: the difference tells which came first.
    return input && startTime_ != 0 && e.time != 0 && static_cast<std::int32_t>(e.time - startTime_) < 0;
}

bool CaptureRecorder::IsStopKey(const InputEvent& e) const {
    const std::uint8_t mods = e.mods & (kModCtrl | kModAlt | kModShift | kModWin);
    for (const StopKey& s : stops_) {
        if (s.mods != mods) continue;
        if (e.kind == InputEvent::KeyDown && s.mouse == 0 && s.vk == e.vk) return true;
        if (e.kind == InputEvent::ButtonDown && s.mouse != 0 && s.mouse == e.button) return true;
    }
    return false;
}

bool CaptureRecorder::OnEvent(const InputEvent& e, const TGlobData& g, std::vector<Post>& out) {
    if (e.kind == InputEvent::KeyDown) down_.insert(e.vk);
    if (e.kind == InputEvent::KeyUp) down_.erase(e.vk);
    if (!recording_ || e.synthetic) return false;
    if (BeforeStart(e)) {
        // The key that started the capture, read late: only what it holds is noted.
        if (e.kind == InputEvent::KeyDown && ModOf(e.vk) >= 0) heldAtStart_.insert(e.vk);
        if (e.kind == InputEvent::KeyUp) heldAtStart_.erase(e.vk);
        return false;
    }
    if (IsStopKey(e)) {
        FlushPending();
        CloseAll();
        Send(g, out);
        out.push_back({g.CapWndOn ? g.CapWnd : g.PlayerWnd, WM_CAPTURE_DONE, opt_.macro, 0});
        Stop();
        return true;
    }
    switch (e.kind) {
        case InputEvent::KeyDown: OnKeyDown(e); break;
        case InputEvent::KeyUp: OnKeyUp(e); break;
        case InputEvent::ButtonDown: OnButtonDown(e); break;
        case InputEvent::ButtonUp: OnButtonUp(e); break;
        case InputEvent::Motion: OnMotion(e); break;
        case InputEvent::Wheel: OnWheel(e); break;
        case InputEvent::Activated:
        case InputEvent::WindowsChanged:
        case InputEvent::PlaybackMark: break;
    }
    Send(g, out);
    return false;
}

void CaptureRecorder::FlushWaiting(const TGlobData& g, std::vector<Post>& out) {
    if (!recording_) return;
    if (click_) {
        EmitClick(*click_, "CLK>");
        click_.reset();
    }
    FlushWheel();
    Send(g, out);
}

void CaptureRecorder::OnKeyDown(const InputEvent& e) {
    if (heldAtStart_.count(e.vk)) return;
    const int mod = ModOf(e.vk);
    if (mod >= 0) {
        // A click still waiting was made before this modifier went down.
        if (!modDown_[mod] && (click_ || wheel_)) FlushPending();
        // Held back: written only when a key or button comes while it is down.
        if (!modDown_[mod]) lone_[mod] = true;
        modDown_[mod] = true;
        return;
    }
    lone_.fill(false);
    if (IsLockKey(e.vk) || !opt_.keys) return;
    const bool command = modDown_[kCtrl] || modDown_[kAlt] || modDown_[kWin];
    const char* token = TokenOf(e.vk);
    const bool typed = e.typed != 0 && !TypedAsToken(e.vk) && (!command || !token);
    if (!typed && !token) return;
    FlushPending();
    Pause(e.time);
    OpenModifiers(!typed);
    if (!typed)
        text_ += token;
    else if (e.typed == '<')
        text_ += "<ALT:060>";
    else
        text_ += static_cast<char>(e.typed);
}

void CaptureRecorder::OnKeyUp(const InputEvent& e) {
    if (heldAtStart_.erase(e.vk)) return;
    const int mod = ModOf(e.vk);
    if (mod < 0 || !modDown_[mod]) return;
    // A click or wheel still waiting was made with this modifier down.
    if (click_ || wheel_) FlushPending();
    modDown_[mod] = false;
    if (opened_[mod]) {
        FlushPending();
        Pause(e.time);
        text_ += kUp[mod];
        opened_[mod] = false;
    } else if (lone_[mod] && opt_.keys && (mod == kAlt ? opt_.doubleAlt : mod == kWin)) {
        // A lone Alt opens a menu; a lone Win key the desktop's.
        FlushPending();
        Pause(e.time);
        text_ += mod == kAlt ? "<ALT>" : (e.vk == 92 ? "<RIGHTWIN>" : "<LEFTWIN>");
    }
    lone_[mod] = false;
}

void CaptureRecorder::OnButtonDown(const InputEvent& e) {
    lone_.fill(false);
    if (!opt_.mouse || e.button < 1 || e.button > 3) return;
    FlushWheel();
    if (click_ && click_->button == e.button && e.time - click_->release.time <= kDoubleClickMs &&
        Near(e, click_->at)) {
        press_ = std::move(click_);
        press_->second = true;
        click_.reset();
        return;
    }
    FlushPending();
    press_ = Press{e.button, e, {}, false, false};
}

void CaptureRecorder::OnButtonUp(const InputEvent& e) {
    if (!press_ || press_->button != e.button) return;
    Press p = std::move(*press_);
    press_.reset();
    if (p.second) {
        EmitClick(p, "DCLK>");
        return;
    }
    if (!p.dragging && e.hasPosition && p.at.hasPosition && !Near(e, p.at)) StartDrag(p);
    if (p.dragging) {
        Pause(e.time);
        Position(e);
        text_ += std::string("<") + ButtonLetter(p.button) + "UP>";
        return;
    }
    p.release = e;
    click_ = std::move(p);
}

void CaptureRecorder::OnMotion(const InputEvent& e) {
    if (!opt_.mouse || !e.hasPosition) return;
    if (press_ && !press_->dragging && press_->at.hasPosition && !Near(e, press_->at)) StartDrag(*press_);
    if (click_ && !Near(e, click_->at)) FlushPending();
    if (opt_.clicksOnly || (press_ && !press_->dragging) || click_) return;
    if (lastMove_ && e.time - *lastMove_ < kMoveEveryMs) return;
    if (havePosition_ && e.x == lastX_ && e.y == lastY_) return;
    FlushWheel();
    Pause(e.time);
    Position(e);
    lastMove_ = e.time;
}

void CaptureRecorder::OnWheel(const InputEvent& e) {
    if (!opt_.mouse || (e.button != 4 && e.button != 5)) return;
    const bool forward = e.button == 4;
    if (wheel_ && (wheel_->forward != forward || wheel_->notches >= 999 || !Near(e, wheel_->at)))
        FlushWheel();
    if (!wheel_) {
        FlushPending();
        wheel_ = Wheel{e, forward, 0};
    }
    ++wheel_->notches;
}

void CaptureRecorder::StartDrag(Press& p) {
    Pause(p.at.time);
    OpenModifiers(true);
    Position(p.at);
    text_ += std::string("<") + ButtonLetter(p.button) + "DN>";
    p.dragging = true;
}

void CaptureRecorder::EmitClick(const Press& p, const char* suffix) {
    Pause(p.at.time);
    OpenModifiers(true);
    Position(p.at);
    text_ += std::string("<") + ButtonLetter(p.button) + suffix;
}

void CaptureRecorder::FlushWheel() {
    if (!wheel_) return;
    Wheel w = *wheel_;
    wheel_.reset();
    Pause(w.at.time);
    OpenModifiers(true);
    Position(w.at);
    char buf[8];
    std::snprintf(buf, sizeof buf, "%03d", w.notches);
    text_ += std::string(w.forward ? "<WFW:" : "<WBW:") + buf + ">";
}

void CaptureRecorder::FlushPending() {
    if (click_) {
        EmitClick(*click_, "CLK>");
        click_.reset();
    }
    if (press_ && !press_->dragging) StartDrag(*press_);
    FlushWheel();
}

void CaptureRecorder::OpenModifiers(bool withShift) {
    for (int m = 0; m < kModCount; ++m) {
        if (!modDown_[m] || opened_[m] || (m == kShift && !withShift)) continue;
        text_ += kDown[m];
        opened_[m] = true;
    }
}

void CaptureRecorder::CloseAll() {
    for (int m = kModCount - 1; m >= 0; --m)
        if (opened_[m]) text_ += kUp[m];
    opened_.fill(false);
}

void CaptureRecorder::Pause(std::uint32_t time) {
    if (opt_.time && lastAction_) {
        const std::uint32_t gap = time - *lastAction_;
        if (gap >= kShortestPauseMs && gap < 0x80000000u) {
            char buf[24];
            if (gap <= 9999)
                std::snprintf(buf, sizeof buf, "<MSD:%04u>", gap);
            else if (gap < 1000000)
                std::snprintf(buf, sizeof buf, "<DELAY:%05.1f>", gap / 1000.0);
            else
                std::snprintf(buf, sizeof buf, "<DELAY:%05u>", std::min(gap / 1000, 99999u));
            text_ += buf;
        }
    }
    if (!lastAction_ || time - *lastAction_ < 0x80000000u) lastAction_ = time;
}

void CaptureRecorder::Position(const InputEvent& e) {
    if (!e.hasPosition) return;
    if (opt_.windowSize && !sizeWritten_ && e.hasFrame) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "<WSIZE:%04d,%04d\"CURRENT\">", std::min(e.frameWidth, 9999),
                      std::min(e.frameHeight, 9999));
        text_ += buf;
        sizeWritten_ = true;
    }
    long x = e.x, y = e.y;
    const char* token = "<MMS:";
    if (opt_.relativeTo == 2 && e.hasFrame) {
        token = "<MMW:";
        x -= e.frameLeft;
        y -= e.frameTop;
    } else if (opt_.relativeTo == 3) {
        token = "<MMP:";
        if (havePosition_) {
            x -= lastX_;
            y -= lastY_;
        } else {
            x = y = 0;
        }
    }
    text_ += token + Five(x) + "," + Five(y) + ">";
    havePosition_ = true;
    lastX_ = e.x;
    lastY_ = e.y;
}

void CaptureRecorder::Send(const TGlobData& g, std::vector<Post>& out) {
    const std::uint32_t to = g.CapWndOn ? g.CapWnd : g.PlayerWnd;
    for (const char c : text_)
        out.push_back(
            {to, WM_CAPTURE_CHAR, opt_.macro, static_cast<std::int32_t>(static_cast<unsigned char>(c))});
    text_.clear();
}

}  // namespace tessaro::hook
