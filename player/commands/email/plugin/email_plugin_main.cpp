// The plugin's entry: the one object that QPluginLoader hands to the player.
#include <QObject>

#include "player/commands/email/email_sender.h"
#include "player/commands/email_plugin.h"

namespace tessaro {

class SmtpEMailPlugin : public QObject, public EMailPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TessaroEMailPlugin_iid)
    Q_INTERFACES(tessaro::EMailPlugin)
public:
    std::unique_ptr<CommandFamily> CreateEMailFamily(const TConfigRecord& config,
                                                     mail::MailPrompts& prompts) override {
        return std::make_unique<EMailSenderFamily>(config, prompts);
    }
};

}  // namespace tessaro

#include "email_plugin_main.moc"
