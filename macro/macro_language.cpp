#include "macro/macro_language.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <string>

#include "platform/virtual_keys.h"

namespace tessaro {
namespace {

using K = TokenKind;
using S = TokenShape;

constexpr TokenSpec Key(K kind, std::string_view prefix, uint8_t group, uint8_t vk,
                        KeyAction action = KeyAction::Stroke) {
    return {kind, prefix, group, S::Literal, -1, false, 0, 0, {}, vk, action};
}
constexpr TokenSpec Lit(K kind, std::string_view prefix, uint8_t group) {
    return {kind, prefix, group, S::Literal, -1, false, 0, 0, {}, 0, KeyAction::None};
}
constexpr TokenSpec Fixed(K kind, std::string_view prefix, uint8_t group, int8_t close,
                          std::array<TokenField, 3> fields, uint8_t count, bool checked = true) {
    return {kind, prefix, group, S::Fixed, close, checked, 0, count, fields, 0, KeyAction::None};
}
constexpr TokenSpec Shaped(K kind, std::string_view prefix, uint8_t group, S shape, uint8_t text_from,
                           std::array<TokenField, 3> fields = {}, uint8_t count = 0) {
    return {kind, prefix, group, shape, -1, false, text_from, count, fields, 0, KeyAction::None};
}
constexpr TokenSpec Text(K kind, std::string_view prefix, uint8_t group, uint8_t text_from,
                         std::array<TokenField, 3> fields = {}, uint8_t count = 0) {
    return Shaped(kind, prefix, group, S::Text, text_from, fields, count);
}

using win::VK_ADD, win::VK_DECIMAL, win::VK_DIVIDE, win::VK_MULTIPLY, win::VK_SUBTRACT;

constexpr TokenSpec kTable[] = {
    // 1. Keys
    Key(K::Tab, "<TAB>", 1, 9),
    Key(K::Enter, "<ENTER>", 1, 13),
    Key(K::RightWin, "<RIGHTWIN>", 1, 92),
    Key(K::LeftWin, "<LEFTWIN>", 1, 91),
    Key(K::App, "<APP>", 1, 93),
    Key(K::Backspace, "<BACKSPACE>", 1, 8),
    Key(K::Esc, "<ESC>", 1, 27),
    Key(K::Space, "<SPACE>", 1, 32),
    Key(K::LeftArrow, "<LEFT ARROW>", 1, 37),
    Key(K::RightArrow, "<RIGHT ARROW>", 1, 39),
    Key(K::UpArrow, "<UP ARROW>", 1, 38),
    Key(K::DownArrow, "<DOWN ARROW>", 1, 40),
    Key(K::Test, "<TEST>", 1, 0, KeyAction::Skip),
    Key(K::Home, "<HOME>", 1, 36),
    Key(K::End, "<END>", 1, 35),
    Key(K::Insert, "<INSERT>", 1, 45),
    Key(K::Delete, "<DELETE>", 1, 46),
    Key(K::PageDown, "<PAGE DOWN>", 1, 34),
    Key(K::PageUp, "<PAGE UP>", 1, 33),
    Key(K::CtlD, "<CTLD>", 1, 17, KeyAction::Press),
    Key(K::CtlU, "<CTLU>", 1, 17, KeyAction::Release),
    Key(K::AltD, "<ALTD>", 1, 18, KeyAction::Press),
    Key(K::AltU, "<ALTU>", 1, 18, KeyAction::Release),
    Key(K::ShfD, "<SHFD>", 1, 16, KeyAction::Press),
    Key(K::ShfU, "<SHFU>", 1, 16, KeyAction::Release),
    Key(K::WinD, "<WIND>", 1, 91, KeyAction::Press),
    Key(K::WinU, "<WINU>", 1, 91, KeyAction::Release),
    Key(K::RightMouse, "<RIGHT MOUSE>", 1, 2, KeyAction::Bare),
    Key(K::MiddleMouse, "<MIDDLE MOUSE>", 1, 4, KeyAction::Bare),
    // 2. Pause, settings, wallpaper, text box, delays, speed
    Text(K::Pause, "<PAUSE:", 2, 14, {{{7, 3}, {11, 3}}}, 2),
    Lit(K::PauseBasic, "<PAUSE>", 2),
    Fixed(K::Screen, "<SCREEN:", 2, 11, {{{8, 3}}}, 1),
    Fixed(K::KeyDel, "<KEYDEL:", 2, 9, {{{8, 1}}}, 1),
    Fixed(K::KeySpd, "<KEYSPD:", 2, 10, {{{8, 2}}}, 1),
    Fixed(K::SsTime, "<SSTIME:", 2, 10, {{{8, 2}}}, 1),
    Fixed(K::WbSize, "<WBSIZE:", 2, 10, {{{8, 2}}}, 1),
    Text(K::WallT, "<WALLT:", 2, 7),
    Text(K::WallC, "<WALLC:", 2, 7),
    Text(K::WallS, "<WALLS:", 2, 7),
    Shaped(K::WallP, "<WALLP:", 2, S::WallPaper, 7),
    Shaped(K::TBox, "<TBOX:<HEAD:", 2, S::TextBox, 12),
    Fixed(K::TDelay, "<TDELAY:", 2, 10, {{{8, 2}}}, 1),
    Fixed(K::Delay, "<DELAY:", 2, 12, {{{7, 5}}}, 1),
    Fixed(K::Speed, "<SPEED:", 2, 12, {{{7, 5}}}, 1),
    Fixed(K::Msd, "<MSD:", 2, 9, {{{5, 4}}}, 1),
    Text(K::Rem, "<REM:", 2, 5),
    // 3. Windows by title
    Text(K::WShut, "<WSHUT:", 3, 7),
    Text(K::WHide, "<WHIDE:", 3, 7),
    Text(K::WShow, "<WSHOW:", 3, 7),
    Text(K::WSize, "<WSIZE:", 3, 16, {{{7, 4}, {12, 4}}}, 2),
    Text(K::WPos, "<WPOS:", 3, 15, {{{6, 4}, {11, 4}}}, 2),
    Text(K::WPos2, "<WPOS2:", 3, 18, {{{7, 5}, {13, 5}}}, 2),
    // 4. Alt codes and counters
    Fixed(K::AltCode, "<ALT:", 4, 8, {{{5, 3}}}, 1),
    Fixed(K::Alt4Code, "<ALT4:", 4, 10, {{{6, 4}}}, 1),
    Lit(K::Counter4, "<IIII>", 4),
    Lit(K::Counter3, "<III>", 4),
    Lit(K::Counter2, "<II>", 4),
    Lit(K::Counter1, "<I>", 4),
    // 5. Clipboard
    Text(K::ClipF, "<CLIPF:", 5, 7),
    Text(K::ClipB, "<CLIPB:", 5, 7),
    Lit(K::ClipC, "<CLIPC>", 5),
    Lit(K::ClipP, "<CLIPP>", 5),
    Shaped(K::BegClip, "<BEGCLIP>", 5, S::ClipText, 9),
    Lit(K::ClipType, "<CLIPTYPE>", 5),
    Lit(K::ClipTypeI, "<CLIPTYPEI>", 5),
    Text(K::ClipSG, "<CLIPSG:", 5, 8),
    Text(K::ClipST, "<CLIPST:", 5, 8),
    Text(K::ClipAT, "<CLIPAT:", 5, 8),
    // 6. Repeats and macro control
    Lit(K::PromptRep, "<PROMPTREP>", 6),
    Text(K::MacRun, "<MACRUN:", 6, 8),
    Text(K::MacDel, "<MACDEL:", 6, 8),
    Text(K::MacAct, "<MACACT:", 6, 8),
    Text(K::MacDeact, "<MACDEACT:", 6, 10),
    Fixed(K::Repeat, "<REPEAT:", 6, 12, {{{8, 4}}}, 1),
    Fixed(K::Rep, "<REP:", 6, 23, {{{5, 4}, {10, 6}, {17, 6}}}, 3),
    Fixed(K::SpKey, "<SPKEY:", 6, 11, {{{7, 4}}}, 1),
    Fixed(K::SpMse, "<SPMSE:", 6, 11, {{{7, 4}}}, 1),
    Text(K::Swap, "<SWAP:", 6, 6),
    // 7. Waits
    Text(K::WaitWin, "<WAITWIN:", 7, 13, {{{9, 3}}}, 1),
    Text(K::WaitWlf, "<WAITWLF:", 7, 13, {{{9, 3}}}, 1),
    Text(K::WaitProg, "<WAITPROG:", 7, 14, {{{10, 3}}}, 1),
    Text(K::WaitTxtY, "<WAITTXTY:", 7, 14, {{{10, 3}}}, 1),
    Text(K::WaitTxtN, "<WAITTXTN:", 7, 14, {{{10, 3}}}, 1),
    Lit(K::WaitPb, "<WAITPB>", 7),
    Text(K::WaitKey, "<WAITKEY:", 7, 13, {{{9, 3}}}, 1),
    Fixed(K::WaitLM, "<WAITLM:", 7, 11, {{{8, 3}}}, 1, false),
    Fixed(K::WaitMM, "<WAITMM:", 7, 11, {{{8, 3}}}, 1, false),
    Fixed(K::WaitRM, "<WAITRM:", 7, 11, {{{8, 3}}}, 1, false),
    Fixed(K::WaitTime, "<WAITTIME:", 7, 18, {{{10, 8}}}, 1, false),
    // 8. Nested text and internet
    Text(K::EText, "<ETEXT:", 8, 7),
    Text(K::TFile, "<TFILE:", 8, 7),
    Text(K::Http, "<HTTP:", 8, 6),
    Text(K::Ftp, "<FTP:", 8, 5),
    Lit(K::EndRep, "<ENDREP>", 8),
    Lit(K::EndClip, "<ENDCLIP>", 8),
    // 9. Volume and tone
    Lit(K::AudOff, "<AUDOFF>", 9),
    Lit(K::AudOn, "<AUDON>", 9),
    Lit(K::AudUp, "<AUDUP>", 9),
    Lit(K::AudDown, "<AUDDOWN>", 9),
    Lit(K::AudMute, "<AUDMUTE>", 9),
    Lit(K::AudLeft, "<AUDLEFT>", 9),
    Lit(K::AudRight, "<AUDRIGHT>", 9),
    Lit(K::AudCenter, "<AUDCENTER>", 9),
    Lit(K::TrebUp, "<TREBUP>", 9),
    Lit(K::TrebDown, "<TREBDOWN>", 9),
    Lit(K::MidiOff, "<MIDIOFF>", 9),
    Lit(K::MidiOn, "<MIDION>", 9),
    Lit(K::MidiUp, "<MIDIUP>", 9),
    Lit(K::MidiDown, "<MIDIDOWN>", 9),
    Lit(K::MidiMute, "<MIDIMUTE>", 9),
    Lit(K::MidiLeft, "<MIDILEFT>", 9),
    Lit(K::MidiRight, "<MIDIRIGHT>", 9),
    Lit(K::MidiCenter, "<MIDICENTER>", 9),
    Lit(K::BassUp, "<BASSUP>", 9),
    Lit(K::BassDown, "<BASSDOWN>", 9),
    // 10. Mouse
    Lit(K::LDn, "<LDN>", 10),
    Lit(K::LUp, "<LUP>", 10),
    Lit(K::LClk, "<LCLK>", 10),
    Lit(K::LDClk, "<LDCLK>", 10),
    Lit(K::RDn, "<RDN>", 10),
    Lit(K::RUp, "<RUP>", 10),
    Lit(K::RClk, "<RCLK>", 10),
    Lit(K::RDClk, "<RDCLK>", 10),
    Lit(K::MDn, "<MDN>", 10),
    Lit(K::MUp, "<MUP>", 10),
    Lit(K::MClk, "<MCLK>", 10),
    Lit(K::MDClk, "<MDCLK>", 10),
    Fixed(K::Wfw, "<WFW:", 10, 8, {{{5, 3}}}, 1),
    Fixed(K::Wbw, "<WBW:", 10, 8, {{{5, 3}}}, 1),
    Fixed(K::Mmp, "<MMP:", 10, 16, {{{5, 5}, {11, 5}}}, 2),
    Fixed(K::Mms, "<MMS:", 10, 16, {{{5, 5}, {11, 5}}}, 2),
    Fixed(K::Mmw, "<MMW:", 10, 16, {{{5, 5}, {11, 5}}}, 2),
    Lit(K::Mmc, "<MMC>", 10),
    // 11. Keys
    Key(K::F1, "<F1>", 11, 112),
    Key(K::F2, "<F2>", 11, 113),
    Key(K::F3, "<F3>", 11, 114),
    Key(K::F4, "<F4>", 11, 115),
    Key(K::F5, "<F5>", 11, 116),
    Key(K::F6, "<F6>", 11, 117),
    Key(K::F7, "<F7>", 11, 118),
    Key(K::F8, "<F8>", 11, 119),
    Key(K::F9, "<F9>", 11, 120),
    Key(K::F10, "<F10>", 11, 121),
    Key(K::F11, "<F11>", 11, 122),
    Key(K::F12, "<F12>", 11, 123),
    Key(K::F13, "<F13>", 11, 124),
    Key(K::F14, "<F14>", 11, 125),
    Key(K::F15, "<F15>", 11, 126),
    Key(K::F16, "<F16>", 11, 127),
    Key(K::F17, "<F17>", 11, 128),
    Key(K::F18, "<F18>", 11, 129),
    Key(K::F19, "<F19>", 11, 130),
    Key(K::F20, "<F20>", 11, 131),
    Key(K::F21, "<F21>", 11, 132),
    Key(K::F22, "<F22>", 11, 133),
    Key(K::F23, "<F23>", 11, 134),
    Key(K::F24, "<F24>", 11, 135),
    Key(K::ShiftKey, "<SHIFT>", 11, 16, KeyAction::Bare),
    Key(K::CtrlKey, "<CTRL>", 11, 17, KeyAction::Bare),
    Key(K::AltKey, "<ALT>", 11, 18, KeyAction::Bare),
    Key(K::Attn, "<ATTN>", 11, 246),
    Key(K::CrSel, "<CRSEL>", 11, 247),
    Key(K::ExSel, "<EXSEL>", 11, 248),
    Key(K::ErEof, "<EREOF>", 11, 249),
    Key(K::Play, "<PLAY>", 11, 250),
    Key(K::Zoom, "<ZOOM>", 11, 251),
    // 12. Sounds, folders, network, dial-up, files, activation, e-mail, programs
    Text(K::Wav1, "<WAV1:", 12, 6),
    Text(K::Wav2, "<WAV2:", 12, 6),
    Lit(K::Beep, "<BEEP>", 12),
    Text(K::ChDir, "<CHDIR:", 12, 7),
    Text(K::MkDir, "<MKDIR:", 12, 7),
    Shaped(K::Nwt, "<NWT", 12, S::NetConnect, 4),
    Shaped(K::Nwc, "<NWC", 12, S::NetConnect, 4),
    Shaped(K::Nwd, "<NWD", 12, S::NetDisconnect, 4),
    Shaped(K::Dial, "<DIAL:<NAME:", 12, S::Dial, 12),
    Lit(K::Hang, "<HANG>", 12),
    Text(K::DelFile, "<DELFILE:", 12, 9),
    Shaped(K::CopyFile, "<COPYFILE:", 12, S::Split, 10),
    Shaped(K::RenFile, "<RENFILE:", 12, S::Split, 9),
    Text(K::Activate, "<ACTIVATE:", 12, 10),
    Shaped(K::Email, "<EMAIL:", 12, S::Email, 7),
    Shaped(K::Launch, "<LAUNCH:", 12, S::Launch, 8),
    Shaped(K::LaunchDel, "<LAUNCHDEL:", 12, S::Launch, 13, {{{11, 2}}}, 1),
    Shaped(K::LaunchNo, "<LAUNCHNO:", 12, S::LaunchWindow, 12, {{{10, 2}}}, 1),
    Shaped(K::LaunchYes, "<LAUNCHYES:", 12, S::LaunchWindow, 13, {{{11, 2}}}, 1),
    Shaped(K::LaunchNo2, "<LAUNCHNO2:", 12, S::LaunchWindow, 15, {{{11, 2}, {13, 2}}}, 2),
    Shaped(K::LaunchYes2, "<LAUNCHYES2:", 12, S::LaunchWindow, 16, {{{12, 2}, {14, 2}}}, 2),
    Lit(K::DoHook, "<DOHOOK>", 12),
    Text(K::DefPrt, "<DEFPRT:", 12, 8),
    Text(K::Explore, "<EXPLORE:", 12, 9),
    // 13. Video and CD
    Text(K::Avi, "<AVI:", 13, 5),
    Text(K::AviI, "<AVII:", 13, 6),
    Text(K::AviE, "<AVIE:", 13, 6),
    Lit(K::CdPlay, "<CDPLAY>", 13),
    Lit(K::CdStop, "<CDSTOP>", 13),
    Lit(K::CdPause, "<CDPAUSE>", 13),
    Lit(K::CdNext, "<CDNEXT>", 13),
    Lit(K::CdPrev, "<CDPREV>", 13),
    Fixed(K::CdGoto, "<CDGOTO:", 13, 10, {{{8, 2}}}, 1),
    Fixed(K::CdStep, "<CDSTEP:", 13, 11, {{{8, 3}}}, 1),
    Fixed(K::CdBack, "<CDBACK:", 13, 11, {{{8, 3}}}, 1),
    Lit(K::CdEject, "<CDEJECT>", 13),
    Lit(K::CdClose, "<CDCLOSE>", 13),
    // 14. System and desktop
    Lit(K::LogOff, "<LOGOFF>", 14),
    Lit(K::Reboot, "<REBOOT>", 14),
    Lit(K::Shutdown, "<SHUTDOWN>", 14),
    Lit(K::PowerOff, "<POWEROFF>", 14),
    Lit(K::SsOn, "<SSON>", 14),
    Lit(K::SsOff, "<SSOFF>", 14),
    Lit(K::CascDesk, "<CASCDESK>", 14),
    Lit(K::TilHDesk, "<TILHDESK>", 14),
    Lit(K::TilVDesk, "<TILVDESK>", 14),
    Lit(K::MiniDesk, "<MINIDESK>", 14),
    Lit(K::RestDesk, "<RESTDESK>", 14),
    Lit(K::Suspend, "<SUSPEND>", 14),
    Lit(K::Undock, "<UNDOCK>", 14),
    Lit(K::RunDt, "<RUNDT>", 14),
    Lit(K::RunFc, "<RUNFC>", 14),
    Lit(K::RunFf, "<RUNFF>", 14),
    Lit(K::RunRp, "<RUNRP>", 14),
    Lit(K::ExpCp, "<EXPCP>", 14),
    Lit(K::ExpDt, "<EXPDT>", 14),
    Lit(K::ExpDp, "<EXPDP>", 14),
    Lit(K::ExpFv, "<EXPFV>", 14),
    Lit(K::ExpFt, "<EXPFT>", 14),
    Lit(K::ExpMc, "<EXPMC>", 14),
    Lit(K::ExpNw, "<EXPNW>", 14),
    Lit(K::ExpPr, "<EXPPR>", 14),
    Lit(K::ExpPf, "<EXPPF>", 14),
    Lit(K::ExpRd, "<EXPRD>", 14),
    Lit(K::ExpRb, "<EXPRB>", 14),
    Lit(K::ExpSm, "<EXPSM>", 14),
    Lit(K::ExpSu, "<EXPSU>", 14),
    Lit(K::ExpUd, "<EXPUD>", 14),
    Lit(K::EmptyBin, "<EMPTYBIN>", 14),
    // 15. Keys
    Key(K::Pa1, "<PA1>", 15, 253),
    Key(K::PrtScr, "<PRTSCR>", 15, 44),
    Key(K::ScrLock, "<SCRLOCK>", 15, 145),
    Key(K::PauseKey, "<PAUSEKEY>", 15, 19),
    Key(K::CapLock, "<CAPLOCK>", 15, 20),
    Key(K::NumLock, "<NUMLOCK>", 15, 144),
    Key(K::KeyP0, "<KEYP0>", 15, 96),
    Key(K::KeyP1, "<KEYP1>", 15, 97),
    Key(K::KeyP2, "<KEYP2>", 15, 98),
    Key(K::KeyP3, "<KEYP3>", 15, 99),
    Key(K::KeyP4, "<KEYP4>", 15, 100),
    Key(K::KeyP5, "<KEYP5>", 15, 101),
    Key(K::KeyP6, "<KEYP6>", 15, 102),
    Key(K::KeyP7, "<KEYP7>", 15, 103),
    Key(K::KeyP8, "<KEYP8>", 15, 104),
    Key(K::KeyP9, "<KEYP9>", 15, 105),
    Key(K::KeyPDecimal, "<KEYP.>", 15, VK_DECIMAL),
    Key(K::KeyPDivide, "<KEYP/>", 15, VK_DIVIDE),
    Key(K::KeyPMultiply, "<KEYP*>", 15, VK_MULTIPLY),
    Key(K::KeyPSubtract, "<KEYP->", 15, VK_SUBTRACT),
    Key(K::KeyPAdd, "<KEYP+>", 15, VK_ADD),
    // 16. Window commands
    Text(K::WMax, "<WMAX:", 16, 6),
    Text(K::WMin, "<WMIN:", 16, 6),
    Text(K::WCls, "<WCLS:", 16, 6),
    Text(K::WRes, "<WRES:", 16, 6),
};

constexpr std::string_view kDateFormats[] = {"MM/DD/YY",
                                             "MM-DD-YY",
                                             "MM.DD.YY",
                                             "MM/DD/YYYY",
                                             "MM-DD-YYYY",
                                             "MM.DD.YYYY",
                                             "DD/MM/YY",
                                             "DD-MM-YY",
                                             "DD.MM.YY",
                                             "DD/MM/YYYY",
                                             "DD-MM-YYYY",
                                             "DD.MM.YYYY",
                                             "YY/MM/DD",
                                             "YY-MM-DD",
                                             "YY.MM.DD",
                                             "YYYY/MM/DD",
                                             "YYYY-MM-DD",
                                             "YYYY.MM.DD",
                                             "MMM YYYY",
                                             "Mmm YYYY",
                                             "DD MMM YY",
                                             "DD Mmm YY",
                                             "DD MMM YYYY",
                                             "DD Mmm YYYY",
                                             "DD Mmmmm YY",
                                             "DD Mmmmm YYYY",
                                             "Mmm DD YY",
                                             "Mmm DD, YY",
                                             "Mmm DD YYYY",
                                             "Mmm DD, YYYY",
                                             "Mmmmm DD YY",
                                             "Mmmmm DD, YY",
                                             "Mmmmm DD YYYY",
                                             "Mmmmm DD, YYYY",
                                             "MMDDYY",
                                             "MMDDYYYY",
                                             "DDMMYY",
                                             "DDMMYYYY",
                                             "YYMMDD",
                                             "YYYYMMDD",
                                             "DD",
                                             "MM",
                                             "Mmm",
                                             "MMM",
                                             "Mmmmm",
                                             "YY",
                                             "YYYY",
                                             "Day of Week 1",
                                             "Day of Week 2",
                                             "Day of Week 3",
                                             "Day of Week 4"};
static_assert(std::size(kDateFormats) == 51);

constexpr std::string_view kTimeFormats[] = {
    "hh:mm",       "hh.mm",       "hh,mm",       "hhmm",     "hh:mm:ss", "hh.mm.ss", "hh,mm,ss",
    "hhmmss",      "hh",          "mm",          "ss",       "hh:mm am", "hh.mm am", "hh,mm am",
    "hh:mm:ss am", "hh.mm.ss am", "hh,mm,ss am", "hh:mm AM", "hh.mm AM", "hh,mm AM", "hh:mm:ss AM",
    "hh.mm.ss AM", "hh,mm,ss AM", "hh:mma",      "hh.mma",   "hh,mma"};
static_assert(std::size(kTimeFormats) == 26);

constexpr char kFieldEnd = '\x01';

// A scan over the text that never reads past its end.
struct Cursor {
    std::string_view text;
    size_t pos;  // absolute
    bool unterminated = false;

