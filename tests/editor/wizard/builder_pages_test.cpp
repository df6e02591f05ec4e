#include "editor/wizard/builder_pages.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <map>

#include "editor/model/wizard/first_use.h"
#include "editor/model/wizard/wizard_finish.h"
#include "foundation/settings.h"
#include "platform/cp1252.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "tests/editor/model/wizard/wizard_rig.h"
#include "tests/support/qt_app.h"

namespace tessaro {
namespace {

using wizard::testing::Rig;

// The wizard form as a page group sees it: one panel per page and a snapshot of the named
// buttons, edits and lists of this test's pages.
class PageHost : public WizardForm {
public:
    PageHost(WizardPageGroup& group, Rig& rig, int function) : group_(group), rig_(rig), function_(function) {
        for (int page : group.Pages()) {
            panels_[page] = new QWidget(&window_);
            group.Build(page, panels_[page], *this);
        }
    }
    int WizardFunction() const override { return function_; }
    wizard::WizardContext& Context() override { return rig_.ctx; }
    QWidget* Panel(int page) const override { return panels_.at(page); }
    QWidget* Window() override { return &window_; }
    wizard::Answers Snapshot() const override {
        wizard::Answers a = extra;
        for (auto* b : window_.findChildren<QAbstractButton*>())
            a.Set(b->objectName().toStdString()).checked = b->isChecked();
        for (auto* e : window_.findChildren<QLineEdit*>())
            a.Set(e->objectName().toStdString()).text = win::Utf8ToCp1252(e->text().toStdString());
        for (auto* l : window_.findChildren<QListWidget*>()) {
            wizard::ControlState& s = a.Set(l->objectName().toStdString());
            for (int i = 0; i < l->count(); ++i)
                s.items.push_back(win::Utf8ToCp1252(l->item(i)->text().toStdString()));
            s.index = l->currentRow();
        }
        return a;
    }
    void Show(int page) {
        group_.Shown(page, !shown_[page], *this);
        shown_[page] = true;
    }
    template <class W>
    W* Get(const char* name) {
        W* w = Control<W>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    wizard::Answers extra;  // answers of pages other groups own

private:
    WizardPageGroup& group_;
    Rig& rig_;
    int function_;
    bool app_ = (EnsureQtApplication(), true);  // before any widget
    QWidget window_;
    std::map<int, QWidget*> panels_;
    std::map<int, bool> shown_;
};

TEST(BuilderPages, CapturePagesPresetFromTheSettingsAndArmTheChosenWindow) {
    Rig rig;
    rig.AddMacro(scSystem, 300, "Start / Stop Capture", "2");
    rig.config->CapKeys = false;
    rig.config->CapMouse = true;
    rig.config->CapRelativeToScreen = 2;
    rig.config->CapTime = true;
    rig.config->CapSpeed = 3;
    rig.desktop.AddWindow("Spreadsheet", 20, "calc");
    rig.desktop.AddWindow("Notes", 21, "notes");
    rig.desktop.AddWindow("Minimised", 22, "mini", true);
    auto group = MakeCapturePages();
    PageHost host(*group, rig, 7);
    host.extra.Set("P3KeyList").index = 65;
    host.extra.Set("P10Nick").text = "Recorded";

    host.Show(59);
    EXPECT_TRUE(host.Get<QAbstractButton>("P59No")->isChecked());
    EXPECT_FALSE(host.Get<QAbstractButton>("P59AltKey")->isEnabled()) << "no keystrokes: no ALT";
    host.Get<QAbstractButton>("P59Yes")->click();
    EXPECT_TRUE(host.Get<QAbstractButton>("P59AltKey")->isEnabled());

    host.Show(60);
    EXPECT_TRUE(host.Get<QAbstractButton>("P60Window")->isChecked());
    EXPECT_TRUE(host.Get<QWidget>("P60Pan1")->isEnabled());
    host.Get<QAbstractButton>("P60No")->click();
    EXPECT_FALSE(host.Get<QWidget>("P60Pan1")->isEnabled());
    EXPECT_FALSE(host.Get<QWidget>("P60Pan2")->isEnabled());
    host.Get<QAbstractButton>("P60Yes")->click();

    host.Show(61);
    EXPECT_TRUE(host.Get<QAbstractButton>("P61Two")->isChecked());
    host.Get<QAbstractButton>("P61Ten")->click();

    host.Show(62);
    auto* list = host.Get<QListWidget>("P62ProgList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "Notes");
    list->setCurrentRow(1);
    host.Get<QAbstractButton>("P62Specific")->click();

    host.Show(63);
    EXPECT_EQ(host.Get<QLabel>("P63OwnKey")->text().toStdString(), HotKeyNames(65));
    EXPECT_EQ(host.Get<QLabel>("P63StopKey")->text().toStdString(), HotKeyNames(300));

    const auto result = wizard::FinishUp(7, host.Snapshot(), rig.ctx);
    ASSERT_TRUE(std::holds_alternative<wizard::WizardOutcome>(result));
    const auto& out = std::get<wizard::WizardOutcome>(result);
    EXPECT_EQ(out.CaptureWindowTitle, "Spreadsheet");
    EXPECT_TRUE(out.CaptureProgramOnly);
    EXPECT_EQ(out.CaptureSpeed, 5);
    EXPECT_EQ(rig.glob->CapKeys, 1);
    EXPECT_EQ(rig.glob->CapRelativeTo, 2);
    EXPECT_EQ(rig.rec->Nickname.str(), "Recorded");
}

TEST(BuilderPages, FirstUsePagesShowTheSettingsAndStoreWhatTheUserChanged) {
    Rig rig;
    rig.config->SnipraCaseMode = 2;
    rig.config->CapMouse = false;
    rig.config->CapTime = true;
    rig.config->CapSpeed = 4;
    rig.config->SMTPHost = "mail.example.com";
    rig.config->SMTPPort = 25;
    auto group = MakeFirstUsePages();
    PageHost host(*group, rig, 28);

    host.Show(65);
    EXPECT_TRUE(host.Get<QAbstractButton>("P66CaseSense")->isChecked());
    EXPECT_TRUE(host.Get<QAbstractButton>("P67QuadSpeed")->isChecked());
    EXPECT_FALSE(host.Get<QWidget>("P67RelativePanel")->isEnabled()) << "mouse options wait for the mouse";
    EXPECT_TRUE(host.Get<QWidget>("P67SpeedPanel")->isEnabled());
    EXPECT_EQ(host.Get<QLineEdit>("P74Host")->text(), "mail.example.com");
    EXPECT_EQ(host.Get<QLineEdit>("P74Port")->text(), "25");

    host.Get<QAbstractButton>("P67DoMouse")->click();
    EXPECT_TRUE(host.Get<QWidget>("P67RelativePanel")->isEnabled());
    host.Get<QAbstractButton>("P67ToScreen")->click();
    host.Get<QAbstractButton>("P66CaseSense")->click();
    host.Get<QLineEdit>("P74Port")->setText("2525");
    host.Get<QAbstractButton>("P69CD")->click();

    const auto result = wizard::FinishUp(28, host.Snapshot(), rig.ctx);
    ASSERT_TRUE(std::holds_alternative<wizard::WizardOutcome>(result));
    const auto& out = std::get<wizard::WizardOutcome>(result);
    for (std::size_t i = 0; i < out.FirstTimeChoices.size(); ++i)
        EXPECT_EQ(out.FirstTimeChoices[i], wizard::kFollowUps[i].control == "P69CD") << i;
    TConfigRecord stored;
    LoadSnipraSettings(stored);
    LoadCaptureSettings(stored);
    LoadEMailSettings(stored);
    EXPECT_EQ(stored.SnipraCaseMode, 3);
    EXPECT_TRUE(stored.CapMouse);
    EXPECT_EQ(stored.CapRelativeToScreen, 1);
    EXPECT_EQ(stored.CapSpeed, 4);
    EXPECT_EQ(stored.SMTPPort, 2525);
    EXPECT_EQ(stored.SMTPHost.str(), "mail.example.com");
    ASSERT_FALSE(rig.notices.empty());
    EXPECT_EQ(rig.notices.back().first, static_cast<std::uint32_t>(puSettingsMisc));
}

}  // namespace
}  // namespace tessaro
