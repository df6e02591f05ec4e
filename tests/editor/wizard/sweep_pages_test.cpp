#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "editor/model/wizard/sweep_pages.h"
#include "macro/capture_file.h"
#include "editor/wizard/t_quick_wiz.h"
#include "misc_form.h"
#include "platform/messages.h"
#include "tests/editor/commands/dialog_harness.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using testing::Click;
using testing::MiscForm;
using testing::Named;
using testing::RecordedBoxes;
using testing::Type;

void Script(const std::string& path, const std::string& body) {
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    ::chmod(path.c_str(), 0755);
}

std::string WaitForLine(const std::string& path) {
    for (int i = 0; i < 1000; ++i) {
        std::ifstream in(path);
        std::string line;
        if (std::getline(in, line)) return line;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

struct SweepForm : MiscForm {
    SweepForm() : MiscForm([](win::Platform& platform) { return MakeSweepPages(platform.messages()); }) {}
    std::string helperArgs() const { return rig.dir.file("helper-args"); }
    WizardPageEvents& events() { return dynamic_cast<WizardPageEvents&>(group()); }
    void AddHelper() {
        Script(wizard::SweepHelperPath(rig.dir.path()), "echo \"$@\" > \"" + helperArgs() + "\"");
    }
};

// The real xdg-open, sent by a private mimeapps.list to a handler that writes down the
// address it was given; the environment comes back as it was.
class RecordingOpener {
public:
    explicit RecordingOpener(const std::string& dir) : log_(dir + "/opened") {
        std::filesystem::create_directories(dir + "/config");
        std::filesystem::create_directories(dir + "/data/applications");
        Script(dir + "/record.sh", "echo \"$@\" >> \"" + log_ + "\"");
        std::ofstream(dir + "/data/applications/tessaro-recorder.desktop")
            << "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" << dir << "/record.sh %u\n"
            << "MimeType=x-scheme-handler/http;\n";
        std::ofstream(dir + "/config/mimeapps.list")
            << "[Default Applications]\nx-scheme-handler/http=tessaro-recorder.desktop\n";
        Set("XDG_CONFIG_HOME", dir + "/config");
        Set("XDG_DATA_HOME", dir + "/data");
        // The opener picks graphical handlers only on a display; it never connects to it.
        if (!std::getenv("DISPLAY")) Set("DISPLAY", ":99");
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "GNOME_DESKTOP_SESSION_ID",
                                 "KDE_FULL_SESSION", "BROWSER"})
            Unset(name);
    }
    ~RecordingOpener() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) {
                ::setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                ::unsetenv(it->first.c_str());
            }
        }
    }
    std::string Opened() const { return WaitForLine(log_); }

private:
    void Keep(const char* name) {
        const char* value = std::getenv(name);
        saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    void Set(const char* name, const std::string& value) {
        Keep(name);
        ::setenv(name, value.c_str(), 1);
    }
    void Unset(const char* name) {
        Keep(name);
        ::unsetenv(name);
    }

    std::string log_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(WizardSweepPages, LaunchOpensTheTypedPageAndRefusesAnEmptyAddress) {
    SweepForm form;
    RecordingOpener opener(form.rig.dir.path());
    RecordedBoxes boxes;
    Type(form.Window(), "P71URL", "   ");
    Click(form.Window(), "P71Launch");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "No web page has been entered.  Please correct.");
    EXPECT_EQ(boxes.calls[0].caption, "Error");

    Type(form.Window(), "P71URL", " prizes.example.org/enter?id=7 ");
    Click(form.Window(), "P71Launch");
    EXPECT_EQ(opener.Opened(), "http://prizes.example.org/enter?id=7");
    EXPECT_EQ(boxes.calls.size(), 1u);
}

TEST(WizardSweepPages, NextOnTheInstructionsIsRefusedWhenTheHelperIsMissing) {
    SweepForm form;
    RecordedBoxes boxes;
    EXPECT_FALSE(form.events().Leaving(72, form));
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_NE(boxes.calls[0].text.find("could not be found"), std::string::npos);
    EXPECT_FALSE(form.Window()->isMinimized());
    EXPECT_EQ(+form.rig.glob->CaptureOn, 0);
    EXPECT_TRUE(form.events().Leaving(71, form));
}

TEST(WizardSweepPages, TheRecordingHidesTheWizardTakesTheTypedTextAndBringsItBack) {
    SweepForm form;
    form.AddHelper();
    ASSERT_TRUE(form.events().Leaving(72, form));
    EXPECT_TRUE(form.Window()->isMinimized());
    EXPECT_EQ(+form.rig.glob->CaptureOn, 1);

    // The helper is told which window ends the recording.
    const std::string args = WaitForLine(form.helperArgs());
    ASSERT_EQ(args.rfind("QJX ", 0), 0u) << args;
    const auto window = static_cast<win::HWND>(std::stoul(args.substr(4)));
    EXPECT_EQ(Unpacked(form.rig.glob->CapWnd), window);
    for (char c : std::string("Ann Lee")) form.rig.platform.messages().SendMessage(window, 0x403, 1000, c);
    form.rig.platform.messages().SendMessage(window, 0x404, 0, 0);
    form.rig.platform.messages().SendMessage(window, 0x403, 1000, '!');  // after the end: ignored

    EXPECT_FALSE(form.Window()->isMinimized());
    EXPECT_TRUE(form.Window()->isVisible());
    EXPECT_EQ(+form.rig.glob->CaptureOn, 0);
    EXPECT_EQ(+form.rig.glob->CapWndOn, 0);
    std::ifstream in(CaptureFilePath(form.rig.dir.path()), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "Ann Lee");
}

TEST(WizardSweepPages, ClosingTheWizardDuringARecordingReleasesTheCapture) {
    SweepForm form;
    form.AddHelper();
    ASSERT_TRUE(form.events().Leaving(72, form));
    EXPECT_TRUE(form.events().Recording());
    form.events().Closing(form);
    EXPECT_FALSE(form.events().Recording());
    EXPECT_EQ(+form.rig.glob->CaptureOn, 0);
    EXPECT_EQ(+form.rig.glob->CapWndOn, 0);
}

}  // namespace
}  // namespace tessaro
