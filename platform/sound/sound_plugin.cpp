// The plugin's entry: sound channels on Qt Multimedia's sound effect.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QSoundEffect>
#include <QUrl>
#include <memory>

#include "platform/sound.h"

namespace win {
namespace {

class EffectChannel : public SoundChannel {
public:
    ~EffectChannel() override { SettleLoad(); }
    // A new effect for each sound: giving a used one a new source while its last sample
    // still loads deadlocks Qt's sample cache.
    void Start(const QString& file) override {
        SettleLoad();
        effect_ = std::make_unique<QSoundEffect>();
        effect_->setSource(QUrl::fromLocalFile(file));
        effect_->play();  // queued until loaded; a file that is no sound never plays
    }
    bool Playing() override {
        return effect_ && (effect_->isPlaying() || effect_->status() == QSoundEffect::Loading);
    }
    void Stop() override {
        SettleLoad();
        if (effect_) effect_->stop();
    }

private:
    // Qt's sample cache deadlocks when it is torn down (at the latest at exit) while its
    // loader thread still decodes: let a load in progress end first, for a bounded time.
    void SettleLoad() {
        QElapsedTimer waited;
        waited.start();
        while (effect_ && effect_->status() == QSoundEffect::Loading && waited.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace

class EffectSoundPlugin : public QObject, public SoundPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TessaroSoundPlugin_iid)
    Q_INTERFACES(win::SoundPlugin)
public:
    std::unique_ptr<SoundChannel> CreateChannel() override { return std::make_unique<EffectChannel>(); }
};

}  // namespace win

#include "sound_plugin.moc"
