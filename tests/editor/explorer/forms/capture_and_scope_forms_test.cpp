// The capture dialog and the scope dialogs, on screen.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <fstream>

#include "editor/explorer/forms/t_capture_keys.h"
#include "editor/explorer/forms/t_do_spec_wind.h"
#include "forms_fixture.h"
#include "protocol/hotkey_names.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

// Records what the dialog asks of the main window.
class RecordingHost : public CaptureHost {
public:
    explicit RecordingHost(std::string path) : path_(std::move(path)) {}
    void SetCapWind(bool on) override { calls.push_back(on ? "SetCapWind on" : "SetCapWind off"); }
    std::string CaptureFilePath() override { return path_; }
    void BeginCapture(int speed, bool program) override {
        calls.push_back("BeginCapture " + std::to_string(speed) + (program ? " program" : " global"));
    }
    void UpNumKeys() override { calls.push_back("UpNumKeys"); }
    void UpCapture() override { calls.push_back("UpCapture"); }
    void UpCaptureOn() override { calls.push_back("UpCaptureOn"); }
    void ShowRecordingIcon() override { calls.push_back("ShowRecordingIcon"); }
    void MinimiseEditor() override { calls.push_back("MinimiseEditor"); }
    void ReleaseLockUnchanged() override { calls.push_back("ReleaseLockUnchanged"); }
    std::vector<std::string> calls;

private:
    std::string path_;
};

class CaptureForm : public testing::FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        AddMacro(scSystem, 700, "1");
        AddMacro(scSystem, 300, "2");
        AddMacro(scGlobal, 12);
        desktop.AddWindow("Editor", 10, "gedit");
        desktop.AddWindow("Hidden away", 11, "mini", true);
        desktop.AddWindow("Target", 12, "term");
        config->CapKeys = true;
        config->CapTime = true;
        config->CapSpeed = 2;
    }
};

TEST_F(CaptureForm, CancelLeavesCountTableAndReleasesTheLock) {
    RecordingHost host(dir + "/TempCap.Txt");
    TCaptureKeys form(*context, host);
    form.HotKeyLabel->setText(QString::fromStdString(HotKeyNames(12)));
    form.CaptureMacroNumber = 4;
    form.show();
    QApplication::processEvents();
    Screenshot(form, "TCaptureKeys");
    EXPECT_EQ(form.ProgList->count(), 3) << "the minimised window is not offered";
    EXPECT_EQ(form.ProgList->itemText(0), kLastActiveWindow);
    EXPECT_EQ(form.HotLabel2->text().toStdString(), "Press " + HotKeyNames(300) + " to end capture");
    EXPECT_FALSE(form.DoSize->isEnabled());
    EXPECT_TRUE(form.HalfSpeed->isChecked());
    const auto before = std::make_unique<TGlobData>(*glob);
    form.CancelButton->click();
    EXPECT_EQ(host.calls, std::vector<std::string>{"ReleaseLockUnchanged"});
    EXPECT_EQ(std::memcmp(before.get(), glob.get(), sizeof(TGlobData)), 0);
    EXPECT_FALSE(form.MacroCounted);
}

TEST_F(CaptureForm, StartArmsWritesTheSpeedTokenAndRaisesTheTarget) {
    RecordingHost host(dir + "/TempCap.Txt");
    TCaptureKeys form(*context, host);
    form.CaptureMacroNumber = 4;
    AddMacro(scGlobal, 12);
    glob->MacroCount = 3;
    form.show();
    form.NickName->setText("Recorded");
    form.ProgList->setCurrentIndex(2);  // "Target"
    form.StartButton->click();
    EXPECT_TRUE(form.CaptureStarted);
    EXPECT_TRUE(form.MacroCounted);
    EXPECT_EQ(Unpacked(glob->MacroCount), 4);
    EXPECT_EQ(Unpacked(glob->CaptureMacro), 4);
    EXPECT_EQ(glob->CaptureOn, 1);
    EXPECT_EQ(glob->OwnKeyOn, 1);
    EXPECT_EQ(core->CurrentMacro.Nickname.view(), "Recorded");
    const std::vector<std::string> expected = {"SetCapWind on", "BeginCapture 2 program", "UpNumKeys",
                                               "UpCapture",     "ShowRecordingIcon",      "UpCaptureOn"};
    EXPECT_EQ(host.calls, expected);
    ASSERT_FALSE(desktop.activations.empty());
    EXPECT_EQ(desktop.WindowText(desktop.activations.back()), "Target");
    std::ifstream in(dir + "/TempCap.Txt");
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "<SPEED:00002>");
}

TEST_F(CaptureForm, UncreatableCaptureFileArmsNothing) {
    RecordingHost host(dir + "/no/such/folder/TempCap.Txt");
    TCaptureKeys form(*context, host);
    form.CaptureMacroNumber = 3;
    form.show();
    const auto before = std::make_unique<TGlobData>(*glob);
    form.StartButton->click();
    EXPECT_NE(LastText().find("could not be created"), std::string::npos);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(std::memcmp(before.get(), glob.get(), sizeof(TGlobData)), 0);
    form.CancelButton->click();
    EXPECT_EQ(host.calls, std::vector<std::string>{"ReleaseLockUnchanged"});
}

TEST_F(CaptureForm, ScopeDialogsByMode) {
    desktop.AddProcess(40, "gedit");
    TDoSpecWind windows(desktop, *programs, "Edi", true, true);
    windows.show();
    EXPECT_EQ(windows.windowTitle(), "Set Title");
    EXPECT_FALSE(windows.ListProgs->isVisibleTo(&windows));
    EXPECT_EQ(windows.ProgList->count(), 3);
    Screenshot(windows, "TDoSpecWind-window");
    windows.CancelButton->click();
    EXPECT_EQ(windows.ScopeText, "") << "a cancelled dialog returns nothing";

    TDoSpecWind progs(desktop, *programs, "", false, false);
    progs.show();
    Screenshot(progs, "TDoSpecWind-program");
    progs.ProgList->setCurrentRow(0);
    const std::string row = progs.ProgList->item(0)->text().toStdString();
    answers = {win::MbResult::Yes};
    progs.OkButton->click();
    EXPECT_EQ(calls.back().caption, "Error");
    EXPECT_EQ(progs.ScopeText, row);
    EXPECT_FALSE(progs.OnTop);

    // The stored text is offered whole and OK gives it back whole; typing stops at 20.
    const std::string stored = "Document Editor Window Nr 12";
    TDoSpecWind kept(desktop, *programs, stored, true, true);
    kept.show();
    EXPECT_EQ(kept.TitleBox->text().toStdString(), stored);
    kept.OkButton->click();
    EXPECT_EQ(kept.ScopeText, stored);
    TDoSpecWind typing(desktop, *programs, "", true, true);
    typing.show();
    QTest::keyClicks(typing.TitleBox, QString::fromStdString(stored));
    EXPECT_EQ(typing.TitleBox->text().toStdString(), stored.substr(0, 20));

    TDoAllProgs all(*programs);
    all.show();
    Screenshot(all, "TDoAllProgs");
    all.OkButton->click();
    EXPECT_EQ(LastText(), "No program selected.  Please select one.");
    EXPECT_FALSE(all.Chosen);
}

}  // namespace
}  // namespace tessaro
