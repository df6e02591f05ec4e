#include "player/commands/email.h"

#include "platform/paths.h"
#include "player/commands/email_plugin.h"
#include "player/engine/macro_player.h"

namespace tessaro {

namespace {

constexpr const char* kUnavailableCaption = "Winsock Missing";
constexpr const char* kUnavailable =
    "The necessary winsock files are not present on your computer.  Internet connections cannot be "
    "made.  E-Mail cannot be sent.";

}  // namespace

std::string EMailUnavailableText(const std::string& cause) {
    return std::string(kUnavailable) + "\n\n" + cause;
}

EMailFamily::EMailFamily(const TConfigRecord& config, mail::MailPrompts& prompts, std::string pluginPath)
    : config_(config),
      prompts_(prompts),
      pluginPath_(pluginPath.empty() ? win::JoinPath(win::ExecutableDirectory(), "libtesmail.so")
                                     : std::move(pluginPath)),
      loader_(QString::fromStdString(pluginPath_)) {}

// The family's code is the plugin's: it goes before the loader does.
EMailFamily::~EMailFamily() { family_.reset(); }

CommandFamily* EMailFamily::Loaded() {
    if (family_ || !error_.empty()) return family_.get();
    if (auto* plugin = qobject_cast<EMailPlugin*>(loader_.instance()))
        family_ = plugin->CreateEMailFamily(config_, prompts_);
    if (!family_)
        error_ = "The e-mail plugin " + pluginPath_ + " cannot be loaded (" +
                 loader_.errorString().toStdString() + ").";
    return family_.get();
}

CommandOutcome EMailFamily::Run(MacroPlayer& player, const CommandToken& token) {
    if (CommandFamily* family = Loaded()) return family->Run(player, token);
    player.services().windows.DoAMessage(kUnavailableCaption, EMailUnavailableText(error_));
    return CommandOutcome::Done;
}

}  // namespace tessaro
