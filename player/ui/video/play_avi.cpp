#include "player/ui/video/play_avi.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>
#include <algorithm>

namespace tessaro {

TDoPlayAVI::TDoPlayAVI(const QString& file, int mode, QWidget* parent)
    : QDialog(parent), mode_(mode), closeTimer_(new QTimer(this)) {
    setWindowTitle("Video Clip Player");
    Panel = new QVideoWidget(this);
    PlayButton = new QPushButton(tr("&Play"), this);
    StopButton = new QPushButton(tr("&Stop"), this);
    MediaPlayer = new QMediaPlayer(this);
    MediaPlayer->setVideoOutput(Panel);
    MediaPlayer->setSource(QUrl::fromLocalFile(file));
    auto* controls = new QHBoxLayout;
    controls->addWidget(PlayButton);
    controls->addWidget(StopButton);
    controls->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel, 1);
    layout->addLayout(controls);
    connect(PlayButton, &QPushButton::clicked, MediaPlayer, &QMediaPlayer::play);
    connect(StopButton, &QPushButton::clicked, MediaPlayer, &QMediaPlayer::stop);
    closeTimer_->setSingleShot(true);
    connect(closeTimer_, &QTimer::timeout, this, &QDialog::accept);
    connect(MediaPlayer, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::LoadedMedia) FitToVideo();
        if (s == QMediaPlayer::EndOfMedia && mode_ == 2) closeTimer_->start(0);
        if (s == QMediaPlayer::InvalidMedia && mode_ == 2) closeTimer_->start(0);
    });
    FitToVideo();
}

TDoPlayAVI::~TDoPlayAVI() { MediaPlayer->stop(); }

void TDoPlayAVI::FitToVideo() {
    const QSize video = MediaPlayer->metaData().value(QMediaMetaData::Resolution).toSize();
    const int controlsWidth = PlayButton->sizeHint().width() + StopButton->sizeHint().width() + 24;
    const int width = std::max(video.isValid() ? video.width() : 0, controlsWidth);
    const int height = (video.isValid() ? video.height() : 0) + 31;
    resize(width, height);
    if (const QScreen* s = screen()) move(s->geometry().center() - rect().center());
}

bool TDoPlayAVI::event(QEvent* e) {
    const bool handled = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate && !started_ && (mode_ == 1 || mode_ == 2)) {
        started_ = true;
        MediaPlayer->play();
    }
    return handled;
}

}  // namespace tessaro
