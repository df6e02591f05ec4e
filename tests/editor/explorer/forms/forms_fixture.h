#pragma once
// A macro file, settings, a simulated desktop and scripted message boxes for the macro
// forms, drawn offscreen.
#include <QApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "editor/explorer/forms/macro_forms_context.h"
#include "editor/model/macro_forms/capture_setup.h"
#include "platform/message_box.h"
#include "platform/sim/sim_desktop.h"
#include "tests/support/qt_app.h"
#include "tests/support/scripted_boxes.h"
#include "tests/support/sim_platform_test.h"
#include "tests/support/temp_dir.h"
#include "tests/support/visible_form.h"

namespace tessaro::testing {

// The forms tested on this fixture open no command dialog; the command buttons' own test
// runs the real ones.
class NoCommandDialogs : public CommandDialogs {
public:
    Result Run(const CommandEntry& entry, QWidget*) override {
        ADD_FAILURE() << "the " << entry.button << " command dialog was opened";
        return {};
    }
};

// For the forms that only hand a capture on: nothing of the main window is asked.
class NoCaptureHost : public CaptureHost {
public:
    void SetCapWind(bool) override {}
    std::string CaptureFilePath() override { return {}; }
    void BeginCapture(int, bool) override {}
    void UpNumKeys() override {}
    void UpCapture() override {}
    void UpCaptureOn() override {}
    void ShowRecordingIcon() override {}
    void MinimiseEditor() override {}
    void ReleaseLockUnchanged() override {}
};

class FormsTest : public SimPlatformTest {
protected:
    void SetUp() override {
        EnsureQtApplication();
        sandbox_ = std::make_unique<TempDir>("forms");
        dir = sandbox_->path();
        ASSERT_FALSE(dir.empty());
        glob = std::make_unique<TGlobData>();
        core = std::make_unique<TMainWinCore>(*glob, platform.messages());
        config = std::make_unique<TConfigRecord>();
        config->SnipraCaseMode = 1;
        places.dataHome = dir + "/xdg";
        programs = std::make_unique<InstalledPrograms>(places);
        context = std::make_unique<MacroFormsContext>(
            MacroFormsContext{*core, *config, desktop, platform.printers(), platform.systemSettings(),
                              *programs, commands, dir, dir + "/macros.qtm"});
        boxes = ScriptedBoxes(calls, answers);
    }
    void TearDown() override {
        boxes.reset();
        sandbox_.reset();
    }
    int AddMacro(std::uint16_t scope, std::uint16_t code, const char* scopeText = "") {
        const int n = ++glob->MacroCount;
        glob->Scope[n] = scope;
        glob->ActivationCode[n] = code;
        glob->ScopeText[n] = scopeText;
        return n;
    }
    // Renders the form into build/screens/<name>.png; a person sees every caption whole and
    // every control inside the form.
    void Screenshot(QWidget& w, const std::string& name) {
        const auto screens = std::filesystem::path(TESSARO_TEST_BIN_DIR) / ".." / "screens";
        std::filesystem::create_directories(screens);
        w.show();
        QApplication::processEvents();
        EXPECT_TRUE(w.grab().save(QString::fromStdString((screens / (name + ".png")).string()))) << name;
        for (const std::string& fault : VisibleFaults(w)) ADD_FAILURE() << name << ": " << fault;
    }
    std::string LastText() const { return calls.empty() ? std::string() : calls.back().text; }

    std::unique_ptr<TempDir> sandbox_;
    std::string dir;
    std::unique_ptr<TGlobData> glob;
    std::unique_ptr<TMainWinCore> core;
    std::unique_ptr<TConfigRecord> config;
    win::sim::SimDesktop desktop;
    XdgPlaces places;
    std::unique_ptr<InstalledPrograms> programs;
    NoCommandDialogs commands;
    std::unique_ptr<MacroFormsContext> context;
    std::unique_ptr<win::ScopedMessageBoxHandler> boxes;
    std::vector<win::MessageBoxCall> calls;
    std::vector<win::MbResult> answers;
};

}  // namespace tessaro::testing
