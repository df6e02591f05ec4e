// A Qt line edit that falls behind inside its own key handler: every `every` key presses it
// stops for `stall` milliseconds before it handles the key, as a busy program does. It
// prints READY once it has the focus and TEXT:<hex of UTF-8> after each change.
//   qt_stall_reader STALL_MS EVERY
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <thread>

namespace {

class StallingField : public QLineEdit {
public:
    StallingField(int stall, int every) : stall_(stall), every_(every > 0 ? every : 1) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (++presses_ % every_ == 0) std::this_thread::sleep_for(std::chrono::milliseconds(stall_));
        QLineEdit::keyPressEvent(event);
    }

private:
    int stall_, every_, presses_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const int stall = argc > 1 ? std::atoi(argv[1]) : 300;
    const int every = argc > 2 ? std::atoi(argv[2]) : 25;
    QApplication app(argc, argv);
    StallingField field(stall, every);
    field.setWindowTitle("Stalling Qt Reader");
    field.setGeometry(0, 0, 400, 40);
    QObject::connect(&field, &QLineEdit::textChanged, [](const QString& text) {
        std::cout << "TEXT:" << text.toUtf8().toHex().toStdString() << std::endl;
    });
    field.show();
    field.activateWindow();
    field.setFocus();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (field.isActiveWindow() && field.hasFocus()) {
            poll.stop();
            std::cout << "READY" << std::endl;
        }
    });
    poll.start(20);
    return app.exec();
}