    bool StartsWith(std::string_view s) const {
        return pos <= text.size() && text.substr(pos).starts_with(s);
    }
    // The text up to `delim` (not included); the cursor moves past the delimiter. Without
    // one the text runs to the end.
    std::string_view UpTo(char delim) {
        size_t end = pos < text.size() ? text.find(delim, pos) : std::string_view::npos;
        std::string_view out;
        if (end == std::string_view::npos) {
            out = pos < text.size() ? text.substr(pos) : std::string_view();
            pos = text.size();
            unterminated = true;
        } else {
            out = text.substr(pos, end - pos);
            pos = end + 1;
        }
        return out;
    }
    std::string_view Take(size_t n) {
        std::string_view out = pos < text.size() ? text.substr(pos, n) : std::string_view();
        pos = std::min(text.size(), pos + n);
        return out;
    }
};

// The launch argument: up to the next '>', or past the '>' of "<PARAM>" to the next one.
std::string_view ReadLaunchArgument(Cursor& c) {
    size_t start = c.pos;
    std::string_view first = c.UpTo('>');
    if (!c.unterminated && first.find("<PARAM") != std::string_view::npos) c.UpTo('>');
    size_t end = c.unterminated ? c.pos : c.pos - 1;
    return c.text.substr(start, end - start);
}

void AddFields(const TokenSpec& token_spec, std::string_view text, size_t pos, Token& t) {
    for (uint8_t i = 0; i < token_spec.field_count; ++i)
        t.args.push_back(text.substr(pos + token_spec.fields[i].start, token_spec.fields[i].length));
}

// Fields and the start of the free part must lie inside the text.
bool FitsFixedPart(const TokenSpec& token_spec, std::string_view text, size_t pos) {
    size_t need = token_spec.prefix.size();
    for (uint8_t i = 0; i < token_spec.field_count; ++i)
        need = std::max<size_t>(need, token_spec.fields[i].start + token_spec.fields[i].length);
    if (token_spec.shape == S::Fixed)
        need = std::max<size_t>(need, token_spec.close + 1);
    else
        need = std::max<size_t>(need, token_spec.text_from);
    return pos + need <= text.size();
}

// The e-mail token's fields: tags of two letters, values ending in 0x01.
void ReadEmail(Cursor& c) {
    c.Take(2);  // return-receipt tag
    std::string_view source = c.Take(2);
    std::string_view tag = c.Take(2);
    if (source == "R1") {
        for (std::string_view list : {"TO", "CC", "BL"}) {
            if (tag != list) continue;
            c.UpTo(kFieldEnd);
            tag = c.Take(2);
        }
    }
    int text_fields = tag == "S1" ? 2 : tag == "S3" ? 1 : tag == "S4" ? 2 : 0;
    for (int i = 0; i < text_fields; ++i) c.UpTo(kFieldEnd);
    if (c.Take(2) == "A2") c.UpTo(kFieldEnd);
}

// Step and back were once stored with two digits of seconds; such macros still play.
bool RecogniseShortCdSeconds(const TokenSpec& token_spec, std::string_view text, size_t pos, Token& t) {
    if (token_spec.kind != K::CdStep && token_spec.kind != K::CdBack) return false;
    const size_t close = token_spec.close - 1;
    if (pos + close >= text.size() || text[pos + close] != '>') return false;
    t.kind = token_spec.kind;
    t.args = {text.substr(pos + token_spec.fields[0].start, token_spec.fields[0].length - 1)};
    t.length = close + 1;
    return true;
}

bool Recognise(const TokenSpec& token_spec, std::string_view text, size_t pos, Token& t) {
    if (!text.substr(pos).starts_with(token_spec.prefix)) return false;
    if (RecogniseShortCdSeconds(token_spec, text, pos, t)) return true;
    if ((token_spec.shape == S::Fixed || token_spec.shape == S::Text || token_spec.shape == S::Launch ||
         token_spec.shape == S::LaunchWindow) &&
        !FitsFixedPart(token_spec, text, pos))
        return false;
    Cursor c{text, pos + token_spec.text_from};
    switch (token_spec.shape) {
        case S::Literal: c.pos = pos + token_spec.prefix.size(); break;
        case S::Fixed:
            if (token_spec.close_checked && text[pos + token_spec.close] != '>') return false;
            AddFields(token_spec, text, pos, t);
            c.pos = pos + token_spec.close + 1;
            break;
        case S::Text:
            AddFields(token_spec, text, pos, t);
            t.args.push_back(c.UpTo('>'));
            break;
        case S::Split: {
            std::string_view all = c.UpTo('>');
            size_t semi = all.find(';');
            t.args.push_back(all.substr(0, semi));
            t.args.push_back(semi == std::string_view::npos ? std::string_view() : all.substr(semi + 1));
            break;
        }
        case S::WallPaper: {
            std::string_view all = c.UpTo('>');
            auto part = [&](size_t from, size_t n) {
                return from < all.size() ? all.substr(from, n) : std::string_view();
            };
            // Counted from 1 within the text: x is 1-4, y 6-9, the file from 10.
            t.args = {part(0, 4), part(5, 4), part(9, std::string_view::npos)};
            break;
        }
        case S::TextBox:
            t.args.push_back(c.UpTo('>'));
            t.args.push_back(c.UpTo('>'));
            break;
        case S::ClipText: {
            size_t end = text.find("<ENDCLIP>", c.pos);
            if (end == std::string_view::npos) {
                // Nothing is copied; playing goes on at the text's last character.
                t.unterminated = true;
                t.length = text.size() - 1 - pos;
                t.kind = token_spec.kind;
                return true;
            }
            t.args.push_back(text.substr(c.pos, end - c.pos));
            c.pos = end + 9;
            break;
        }
        case S::NetConnect: {
            size_t flags_start = c.pos;
            if (c.StartsWith("P")) ++c.pos;
            if (c.StartsWith("S")) ++c.pos;
            std::string_view flags = text.substr(flags_start, c.pos - flags_start);
            if (!c.StartsWith(":<NAME:")) return false;
            c.pos += 7;
            std::string_view user = c.UpTo('>');
            if (!c.StartsWith("<PASS:")) return false;
            c.pos += 6;
            std::string_view password = c.UpTo('>');
            std::string_view target = c.UpTo('>');
            t.args = {flags, user, password, target.substr(0, 2),
                      target.size() > 2 ? target.substr(2) : std::string_view()};
            break;
        }
        case S::NetDisconnect: {
            size_t flags_start = c.pos;
            for (char flag : {'P', 'F', 'S'})
                if (c.pos < text.size() && text[c.pos] == flag) ++c.pos;
            std::string_view flags = text.substr(flags_start, c.pos - flags_start);
            if (!c.StartsWith(":")) return false;
            ++c.pos;
            t.args = {flags, c.UpTo('>')};
            break;
        }
        case S::Dial: {
            std::string_view user = c.UpTo('>');
            if (!c.StartsWith("<PASS:")) return false;
            c.pos += 6;
            std::string_view password = c.UpTo('>');
            t.args = {user, password, c.UpTo('>')};
            break;
        }
        case S::Email:
            ReadEmail(c);
            t.args.push_back(text.substr(pos + token_spec.text_from, c.pos - pos - token_spec.text_from));
            // The closing '>' is taken on trust.
            c.pos = std::min(text.size(), c.pos + 1);
            break;
        case S::Launch:
            AddFields(token_spec, text, pos, t);
            t.args.push_back(ReadLaunchArgument(c));
            break;
        case S::LaunchWindow:
            AddFields(token_spec, text, pos, t);
            t.args.push_back(c.UpTo('<'));
            if (!c.unterminated) c.pos = std::min(text.size(), c.pos - 1 + 8);  // "<LAUNCH:"
            t.args.push_back(ReadLaunchArgument(c));
            break;
    }
    t.kind = token_spec.kind;
    t.unterminated = c.unterminated;
    t.length = c.pos - pos;
    return true;
}

bool RecogniseDateTime(std::string_view text, size_t pos, Token& t) {
    std::string_view rest = text.substr(pos + 1);
    for (size_t i = 0; i < std::size(kDateFormats); ++i) {
        std::string_view f = kDateFormats[i];
        if (!(rest.starts_with(f) && rest.size() > f.size() && rest[f.size()] == '{')) continue;
        const size_t L = f.size() + 2;  // offset of the pad flag
        if (pos + L + 3 <= text.size() && text[pos + L + 2] == '>') {
            t = {K::Date, L + 3, {text.substr(pos + L, 1)}, static_cast<int>(i + 1)};
            return true;
        }
        if (pos + L + 7 > text.size()) return false;  // the offset form would need more
        t = {K::DateOffset,
             L + 7,
             {text.substr(pos + L, 1), text.substr(pos + L + 1, 1), text.substr(pos + L + 2, 3)},
             static_cast<int>(i + 1)};
        return true;
    }
    for (std::string_view pad : {"N", "Y"}) {
        for (size_t i = 0; i < std::size(kTimeFormats); ++i) {
            std::string_view f = kTimeFormats[i];
            std::string closing = std::string("{") + std::string(pad) + "}>";
            if (rest.starts_with(f) && rest.substr(f.size()).starts_with(closing)) {
                t = {K::Time, f.size() + 5, {text.substr(pos + f.size() + 2, 1)}, static_cast<int>(i + 1)};
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::span<const TokenSpec> TokenTable() { return kTable; }

const TokenSpec& SpecOf(TokenKind kind) {
    // Indexed once: writers and the script parser ask for spellings token after token.
    static const auto byKind = [] {
        std::array<const TokenSpec*, static_cast<size_t>(TokenKind::Time) + 1> at{};
        for (const auto& token_spec : kTable)
            if (!at[static_cast<size_t>(token_spec.kind)])
                at[static_cast<size_t>(token_spec.kind)] = &token_spec;
        return at;
    }();
    const size_t i = static_cast<size_t>(kind);
    if (i >= byKind.size() || !byKind[i]) std::abort();  // Date/Time/None have no table entry: a caller bug
    return *byKind[i];
}

std::span<const std::string_view> DateFormats() { return kDateFormats; }
std::span<const std::string_view> TimeFormats() { return kTimeFormats; }

Token Recognise(std::string_view text, size_t pos) {
    Token t;
    if (pos >= text.size() || text[pos] != '<') return t;
    for (const auto& token_spec : kTable)
        if (Recognise(token_spec, text, pos, t)) return t;
    t = {};
    if (RecogniseDateTime(text, pos, t)) return t;
    return {};
}

Step NextStep(std::string_view text, size_t pos) {
    Step step;
    if (text[pos] == '<') {
        step.token = Recognise(text, pos);
        if (step.token.kind != TokenKind::None) {
            step.length = step.token.length;
            return step;
        }
    }
    step.ch = text[pos];
    step.length = text.substr(pos).starts_with("\r\n") ? 2 : 1;
    return step;
}

size_t FindMatchingEndRep(std::string_view text, size_t from) {
    int level = 0;
    for (size_t p = text.find('<', from); p != std::string_view::npos; p = text.find('<', p + 1)) {
        std::string_view at = text.substr(p);
        if (at.starts_with("<REP:") || at.starts_with("<REPEAT:") || at.starts_with("<PROMPTREP>")) ++level;
        if (at.starts_with("<ENDREP>")) {
            if (level == 0) return p;
            --level;
        }
    }
    return std::string_view::npos;
}

long ArgInt(std::string_view field) {
    size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
    long value = 0;
    for (; i < field.size() && std::isdigit(static_cast<unsigned char>(field[i])); ++i) {
        if (value > (1L << 40)) break;  // fields are short; never overflow on junk
        value = value * 10 + (field[i] - '0');
    }
    return negative ? -value : value;
}

std::optional<double> ArgReal(std::string_view field) {
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
    size_t i = 0;
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) ++i;
    size_t digits = 0, dots = 0;
    for (; i < field.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(field[i])))
            ++digits;
        else if (field[i] == '.' && dots == 0)
            ++dots;
        else
            return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    // from_chars, not strtod: a desktop session with a decimal-comma locale would read
    // "00.50" as 0.
    if (field.front() == '+') field.remove_prefix(1);
    double value = 0;
    std::from_chars(field.data(), field.data() + field.size(), value, std::chars_format::fixed);
    return value;
}

std::optional<double> SpeedFactor(std::string_view field) {
    const std::optional<double> factor = ArgReal(field);
    if (!factor || *factor < 0) return std::nullopt;
    return factor;
}

bool IsCurrentWindowTitle(std::string_view title) { return title == "\"CURRENT\""; }

LaunchArgument SplitLaunchArgument(std::string_view argument) {
    LaunchArgument out;
    if (argument.size() >= 2 && argument.back() == kFieldEnd) {
        char digit = argument[argument.size() - 2];
        out.window_state = digit - '0';
        argument.remove_suffix(2);
    }
    size_t param = argument.find("<PARAM>");
    out.file = argument.substr(0, param);
    if (param != std::string_view::npos) out.parameters = argument.substr(param + 7);
    return out;
}

}  // namespace tessaro
