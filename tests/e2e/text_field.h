#pragma once
// The typing target of the desktop tests: a line edit in a reader program of the tests' (by
// default the Qt one, never stalling) at the top left of the screen, with the keyboard focus,
// that reports its text on each change.
#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <chrono>
#include <filesystem>
#include <string>

#include "player_process.h"

namespace tessaro::testing {

class TextField {
public:
    explicit TextField(const std::string& display)
        : TextField(display, std::string(TESSARO_TEST_BIN_DIR) + "/qt_stall_reader", {"0", "1"}) {}
    TextField(const std::string& display, const std::string& program, const QStringList& args) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", QString::fromStdString(display));
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("TESSARO_FIELD_CHILD", "1");
        env.insert("GTK_IM_MODULE", "gtk-im-context-simple");
        child_.setProcessEnvironment(env);
        child_.start(QString::fromStdString(program), args);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (!out_.contains("READY") && std::chrono::steady_clock::now() < end) {
            child_.waitForReadyRead(200);
            out_ += child_.readAllStandardOutput();
        }
        ready_ = out_.contains("READY");
    }
    ~TextField() {
        child_.kill();
        child_.waitForFinished(5000);
    }
    bool ready() const { return ready_; }
    qint64 pid() const { return child_.processId(); }

    // The field's text as last reported.
    std::string Text() {
        child_.waitForReadyRead(20);
        out_ += child_.readAllStandardOutput();
        const qsizetype at = out_.lastIndexOf("TEXT:");
        if (at < 0) return {};
        const qsizetype end = out_.indexOf('\n', at);
        if (end < 0) return {};
        return QByteArray::fromHex(out_.mid(at + 5, end - at - 5)).toStdString();
    }
    bool WaitFor(const std::string& text, std::chrono::milliseconds limit) {
        return testing::WaitFor([&] { return Text() == text; }, limit);
    }

private:
    QProcess child_;
    QByteArray out_;
    bool ready_ = false;
};

}  // namespace tessaro::testing
