// Types every printable Windows-1252 character through XTest into a real text field in
// another process on a private X server, and reads the field back.
#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <thread>

#include "platform/cp1252.h"
#include "platform/x11/xtest_input.h"
#include "player/engine/input_synthesis.h"
// Last: Xlib's macros would clash with names above.
#include "tests/support/xvfb.h"

namespace tessaro {
namespace {

std::string PrintableCp1252() {
    std::string text;
    for (int c = 0x20; c <= 0xFF; ++c) {
        if (c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) continue;
        text += static_cast<char>(c);
    }
    return text;
}

// The typing target: a line edit that prints its text (hex UTF-8) when Enter is pressed.
TEST(XTestTypingChild, ShowsTheField) {
    if (!std::getenv("TESSARO_TYPING_CHILD")) GTEST_SKIP() << "runs only as a child of XTestTyping";
    if (QCoreApplication::instance()) GTEST_SKIP() << "another application runs";
    int argc = 1;
    char name[] = "typing_target";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QLineEdit field;
    field.setMaxLength(100000);
    field.setGeometry(0, 0, 300, 40);
    QObject::connect(&field, &QLineEdit::returnPressed, [&] {
        std::cout << "TEXT:" << field.text().toUtf8().toHex().toStdString() << std::endl;
        app.quit();
    });
    field.show();
    field.activateWindow();
    field.setFocus();
    QTimer::singleShot(0, [&] {
        // Announce readiness once the window is mapped and holds the focus.
        auto poll = std::make_shared<QTimer>();
        QObject::connect(poll.get(), &QTimer::timeout, [&, poll] {
            if (field.isActiveWindow() && field.hasFocus()) {
                poll->stop();
                std::cout << "READY" << std::endl;
            }
        });
        poll->start(20);
    });
    QTimer::singleShot(20000, [&] {
        std::cout << "TIMEOUT:" << field.text().toUtf8().toHex().toStdString() << std::endl;
        app.quit();
    });
    app.exec();
}

TEST(XTestTyping, EveryPrintableWindows1252CharacterArrivesInATextField) {
    testing::Xvfb server("640x480x24");
    if (server.name().empty()) GTEST_SKIP() << "Xvfb could not start";

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", QString::fromStdString(server.name()));
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("TESSARO_TYPING_CHILD", "1");
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QString::fromStdString(std::filesystem::read_symlink("/proc/self/exe")),
                {"--gtest_filter=XTestTypingChild.*"});
    QByteArray out;
    while (!out.contains("READY") && child.waitForReadyRead(15000)) out += child.readAllStandardOutput();
    ASSERT_TRUE(out.contains("READY")) << out.toStdString();

    Display* display = server.Open();
    ASSERT_NE(display, nullptr);
    {
        win::x11::XTestInput input(display);
        ASSERT_TRUE(input.ok());
        InputSynthesis synth(input, {[] {}, [] { return false; }, nullptr, nullptr, nullptr});
        synth.BeginMacro();
        // Without a window manager the focus follows the pointer: keep it on the field.
        synth.PlayToken(Recognise("<MMS:00020,00020>", 0));
        for (char c : PrintableCp1252()) synth.TypeChar(static_cast<unsigned char>(c));
        synth.TypeChar('\r');
        synth.EndMacro();
    }
    ASSERT_TRUE(child.waitForFinished(30000));
    out += child.readAllStandardOutput();
    XCloseDisplay(display);

    const qsizetype at = out.indexOf("TEXT:");
    ASSERT_GE(at, 0) << QByteArray::fromHex(out.mid(out.indexOf("TIMEOUT:") + 8)).toStdString();
    const QByteArray hex = out.mid(at + 5, out.indexOf('\n', at) - at - 5);
    const std::string typed = QByteArray::fromHex(hex).toStdString();
    EXPECT_EQ(win::Utf8ToCp1252(typed), PrintableCp1252());
}

}  // namespace
}  // namespace tessaro
