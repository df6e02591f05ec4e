#include "player/commands/player_commands.h"

#include "foundation/drive_table.h"
#include "player/commands/datetime.h"
#include "player/commands/files_drives_dialup.h"
#include "player/commands/sound_output.h"

namespace tessaro {

namespace {

// Each family below owns the devices it works on; they are built before the family.
struct ClockHolder {
    std::unique_ptr<LocalClock> clock = SystemLocalClock();
};
class SystemDateTime : private ClockHolder, public DateTimeCommands {
public:
    SystemDateTime() : DateTimeCommands(*clock) {}
};

struct StatusHolder {
    std::unique_ptr<DialStatusWindow> status;
    std::unique_ptr<win::NetworkShares> shares = win::SystemNetworkShares();
};
class SystemFiles : private StatusHolder, public FilesDrivesDialUpCommands {
public:
    explicit SystemFiles(std::unique_ptr<DialStatusWindow> s)
        : StatusHolder{std::move(s)}, FilesDrivesDialUpCommands(*status, *shares, DriveTablePath()) {}
};

struct MediaHolder {
    MediaHolder(win::Platform& platform, std::unique_ptr<VideoWindow> v)
        : sound(platform), video(std::move(v)) {}
    std::unique_ptr<win::AudioMixerOpener> mixers = win::SystemMixerOpener();
    ServiceSoundOutput sound;
    std::unique_ptr<VideoWindow> video;
    std::unique_ptr<win::CdDrives> cds = win::SystemCdDrives();
};
class SystemMultimedia : private MediaHolder, public MultimediaCommands {
public:
    SystemMultimedia(win::Platform& platform, std::unique_ptr<VideoWindow> v)
        : MediaHolder(platform, std::move(v)),
          MultimediaCommands(MultimediaDevices{*mixers, sound, *video, *cds}) {}
};

}  // namespace

void RegisterPlayerCommands(CommandFamilies& families, win::Platform& platform,
                            std::unique_ptr<DialStatusWindow> status, std::unique_ptr<VideoWindow> video) {
    families.Register(CommandFamilyId::DateTime, std::make_unique<SystemDateTime>());
    families.Register(CommandFamilyId::FilesDrivesDialUp, std::make_unique<SystemFiles>(std::move(status)));
    families.Register(CommandFamilyId::Multimedia,
                      std::make_unique<SystemMultimedia>(platform, std::move(video)));
}

}  // namespace tessaro
