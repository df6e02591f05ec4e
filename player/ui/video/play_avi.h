#pragma once
// The player's video clip window: plays a file in its panel, sized to the clip.
#include <QDialog>
#include <QString>

class QMediaPlayer;
class QPushButton;
class QTimer;
class QVideoWidget;

namespace tessaro {

class TDoPlayAVI : public QDialog {
    Q_OBJECT
public:
    // 1: start on activation; 2: play to the end, then close; 3: the user starts it.
    TDoPlayAVI(const QString& file, int mode, QWidget* parent = nullptr);
    ~TDoPlayAVI() override;
    QVideoWidget* Panel;
    QPushButton* PlayButton;
    QPushButton* StopButton;
    QMediaPlayer* MediaPlayer;
    int mode() const { return mode_; }

protected:
    bool event(QEvent* e) override;

private:
    void FitToVideo();
    int mode_;
    bool started_ = false;
    QTimer* closeTimer_;
};

}  // namespace tessaro
