#pragma once
// A wizard context over temporary files, a simulated desktop and scripted message boxes,
// for the quick wizard drawn offscreen.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/commands/chooser.h"
#include "editor/model/wizard/wizard_context.h"
#include "editor/script/ui/command_editors.h"
#include "editor/script/ui/script_editor_services.h"
#include "editor/wizard/t_quick_wiz.h"
#include "editor/wizard/wizard_pages.h"
#include "platform/message_box.h"
#include "platform/sim/sim_desktop.h"
#include "tests/support/qt_app.h"
#include "tests/support/scripted_boxes.h"
#include "tests/support/sim_platform_test.h"
#include "tests/support/temp_dir.h"

namespace tessaro::testing {

// The editor's dialogs, for forms whose tests open none of them: any use is a failure.
class NoEditorDialogs final : public ScriptEditorServices,
                              public RecipientPathEditor,
                              public CommandDialogRunner {
public:
    CommandOutcome EditCommand(QWidget*, ScriptList&, const CommandRequest& request) override {
        ADD_FAILURE() << "command dialog " << request.Code << " opened";
        return {};
    }
    std::string ChooseWindowOrProgram(QWidget*, const std::string&, bool, bool&) override {
        ADD_FAILURE() << "scope chooser opened";
        return {};
    }
    void SetSchedule(QWidget*, TMacroRecord&) override { ADD_FAILURE() << "schedule dialog opened"; }
    void SnipraProperties(QWidget*, TMacroRecord&) override { ADD_FAILURE() << "abbreviation dialog opened"; }
    void EditRecipientPath(QWidget*) override { ADD_FAILURE() << "recipient path editor opened"; }
    void RecipientListSaved() override { ADD_FAILURE() << "recipient list saved"; }
    void Run(QDialog&) override { ADD_FAILURE() << "recipient list opened"; }
};

class WizardFormTest : public SimPlatformTest {
protected:
    void SetUp() override {
        EnsureQtApplication();
        sandbox_ = std::make_unique<TempDir>("wizform");
        dir = sandbox_->path();
        ASSERT_FALSE(dir.empty());
        glob = std::make_unique<TGlobData>();
        config = std::make_unique<TConfigRecord>();
        config->FirstUse = false;
        places.dataHome = dir + "/xdg";
        programs = std::make_unique<InstalledPrograms>(places);
        ctx = std::make_unique<wizard::WizardContext>(wizard::WizardContext{
            rec, *glob, *config,
            [this](std::uint32_t code, std::int32_t arg) { posted.emplace_back(code, arg); }, dir,
            dir + "/macros.qtm", desktop, *programs});
        boxes = ScriptedBoxes(calls, answers);
    }
    void TearDown() override {
        boxes.reset();
        sandbox_.reset();
    }
    int AddMacro(std::uint16_t scope, std::uint16_t code) {
        const int n = ++glob->MacroCount;
        glob->Scope[n] = scope;
        glob->ActivationCode[n] = code;
        return n;
    }
    // Next until `page` is on screen; false when the wizard stopped short of it.
    static bool NextTo(TQuickWiz& form, int page) {
        for (int i = 0; i < 20 && form.CurrentPage() != page; ++i) {
            const int before = form.CurrentIndex();
            form.NextButtonClick();
            if (form.CurrentIndex() == before) return false;
        }
        return form.CurrentPage() == page;
    }
    std::string LastText() const { return calls.empty() ? std::string() : calls.back().text; }

    // The wizard on `function`, shown as exec() would show it, without waiting for the user.
    std::unique_ptr<TQuickWiz> Open(int function) {
        auto form = std::make_unique<TQuickWiz>(*ctx, Hosts(), function);
        form->show();
        QApplication::processEvents();
        return form;
    }

    WizardHosts Hosts() {
        return WizardHosts{
            dialogs, dialogs, dialogs, platform.messages(), platform.printers(), platform.systemSettings()};
    }

    std::unique_ptr<TempDir> sandbox_;
    std::string dir;
    NoEditorDialogs dialogs;
    TMacroRecord rec{};
    std::unique_ptr<TGlobData> glob;
    std::unique_ptr<TConfigRecord> config;
    win::sim::SimDesktop desktop;
    XdgPlaces places;
    std::unique_ptr<InstalledPrograms> programs;
    std::unique_ptr<wizard::WizardContext> ctx;
    std::vector<std::pair<std::uint32_t, std::int32_t>> posted;
    std::vector<win::MessageBoxCall> calls;
    std::vector<win::MbResult> answers;
    std::unique_ptr<win::ScopedMessageBoxHandler> boxes;
};

}  // namespace tessaro::testing
