#include "player/token_table.h"

#include <array>

#include "player/macro_args.h"

namespace tessaro {
namespace {

using A = TokenAction;
using C = TokenClose;
constexpr auto F = TokenAction::Family;

constexpr std::uint8_t Fam(CommandFamilyId id) { return static_cast<std::uint8_t>(id); }
constexpr std::uint8_t kWaits = Fam(CommandFamilyId::Waits);
constexpr std::uint8_t kProg = Fam(CommandFamilyId::ProgramsWindowsSystem);
constexpr std::uint8_t kFiles = Fam(CommandFamilyId::FilesDrivesDialUp);
constexpr std::uint8_t kMedia = Fam(CommandFamilyId::Multimedia);
constexpr std::uint8_t kMail = Fam(CommandFamilyId::EMail);

// Mouse codes: button (0 left, 1 right, 2 middle) * 4 + kind (0 down, 1 up, 2 click, 3 double).
constexpr std::uint8_t Mouse(int button, int kind) { return std::uint8_t(button * 4 + kind); }

constexpr TokenSpec kTokens[] = {
    // keys
    {"<TAB>", C::Literal, 0, A::Key, 9},
    {"<ENTER>", C::Literal, 0, A::Key, 13},
    {"<RIGHTWIN>", C::Literal, 0, A::Key, 92},
    {"<LEFTWIN>", C::Literal, 0, A::Key, 91},
    {"<APP>", C::Literal, 0, A::Key, 93},
    {"<BACKSPACE>", C::Literal, 0, A::Key, 8},
    {"<ESC>", C::Literal, 0, A::Key, 27},
    {"<SPACE>", C::Literal, 0, A::Key, 32},
    {"<LEFT ARROW>", C::Literal, 0, A::Key, 37},
    {"<RIGHT ARROW>", C::Literal, 0, A::Key, 39},
    {"<UP ARROW>", C::Literal, 0, A::Key, 38},
    {"<DOWN ARROW>", C::Literal, 0, A::Key, 40},
    {"<TEST>", C::Literal, 0, A::Skip, 0},
    {"<HOME>", C::Literal, 0, A::Key, 36},
    {"<END>", C::Literal, 0, A::Key, 35},
    {"<INSERT>", C::Literal, 0, A::Key, 45},
    {"<DELETE>", C::Literal, 0, A::Key, 46},
    {"<PAGE DOWN>", C::Literal, 0, A::Key, 34},
    {"<PAGE UP>", C::Literal, 0, A::Key, 33},
    {"<CTLD>", C::Literal, 0, A::HeldDown, 17},
    {"<CTLU>", C::Literal, 0, A::HeldUp, 17},
    {"<ALTD>", C::Literal, 0, A::HeldDown, 18},
    {"<ALTU>", C::Literal, 0, A::HeldUp, 18},
    {"<SHFD>", C::Literal, 0, A::HeldDown, 16},
    {"<SHFU>", C::Literal, 0, A::HeldUp, 16},
    {"<WIND>", C::Literal, 0, A::HeldDown, 91},
    {"<WINU>", C::Literal, 0, A::HeldUp, 91},
    {"<RIGHT MOUSE>", C::Literal, 0, A::Tap, 2},
    {"<MIDDLE MOUSE>", C::Literal, 0, A::Tap, 4},
    // pause, settings, wallpaper, text box, delays, speed
    {"<PAUSE:", C::Text, 14, A::Pause, 0},
    {"<PAUSE>", C::Literal, 0, A::PauseCentred, 0},
    {"<SCREEN:", C::At, 11, F, kProg},
    {"<KEYDEL:", C::At, 9, F, kProg},
    {"<KEYSPD:", C::At, 10, F, kProg},
    {"<SSTIME:", C::At, 10, F, kProg},
    {"<WBSIZE:", C::At, 10, F, kProg},
    {"<WALLT:", C::Text, 7, F, kProg},
    {"<WALLC:", C::Text, 7, F, kProg},
    {"<WALLS:", C::Text, 7, F, kProg},
    {"<WALLP:", C::Text, 7, F, kProg},
    {"<TBOX:<HEAD:", C::TextBox, 12, A::TextBox, 0},
    {"<TDELAY:", C::At, 10, A::TimedDelay, 0},
    {"<DELAY:", C::At, 12, A::Delay, 0},
    {"<SPEED:", C::At, 12, A::Speed, 0},
    {"<MSD:", C::At, 9, A::MilliDelay, 0},
    {"<REM:", C::Text, 5, A::Remark, 0},
    // windows by title
    {"<WSHUT:", C::Text, 7, F, kProg},
    {"<WHIDE:", C::Text, 7, F, kProg},
    {"<WSHOW:", C::Text, 7, F, kProg},
    {"<WSIZE:", C::Text, 16, F, kProg},
    {"<WPOS:", C::Text, 15, F, kProg},
    {"<WPOS2:", C::Text, 18, F, kProg},
    // Alt codes and counters
    {"<ALT:", C::At, 8, A::AltCode, 3},
    {"<ALT4:", C::At, 10, A::AltCode, 4},
    {"<IIII>", C::Literal, 0, A::Counter, 4},
    {"<III>", C::Literal, 0, A::Counter, 3},
    {"<II>", C::Literal, 0, A::Counter, 2},
    {"<I>", C::Literal, 0, A::Counter, 0},
    // clipboard
    {"<CLIPF:", C::Text, 7, A::ClipFile, 0},
    {"<CLIPB:", C::Text, 7, A::ClipPicture, 0},
    {"<CLIPC>", C::Literal, 0, A::ClipCopy, 0},
    {"<CLIPP>", C::Literal, 0, A::ClipPaste, 0},
    {"<BEGCLIP>", C::BeginClip, 0, A::BeginClip, 0},
    {"<CLIPTYPE>", C::Literal, 0, A::ClipType, 0},
    {"<CLIPTYPEI>", C::Literal, 0, A::ClipTypeInline, 0},
    {"<CLIPSG:", C::Text, 8, A::ClipSaveGraphic, 0},
    {"<CLIPST:", C::Text, 8, A::ClipSaveText, 0},
    {"<CLIPAT:", C::Text, 8, A::ClipAppendText, 0},
    // repeats and macro control
    {"<PROMPTREP>", C::Literal, 0, A::PromptRepeat, 0},
    {"<MACRUN:", C::Text, 8, A::MacroRun, 0},
    {"<MACDEL:", C::Text, 8, A::MacroDelete, 0},
    {"<MACACT:", C::Text, 8, A::MacroActivate, 0},
    {"<MACDEACT:", C::Text, 10, A::MacroDeactivate, 0},
    {"<REPEAT:", C::At, 12, A::Repeat, 0},
    {"<REP:", C::At, 23, A::Rep, 0},
    {"<SPKEY:", C::At, 11, A::KeyDelay, 0},
    {"<SPMSE:", C::At, 11, A::MouseDelay, 0},
    {"<SWAP:", C::Text, 6, A::SwapFile, 0},
    // waits
    {"<WAITWIN:", C::Text, 13, F, kWaits},
    {"<WAITWLF:", C::Text, 13, F, kWaits},
    {"<WAITPROG:", C::Text, 14, F, kWaits},
    {"<WAITTXTY:", C::Text, 14, F, kWaits},
    {"<WAITTXTN:", C::Text, 14, F, kWaits},
    {"<WAITPB>", C::Literal, 0, F, kWaits},
    {"<WAITKEY:", C::Text, 13, F, kWaits},
    {"<WAITLM:", C::At, 11, F, kWaits},
    {"<WAITMM:", C::At, 11, F, kWaits},
    {"<WAITRM:", C::At, 11, F, kWaits},
    {"<WAITTIME:", C::At, 18, A::WaitTime, 0},
    // nested text and internet
    {"<ETEXT:", C::Text, 7, A::EncryptedText, 0},
    {"<TFILE:", C::Text, 7, A::TextFile, 0},
    {"<HTTP:", C::Text, 6, A::OpenAddress, 0},
    {"<FTP:", C::Text, 5, A::OpenAddress, 0},
    {"<ENDREP>", C::Literal, 0, A::Skip, 0},
    {"<ENDCLIP>", C::Literal, 0, A::Skip, 0},
    // volume and tone
    {"<AUDOFF>", C::Literal, 0, F, kMedia},
    {"<AUDON>", C::Literal, 0, F, kMedia},
    {"<AUDUP>", C::Literal, 0, F, kMedia},
    {"<AUDDOWN>", C::Literal, 0, F, kMedia},
    {"<AUDMUTE>", C::Literal, 0, F, kMedia},
    {"<AUDLEFT>", C::Literal, 0, F, kMedia},
    {"<AUDRIGHT>", C::Literal, 0, F, kMedia},
    {"<AUDCENTER>", C::Literal, 0, F, kMedia},
    {"<TREBUP>", C::Literal, 0, F, kMedia},
    {"<TREBDOWN>", C::Literal, 0, F, kMedia},
    {"<MIDIOFF>", C::Literal, 0, F, kMedia},
    {"<MIDION>", C::Literal, 0, F, kMedia},
    {"<MIDIUP>", C::Literal, 0, F, kMedia},
    {"<MIDIDOWN>", C::Literal, 0, F, kMedia},
    {"<MIDIMUTE>", C::Literal, 0, F, kMedia},
    {"<MIDILEFT>", C::Literal, 0, F, kMedia},
    {"<MIDIRIGHT>", C::Literal, 0, F, kMedia},
    {"<MIDICENTER>", C::Literal, 0, F, kMedia},
    {"<BASSUP>", C::Literal, 0, F, kMedia},
    {"<BASSDOWN>", C::Literal, 0, F, kMedia},
    // mouse
    {"<LDN>", C::Literal, 0, A::Mouse, Mouse(0, 0)},
    {"<LUP>", C::Literal, 0, A::Mouse, Mouse(0, 1)},
    {"<LCLK>", C::Literal, 0, A::Mouse, Mouse(0, 2)},
    {"<LDCLK>", C::Literal, 0, A::Mouse, Mouse(0, 3)},
    {"<RDN>", C::Literal, 0, A::Mouse, Mouse(1, 0)},
    {"<RUP>", C::Literal, 0, A::Mouse, Mouse(1, 1)},
    {"<RCLK>", C::Literal, 0, A::Mouse, Mouse(1, 2)},
    {"<RDCLK>", C::Literal, 0, A::Mouse, Mouse(1, 3)},
    {"<MDN>", C::Literal, 0, A::Mouse, Mouse(2, 0)},
    {"<MUP>", C::Literal, 0, A::Mouse, Mouse(2, 1)},
    {"<MCLK>", C::Literal, 0, A::Mouse, Mouse(2, 2)},
    {"<MDCLK>", C::Literal, 0, A::Mouse, Mouse(2, 3)},
    {"<WFW:", C::At, 8, A::Wheel, 1},
    {"<WBW:", C::At, 8, A::Wheel, 0},
    {"<MMP:", C::At, 16, A::MoveMouse, 1},
    {"<MMS:", C::At, 16, A::MoveMouse, 0},
    {"<MMW:", C::At, 16, A::MoveMouse, 2},
    {"<MMC>", C::Literal, 0, A::MoveToCaret, 0},
    // keys
    {"<F1>", C::Literal, 0, A::Key, 112},
    {"<F2>", C::Literal, 0, A::Key, 113},
    {"<F3>", C::Literal, 0, A::Key, 114},
    {"<F4>", C::Literal, 0, A::Key, 115},
    {"<F5>", C::Literal, 0, A::Key, 116},
    {"<F6>", C::Literal, 0, A::Key, 117},
    {"<F7>", C::Literal, 0, A::Key, 118},
    {"<F8>", C::Literal, 0, A::Key, 119},
    {"<F9>", C::Literal, 0, A::Key, 120},
    {"<F10>", C::Literal, 0, A::Key, 121},
    {"<F11>", C::Literal, 0, A::Key, 122},
    {"<F12>", C::Literal, 0, A::Key, 123},
    {"<F13>", C::Literal, 0, A::Key, 124},
    {"<F14>", C::Literal, 0, A::Key, 125},
    {"<F15>", C::Literal, 0, A::Key, 126},
    {"<F16>", C::Literal, 0, A::Key, 127},
    {"<F17>", C::Literal, 0, A::Key, 128},
    {"<F18>", C::Literal, 0, A::Key, 129},
    {"<F19>", C::Literal, 0, A::Key, 130},
    {"<F20>", C::Literal, 0, A::Key, 131},
    {"<F21>", C::Literal, 0, A::Key, 132},
    {"<F22>", C::Literal, 0, A::Key, 133},
    {"<F23>", C::Literal, 0, A::Key, 134},
    {"<F24>", C::Literal, 0, A::Key, 135},
    {"<SHIFT>", C::Literal, 0, A::Tap, 16},
    {"<CTRL>", C::Literal, 0, A::Tap, 17},
    {"<ALT>", C::Literal, 0, A::Tap, 18},
    {"<ATTN>", C::Literal, 0, A::Key, 246},
    {"<CRSEL>", C::Literal, 0, A::Key, 247},
    {"<EXSEL>", C::Literal, 0, A::Key, 248},
    {"<EREOF>", C::Literal, 0, A::Key, 249},
    {"<PLAY>", C::Literal, 0, A::Key, 250},
    {"<ZOOM>", C::Literal, 0, A::Key, 251},
    // sounds, folders, network, dial-up, files, activation, e-mail, programs
    {"<WAV1:", C::Text, 6, F, kMedia},
    {"<WAV2:", C::Text, 6, F, kMedia},
    {"<BEEP>", C::Literal, 0, F, kMedia},
    {"<CHDIR:", C::Text, 7, F, kFiles},
    {"<MKDIR:", C::Text, 7, F, kFiles},
    {"<NWT", C::ThreeCloses, 4, F, kFiles},
    {"<NWC", C::ThreeCloses, 4, F, kFiles},
    {"<NWD", C::Text, 4, F, kFiles},
    {"<DIAL:<NAME:", C::ThreeCloses, 12, F, kFiles},
    {"<HANG>", C::Literal, 0, F, kFiles},
    {"<DELFILE:", C::Text, 9, F, kFiles},
    {"<COPYFILE:", C::Text, 10, F, kFiles},
    {"<RENFILE:", C::Text, 9, F, kFiles},
    {"<ACTIVATE:", C::Text, 10, A::Activate, 0},
    {"<EMAIL:", C::EMail, 7, F, kMail},
    {"<LAUNCH:", C::Launch, 8, F, kProg},
    {"<LAUNCHDEL:", C::Launch, 13, F, kProg},
    {"<LAUNCHNO:", C::TitledLaunch, 12, F, kProg},
    {"<LAUNCHYES:", C::TitledLaunch, 13, F, kProg},
    {"<LAUNCHNO2:", C::TitledLaunch, 15, F, kProg},
    {"<LAUNCHYES2:", C::TitledLaunch, 16, F, kProg},
    {"<DOHOOK>", C::Literal, 0, F, kProg},
    {"<DEFPRT:", C::Text, 8, F, kProg},
    {"<EXPLORE:", C::Text, 9, F, kProg},
    // video and CD
    {"<AVI:", C::Text, 5, F, kMedia},
    {"<AVII:", C::Text, 6, F, kMedia},
    {"<AVIE:", C::Text, 6, F, kMedia},
    {"<CDPLAY>", C::Literal, 0, F, kMedia},
    {"<CDSTOP>", C::Literal, 0, F, kMedia},
    {"<CDPAUSE>", C::Literal, 0, F, kMedia},
    {"<CDNEXT>", C::Literal, 0, F, kMedia},
    {"<CDPREV>", C::Literal, 0, F, kMedia},
    {"<CDGOTO:", C::At, 10, F, kMedia},
    {"<CDSTEP:", C::At, 11, F, kMedia},
    {"<CDBACK:", C::At, 11, F, kMedia},
    {"<CDEJECT>", C::Literal, 0, F, kMedia},
    {"<CDCLOSE>", C::Literal, 0, F, kMedia},
    // system and desktop
    {"<LOGOFF>", C::Literal, 0, F, kProg},
    {"<REBOOT>", C::Literal, 0, F, kProg},
    {"<SHUTDOWN>", C::Literal, 0, F, kProg},
    {"<POWEROFF>", C::Literal, 0, F, kProg},
    {"<SSON>", C::Literal, 0, F, kProg},
    {"<SSOFF>", C::Literal, 0, F, kProg},
    {"<CASCDESK>", C::Literal, 0, F, kProg},
    {"<TILHDESK>", C::Literal, 0, F, kProg},
    {"<TILVDESK>", C::Literal, 0, F, kProg},
    {"<MINIDESK>", C::Literal, 0, F, kProg},
    {"<RESTDESK>", C::Literal, 0, F, kProg},
    {"<SUSPEND>", C::Literal, 0, F, kProg},
    {"<UNDOCK>", C::Literal, 0, F, kProg},
    {"<RUNDT>", C::Literal, 0, F, kProg},
    {"<RUNFC>", C::Literal, 0, F, kProg},
    {"<RUNFF>", C::Literal, 0, F, kProg},
    {"<RUNRP>", C::Literal, 0, F, kProg},
    {"<EXPCP>", C::Literal, 0, F, kProg},
    {"<EXPDT>", C::Literal, 0, F, kProg},
    {"<EXPDP>", C::Literal, 0, F, kProg},
    {"<EXPFV>", C::Literal, 0, F, kProg},
    {"<EXPFT>", C::Literal, 0, F, kProg},
    {"<EXPMC>", C::Literal, 0, F, kProg},
    {"<EXPNW>", C::Literal, 0, F, kProg},
    {"<EXPPR>", C::Literal, 0, F, kProg},
    {"<EXPPF>", C::Literal, 0, F, kProg},
    {"<EXPRD>", C::Literal, 0, F, kProg},
    {"<EXPRB>", C::Literal, 0, F, kProg},
    {"<EXPSM>", C::Literal, 0, F, kProg},
    {"<EXPSU>", C::Literal, 0, F, kProg},
    {"<EXPUD>", C::Literal, 0, F, kProg},
    {"<EMPTYBIN>", C::Literal, 0, F, kProg},
    // keys
    {"<PA1>", C::Literal, 0, A::Key, 253},
    {"<PRTSCR>", C::Literal, 0, A::Key, 44},
    {"<SCRLOCK>", C::Literal, 0, A::Key, 145},
    {"<PAUSEKEY>", C::Literal, 0, A::Key, 19},
    {"<CAPLOCK>", C::Literal, 0, A::Key, 20},
    {"<NUMLOCK>", C::Literal, 0, A::Key, 144},
    {"<KEYP0>", C::Literal, 0, A::Key, 96},
    {"<KEYP1>", C::Literal, 0, A::Key, 97},
    {"<KEYP2>", C::Literal, 0, A::Key, 98},
    {"<KEYP3>", C::Literal, 0, A::Key, 99},
    {"<KEYP4>", C::Literal, 0, A::Key, 100},
    {"<KEYP5>", C::Literal, 0, A::Key, 101},
    {"<KEYP6>", C::Literal, 0, A::Key, 102},
    {"<KEYP7>", C::Literal, 0, A::Key, 103},
    {"<KEYP8>", C::Literal, 0, A::Key, 104},
    {"<KEYP9>", C::Literal, 0, A::Key, 105},
    {"<KEYP.>", C::Literal, 0, A::Key, 110},
    {"<KEYP/>", C::Literal, 0, A::Key, 111},
    {"<KEYP*>", C::Literal, 0, A::Key, 106},
    {"<KEYP->", C::Literal, 0, A::Key, 109},
    {"<KEYP+>", C::Literal, 0, A::Key, 107},
    // window commands
    {"<WMAX:", C::Text, 6, F, kProg},
    {"<WMIN:", C::Text, 6, F, kProg},
    {"<WCLS:", C::Text, 6, F, kProg},
    {"<WRES:", C::Text, 6, F, kProg},
};

// Past the `count`-th '>' at or after from (the text's length when fewer).
std::size_t PastCloses(std::string_view text, std::size_t from, int count) {
    std::size_t at = from;
    for (int i = 0; i < count && at < text.size(); ++i) at = PastClose(text, at);
    return at;
}

std::size_t LaunchArgumentEnd(std::string_view text, std::size_t from) {
    const std::size_t first = PastClose(text, from);
    if (first < text.size() || (first > from && text[first - 1] == '>')) {
        const std::string_view read = text.substr(from, first - from);
        if (read.find("<PARAM") != std::string_view::npos) return PastClose(text, first);
    }
    return first;
}

}  // namespace

std::size_t EMailTokenEnd(std::string_view text, std::size_t p) {
    std::size_t i = p + 7;
    auto tag = [&] {
        const std::string_view t = FieldAt(text, i, 2);
        i = std::min(text.size(), i + 2);
        return t;
    };
    auto field = [&] {
        const std::size_t end = text.find('\x01', i);
        i = end == std::string_view::npos ? text.size() : end + 1;
    };
    tag();  // return receipt
    std::string_view t = tag();
    if (t == "R1") {
        t = tag();
        for (std::string_view list : {"TO", "CC", "BL"}) {
            if (t == list) {
                field();
                t = tag();
            }
        }
    } else {
        t = tag();
    }
    if (t == "S1" || t == "S4") {
        field();
        field();
    } else if (t == "S3") {
        field();
    }
    if (tag() == "A2") field();
    if (i < text.size() && text[i] == '>') ++i;
    return std::min(i, text.size());
}

std::optional<TokenMatch> MatchToken(std::string_view text, std::size_t p) {
    const std::string_view rest = text.substr(p);
    for (const TokenSpec& spec : kTokens) {
        if (!rest.starts_with(spec.prefix)) continue;
        std::size_t end = p + spec.prefix.size();
        switch (spec.close) {
            case TokenClose::Literal:
            case TokenClose::BeginClip:
                break;
            case TokenClose::At:
                if (spec.pos >= rest.size() || rest[spec.pos] != '>') continue;
                end = p + spec.pos + 1;
                break;
            case TokenClose::Text:
                end = PastClose(text, p + spec.pos);
                break;
            case TokenClose::TextBox:
                end = PastCloses(text, p + spec.pos, 2);
                break;
            case TokenClose::EMail:
                end = EMailTokenEnd(text, p);
                break;
            case TokenClose::ThreeCloses:
                end = PastCloses(text, p + spec.pos, 3);
                break;
            case TokenClose::Launch:
                end = LaunchArgumentEnd(text, p + spec.pos);
                break;
            case TokenClose::TitledLaunch: {
                const std::size_t next = text.find('<', p + spec.pos);
                end = next == std::string_view::npos ? text.size()
                                                     : LaunchArgumentEnd(text, next + 8);
                break;
            }
        }
        return TokenMatch{&spec, std::min(end, text.size())};
    }
    return std::nullopt;
}

}  // namespace tessaro
