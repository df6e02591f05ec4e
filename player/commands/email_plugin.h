#pragma once
// The e-mail command family lives in a plugin (libtesmail.so beside the programs) that is
// loaded the first time a macro sends mail, so the player maps Qt Network and the socket
// code only when a macro needs them.
#include <QtPlugin>
#include <memory>

#include "mail/mail_prompts.h"
#include "player/engine/command_family.h"

namespace tessaro {

struct TConfigRecord;

class EMailPlugin {
public:
    virtual ~EMailPlugin() = default;
    // The family that sends a macro's e-mail with these settings, asking through `prompts`.
    // Both must outlive it.
    virtual std::unique_ptr<CommandFamily> CreateEMailFamily(const TConfigRecord& config,
                                                             mail::MailPrompts& prompts) = 0;
};

}  // namespace tessaro

#define TessaroEMailPlugin_iid "org.tessaro.EMailPlugin/1"
Q_DECLARE_INTERFACE(tessaro::EMailPlugin, TessaroEMailPlugin_iid)
