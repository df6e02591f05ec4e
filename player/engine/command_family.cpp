#include "player/engine/command_family.h"

namespace tessaro {

std::optional<CommandFamilyId> FamilyOf(TokenKind kind) {
    using K = TokenKind;
    using F = CommandFamilyId;
    switch (kind) {
        case K::Date:
        case K::DateOffset:
        case K::Time: return F::DateTime;
        case K::WaitTime:
        case K::None: return std::nullopt;
        case K::Wav1:
        case K::Wav2:
        case K::Beep: return F::Multimedia;
        case K::ChDir:
        case K::MkDir:
        case K::Nwt:
        case K::Nwc:
        case K::Nwd:
        case K::Dial:
        case K::Hang:
        case K::DelFile:
        case K::CopyFile:
        case K::RenFile: return F::FilesDrivesDialUp;
        case K::Email: return F::EMail;
        case K::Launch:
        case K::LaunchDel:
        case K::LaunchNo:
        case K::LaunchYes:
        case K::LaunchNo2:
        case K::LaunchYes2:
        case K::DoHook:
        case K::DefPrt:
        case K::Explore:
        case K::Screen:
        case K::KeyDel:
        case K::KeySpd:
        case K::SsTime:
        case K::WbSize:
        case K::WallT:
        case K::WallC:
        case K::WallS:
        case K::WallP: return F::ProgramsWindowsSystem;
        default: break;
    }
    switch (SpecOf(kind).group) {
        case 3:
        case 14:
        case 16: return F::ProgramsWindowsSystem;
        case 7: return F::Waits;
        case 9:
        case 13: return F::Multimedia;
        default: return std::nullopt;
    }
}

}  // namespace tessaro
