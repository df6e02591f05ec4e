// The plugin's entry: the one object that QPluginLoader hands to the player.
#include <QObject>

#include "player/ui/video/media_backend.h"
#include "player/ui/video/play_avi.h"
#include "player/ui/video_plugin.h"

namespace tessaro {

class VideoPlugin : public QObject, public VideoPlayerPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TessaroVideoPlayerPlugin_iid)
    Q_INTERFACES(tessaro::VideoPlayerPlugin)
public:
    QString MissingBackend() override {
        const auto missing = MissingVideoElements();
        return missing.empty() ? QString() : QString::fromStdString(DescribeMissingElements(missing));
    }
    QString MissingForFile(const QString& file) override {
        const auto missing = MissingMediaPlugin(file.toStdString());
        return missing ? QString::fromStdString(*missing) : QString();
    }
    std::unique_ptr<QDialog> CreatePlayAVI(const QString& file, int mode) override {
        return std::make_unique<TDoPlayAVI>(file, mode);
    }
};

}  // namespace tessaro

#include "video_plugin_main.moc"
