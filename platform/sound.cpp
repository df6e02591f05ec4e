#include "platform/sound.h"

#include <QFileInfo>
#include <QPluginLoader>

#include "platform/paths.h"

namespace win {

SoundService::SoundService(std::string pluginPath)
    : pluginPath_(pluginPath.empty() ? JoinPath(ExecutableDirectory(), "libtessound.so")
                                     : std::move(pluginPath)) {}

SoundService::~SoundService() = default;

SoundChannel* SoundService::Channel() {
    if (channel_ || !error_.empty()) return channel_.get();
    // The library stays loaded once loaded: Qt keeps it for the life of the program.
    QPluginLoader loader(QString::fromStdString(pluginPath_));
    if (auto* plugin = qobject_cast<SoundPlugin*>(loader.instance()))
        channel_ = plugin->CreateChannel();
    else
        error_ = "Sounds cannot be played: the sound plugin " + pluginPath_ + " cannot be loaded (" +
                 loader.errorString().toStdString() + ").";
    return channel_.get();
}

SoundStart SoundService::Start(const std::string& utf8Path) {
    if (channel_) channel_->Stop();
    const QFileInfo file(QString::fromStdString(utf8Path));
    if (utf8Path.empty() || !file.isFile()) return SoundStart::NoFile;  // no default sound instead
    SoundChannel* channel = Channel();
    if (!channel) return SoundStart::Unavailable;
    channel->Start(file.absoluteFilePath());
    return SoundStart::Started;
}

bool SoundService::Playing() { return channel_ && channel_->Playing(); }

void SoundService::Stop() {
    if (channel_) channel_->Stop();
}

}  // namespace win
