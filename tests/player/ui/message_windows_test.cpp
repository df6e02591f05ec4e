#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "platform/message_box.h"
#include "platform/sim/sim_desktop.h"
#include "tests/support/qt_app.h"
#include "tests/support/wav_file.h"
#include "player/ui/command_windows.h"
#include "player/ui/message_windows.h"
#include "player/ui/player_windows.h"
#include "player/ui/video_plugin.h"
#include "tests/player/engine/interpreter_doubles.h"

namespace tessaro {
namespace {

template <typename T>
std::vector<T*> Open() {
    std::vector<T*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) found.push_back(t);
    return found;
}

// Runs the steps one after another from the event loop of whatever window is open.
void Then(std::vector<std::function<void()>> steps) {
    if (steps.empty()) return;
    QTimer::singleShot(20, [steps]() mutable {
        auto step = steps.front();
        steps.erase(steps.begin());
        step();
        Then(steps);
    });
}

class MessageWindows : public ::testing::Test {
protected:
    void SetUp() override { EnsureQtApplication(); }
    win::sim::SimPlatform platform_;
    QtPlayerWindows windows_{platform_.desktop(), platform_.windowControl()};
    std::vector<win::MessageBoxCall> boxes_;
    win::ScopedMessageBoxHandler handler_{[this](const win::MessageBoxCall& c) {
        boxes_.push_back(c);
        return win::MbResult::Ok;
    }};
};

TEST_F(MessageWindows, OnTopMessageLooksAsItShould) {
    TOnTopMessage m("Repeat Error", "No \"End Repeat\" found.");
    EXPECT_EQ(m.windowTitle(), "Repeat Error");
    EXPECT_EQ(m.MessageLabel->text(), "No \"End Repeat\" found.");
    EXPECT_EQ(m.OkButton->text(), "&Ok");
    EXPECT_EQ(m.size(), QSize(235, 130));
    EXPECT_TRUE(m.windowFlags() & Qt::WindowStaysOnTopHint);
    TDoMyMessage t("Title", "line 1\nline 2");
    EXPECT_TRUE(t.MessageMemo->isReadOnly());
    EXPECT_EQ(t.MessageMemo->toPlainText(), "line 1\nline 2");
    EXPECT_TRUE(t.windowFlags() & Qt::WindowStaysOnTopHint);
    // A server's reply quoted in a message is shown as it stands, never as markup.
    TOnTopMessage reply("Error", "550 <b>no</b> such user");
    EXPECT_EQ(reply.MessageLabel->textFormat(), Qt::PlainText);
}

TEST_F(MessageWindows, ASecondMessageWhileOneIsOpenIsNotShown) {
    int seenWhileOpen = -1;
    bool textBoxShownMeanwhile = false;
    Then({[&] { windows_.DoAMessage("Error", "second"); },  // returns at once
          [&] {
              seenWhileOpen = static_cast<int>(Open<TOnTopMessage>().size());
              // A text box is a window of another kind: it still opens.
              Then({[&] {
                  textBoxShownMeanwhile = Open<TDoMyMessage>().size() == 1;
                  windows_.MyMessage("Box", "second box");  // not shown, returns
                  Open<TDoMyMessage>().front()->OkButton->click();
              }});
              windows_.MyMessage("Box", "body");
          },
          [&] { Open<TOnTopMessage>().front()->OkButton->click(); }});
    windows_.DoAMessage("Error", "first");
    EXPECT_EQ(seenWhileOpen, 1);
    EXPECT_TRUE(textBoxShownMeanwhile);
    EXPECT_FALSE(windows_.messageOpen());
    EXPECT_FALSE(windows_.textBoxOpen());
    // Once closed, the next message shows again.
    bool shown = false;
    Then({[&] {
        shown = Open<TOnTopMessage>().size() == 1 &&
                Open<TOnTopMessage>().front()->MessageLabel->text() == "third";
        Open<TOnTopMessage>().front()->OkButton->click();
    }});
    windows_.DoAMessage("Error", "third");
    EXPECT_TRUE(shown);
}

TEST_F(MessageWindows, RepeatPromptRefusesWhatIsNotACount) {
    std::vector<bool> stillOpen;
    auto enter = [&](const char* text) {
        return [&, text] {
            TRepeatPrompt* p = Open<TRepeatPrompt>().front();
            p->TimesEdit->setText(text);
            p->OkButton->click();
        };
    };
    auto check = [&] { stillOpen.push_back(Open<TRepeatPrompt>().size() == 1); };
    Then({enter("abc"), check, enter("65536"), check, enter("-1"), check, enter(""), check, enter(" 12 ")});
    EXPECT_EQ(windows_.DoRepPrompt(), 12);
    EXPECT_EQ(stillOpen, std::vector<bool>(4, true));
    ASSERT_EQ(boxes_.size(), 4u);
    for (const auto& b : boxes_) {
        EXPECT_EQ(b.text, "Invalid numeric value entered.  Please Correct");
        EXPECT_EQ(b.caption, "Error");
    }
    Then({enter("65535")});
    EXPECT_EQ(windows_.DoRepPrompt(), 65535);
    Then({[&] { Open<TRepeatPrompt>().front()->reject(); }});
    EXPECT_EQ(windows_.DoRepPrompt(), 0);  // closed without a number
}

TEST(RepeatCount, ParsesDecimalCountsOfSixteenBits) {
    EXPECT_EQ(ParseRepeatCount("0"), 0);
    EXPECT_EQ(ParseRepeatCount("007"), 7);
    EXPECT_EQ(ParseRepeatCount("65535"), 65535);
    for (const char* bad : {"65536", "99999999999999999999", "1e3", "+5", "0x10", "12a", "a12", ""})
        EXPECT_FALSE(ParseRepeatCount(bad)) << bad;
}

TEST_F(MessageWindows, PauseWindowFollowsItsMessageAndReturnsTheChoice) {
    const PauseLayout none = PauseWindowLayout(0);
    EXPECT_EQ(none.width, 224);
    EXPECT_EQ(none.height, 94);
    EXPECT_EQ(none.buttonsTop, 42);
    const PauseLayout two = PauseWindowLayout(45);  // 45 div 30 + 1 = 2 lines of 19
    EXPECT_EQ(two.messageHeight, 38);
    EXPECT_EQ(two.height, 132);
    EXPECT_EQ(two.buttonsTop, 80);
    EXPECT_EQ(PauseWindowLayout(30).messageHeight, 38);
    EXPECT_EQ(PauseWindowLayout(29).messageHeight, 19);
    EXPECT_EQ(PauseCaption(""), "Pause");
    EXPECT_EQ(PauseCaption("Ctrl+A"), "Pause (Ctrl+A)");

    win::sim::SimDesktop& desktop = win::sim::TheSimDesktop();
    const win::HWND target = desktop.AddWindow("Target", 1, "EDIT");
    desktop.activations.clear();
    windows_.SetRunningMacro({"My Macro", "Ctrl+A", target});
    bool pausedWhileOpen = false;
    QString caption, heading, nickname;
    QSize size;
    Then({[&] {
        TPauseMacro* p = Open<TPauseMacro>().front();
        pausedWhileOpen = windows_.Paused();
        caption = p->windowTitle();
        heading = p->HeadingLabel->text();
        nickname = p->NicknameLabel->text();
        size = p->size();
        p->ResumeButton->click();
    }});
    EXPECT_TRUE(windows_.PauseMacro(10, 20, "Check the screen, then resume the macro"));
    EXPECT_TRUE(pausedWhileOpen);
    EXPECT_FALSE(windows_.Paused());
    EXPECT_EQ(caption, "Pause (Ctrl+A)");
    EXPECT_EQ(heading, "Tessaro Pause");
    EXPECT_EQ(nickname, "My Macro");
    EXPECT_EQ(size, QSize(224, 132));
    ASSERT_FALSE(desktop.activations.empty());  // closing the pause window hands the focus back
    EXPECT_EQ(desktop.activations.back(), target);

    Then({[&] { Open<TPauseMacro>().front()->AbortButton->click(); }});
    EXPECT_FALSE(windows_.PauseMacro(0, 0, ""));
    // The hot key of the paused macro resumes it.
    Then({[&] { windows_.ResumePause(); }});
    EXPECT_TRUE(windows_.PauseMacro(0, 0, ""));
    windows_.ResumePause();  // nothing paused: nothing happens
}

const std::function<bool()> kNever = [] { return false; };

// The clip window, found by its caption: its class lives in the plugin.
std::vector<QDialog*> OpenVideoWindows() {
    std::vector<QDialog*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(w);
            d && d->isVisible() && d->windowTitle() == "Video Clip Player")
            found.push_back(d);
    return found;
}

