#include "player/ui/video_plugin.h"

#include <QPluginLoader>

#include "platform/paths.h"

namespace tessaro {

VideoPlayerPlugin* LoadVideoPlayerPlugin(QString& error) {
    // Kept for the life of the program: windows of the plugin may outlive any one caller.
    static QPluginLoader loader(QString::fromStdString(win::ExecutableDirectory() + "/libtesvideo.so"));
    auto* plugin = qobject_cast<VideoPlayerPlugin*>(loader.instance());
    if (!plugin) error = "The video clip player cannot be loaded (" + loader.errorString() + ").";
    return plugin;
}

}  // namespace tessaro
