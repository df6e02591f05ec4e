#include "player/engine/player_macro_file.h"

#include "player/engine/peer_link.h"

namespace tessaro {

PlayerMacroFile::PlayerMacroFile(Context context)
    : peer_(context.link),
      file_({context.config, context.glob, peer_, std::move(context.programDirectory),
             MacroFilePolicy{kSystemMacros, true}, std::move(context.now)}) {}

void PlayerMacroFile::LinkPeer::PushGroup(const TGlobData& glob, int group, int index) {
    link_.Push(glob, group, index);
}

void PlayerMacroFile::LinkPeer::Notify(std::uint32_t code, std::int32_t argument) {
    link_.NotifyEditor(code, argument);
}

}  // namespace tessaro