// Answers the next on-top message, keeping its text.
void AnswerMessage(std::string& text) {
    if (auto open = Open<TOnTopMessage>(); !open.empty()) {
        text = open.front()->MessageLabel->text().toStdString();
        open.front()->OkButton->click();
    }
}

// What the plugin says is missing for playing a clip here (empty: nothing).
std::string MissingForVideo() {
    QString error;
    VideoPlayerPlugin* plugin = LoadVideoPlayerPlugin(error);
    return plugin ? plugin->MissingBackend().toStdString() : error.toStdString();
}

TEST_F(MessageWindows, OnlyOneVideoClipAtATime) {
    if (const std::string missing = MissingForVideo(); !missing.empty()) {
        // No player is built on a backend that lacks its parts: the user is told instead.
        std::string told;
        QTimer::singleShot(60, [&] { AnswerMessage(told); });
        windows_.PlayVideo("/nonexistent/clip.avi", 3, kNever);
        EXPECT_EQ(told, missing);
        EXPECT_FALSE(windows_.videoInUse());
        GTEST_SKIP() << "clips cannot be played here: " << missing;
    }
    std::string refusal;
    bool videoOpen = false;
    Then({[&] {
        videoOpen = windows_.videoInUse() && OpenVideoWindows().size() == 1;
        windows_.PlayVideo("/nonexistent/other.avi", 3, kNever);  // refused with a message
    }});
    QTimer::singleShot(60, [&] {
        AnswerMessage(refusal);
        QTimer::singleShot(20, [&] { OpenVideoWindows().front()->accept(); });
    });
    windows_.PlayVideo("/nonexistent/clip.avi", 3, kNever);
    EXPECT_TRUE(videoOpen);
    EXPECT_EQ(refusal, "AVI Player currently in use.");
    EXPECT_FALSE(windows_.videoInUse());
}

