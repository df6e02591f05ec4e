#pragma once
// The e-mail command family as the player holds it: the sending code is loaded from its
// plugin on the first "<EMAIL:" token. Where the plugin cannot be loaded the user is told
// that mail cannot be sent, and why, and the macro goes on.
#include <QPluginLoader>
#include <memory>
#include <string>

#include "mail/mail_prompts.h"
#include "player/engine/command_family.h"

namespace tessaro {

struct TConfigRecord;

class EMailFamily : public CommandFamily {
public:
    // `pluginPath` empty: libtesmail.so beside the program.
    EMailFamily(const TConfigRecord& config, mail::MailPrompts& prompts, std::string pluginPath = {});
    ~EMailFamily() override;
    CommandOutcome Run(MacroPlayer& player, const CommandToken& token) override;

    // The loaded family; nullptr (and the reason in `Unavailable()`) when the plugin cannot
    // be loaded. Loads at most once.
    CommandFamily* Loaded();
    const std::string& Unavailable() const { return error_; }

private:
    const TConfigRecord& config_;
    mail::MailPrompts& prompts_;
    std::string pluginPath_;
    QPluginLoader loader_;  // never unloaded: Qt keeps a plugin for the life of the program
    std::unique_ptr<CommandFamily> family_;
    std::string error_;
};

// The message of a player that cannot send mail: the fixed text, then the cause.
std::string EMailUnavailableText(const std::string& cause);

}  // namespace tessaro
