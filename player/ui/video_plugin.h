#pragma once
// The video clip player lives in a plugin (libtesvideo.so beside the programs) that is
// loaded the first time a macro shows a clip, so the player maps the media libraries only
// when a macro needs them.
#include <QDialog>
#include <QString>
#include <QtPlugin>
#include <memory>

namespace tessaro {

class VideoPlayerPlugin {
public:
    virtual ~VideoPlayerPlugin() = default;
    // Empty when this machine can play clips; else a text for the user naming what is
    // missing. Asked before any player is built: a missing media element must never reach
    // the media backend.
    virtual QString MissingBackend() = 0;
    // Empty when `file` can be handed to a player (a damaged or absent file included: the
    // player tells those); else what the backend lacks for it, in the backend's words.
    virtual QString MissingForFile(const QString& file) = 0;
    // The "Video Clip Player" window: mode 1 starts when the window activates, 2 plays to
    // the end and closes, 3 waits for the user.
    virtual std::unique_ptr<QDialog> CreatePlayAVI(const QString& file, int mode) = 0;
};

// Loads the plugin once and keeps it; nullptr (and `error` set for the user) when it
// cannot be loaded.
VideoPlayerPlugin* LoadVideoPlayerPlugin(QString& error);

}  // namespace tessaro

#define TessaroVideoPlayerPlugin_iid "org.tessaro.VideoPlayerPlugin/2"
Q_DECLARE_INTERFACE(tessaro::VideoPlayerPlugin, TessaroVideoPlayerPlugin_iid)