TEST_F(MessageWindows, AMacroAbortClosesTheVideoWindow) {
    if (const std::string missing = MissingForVideo(); !missing.empty())
        GTEST_SKIP() << "clips cannot be played here: " << missing;
    testing::Rig rig;
    bool videoOpen = false;
    Then({[&] {
        videoOpen = OpenVideoWindows().size() == 1;
        rig.player.RequestAbort();  // as the stop key or the tray icon does
    }});
    // A window left open would hold this test until ctest's time-out.
    CreateVideoWindow(windows_)->PlayVideo("/nonexistent/clip.avi", 3, rig.player);
    EXPECT_TRUE(videoOpen);
    EXPECT_TRUE(OpenVideoWindows().empty());
    EXPECT_FALSE(windows_.videoInUse());
}

// With the media elements gone (an empty plugin folder for the backend), the video command
// tells the user what is missing and opens no player; it never crashes in the backend.
TEST_F(MessageWindows, MissingMediaElementsAreToldNotCrashedOn) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string empty = ::testing::TempDir() + "no-media-elements";
    EXPECT_EXIT(
        {
            std::filesystem::create_directories(empty);
            ::setenv("GST_PLUGIN_SYSTEM_PATH_1_0", empty.c_str(), 1);
            ::setenv("GST_PLUGIN_PATH_1_0", empty.c_str(), 1);
            ::setenv("GST_REGISTRY_1_0", (empty + "/registry.bin").c_str(), 1);
            ::unsetenv("QT_MEDIA_BACKEND");
            std::string told;
            QTimer::singleShot(60, [&] { AnswerMessage(told); });
            windows_.PlayVideo("/nonexistent/clip.avi", 2, kNever);
            std::fprintf(stderr, "told: %s\n", told.c_str());
            std::exit(OpenVideoWindows().empty() && !windows_.videoInUse() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0),
        "told: Video clips cannot be played on this computer: the media elements .*videoconvert.* are "
        "missing\\. Install .*gstreamer1\\.0-plugins-base");
}

// A clip whose name is not plain ASCII reaches the media check under its own name: with the
// framework's reader of its format hidden, the command says so and names the file.
TEST_F(MessageWindows, AClipWithAnAccentedNameIsCheckedUnderThatName) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string dir = ::testing::TempDir() + "accented-clip";
    const std::string clip = dir + "/caf\xc3\xa9.wav";  // UTF-8, as the command hands it on
    EXPECT_EXIT(
        {
            std::filesystem::create_directories(dir);
            testing::WriteToneWav(clip, 200);
            ::setenv("GST_REGISTRY_1_0", (dir + "/registry.bin").c_str(), 1);
            ::setenv("GST_PLUGIN_FEATURE_RANK", "wavparse:NONE", 1);
            if (const std::string missing = MissingForVideo(); !missing.empty()) {
                std::fprintf(stderr, "told: %s\n", missing.c_str());  // no framework at all
                std::exit(0);
            }
            std::string told;
            testing::Rig rig;
            QTimer::singleShot(60, [&] { AnswerMessage(told); });
            CreateVideoWindow(windows_)->PlayVideo(clip, 2, rig.player);
            std::fprintf(stderr, "told: %s\n", told.c_str());
            std::exit(OpenVideoWindows().empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0),
        "told: (The file \".*/caf\xc3\xa9\\.wav\" cannot be played: the media framework lacks a "
        "plug-in|Video clips cannot be played)");
}

}  // namespace
}  // namespace tessaro
