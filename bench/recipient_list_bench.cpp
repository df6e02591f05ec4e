// The recipient list of the e-mail command dialog: loading a 10,000-line list into its three
// lists, and switching one list between names and addresses while it keeps its selections.
// Both should stay well under 50 ms.
#include <benchmark/benchmark.h>

#include <QListWidget>
#include <QRadioButton>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "editor/commands/email_dialog.h"
#include "mail/recipient_list.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace tessaro;

class NoPaths final : public PathChooser, public RecipientPathEditor {
public:
    std::optional<std::string> ChooseFile(QWidget*, const QString&, const std::string&) override {
        return {};
    }
    std::optional<std::string> ChooseFolder(QWidget*, const QString&) override { return {}; }
    void EditRecipientPath(QWidget*) override {}
    void RecipientListSaved() override {}
};

struct Fixture {
    Fixture() {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        EnsureQtApplication();
        config->EMailPath = dir.file("TESMAIL.TXT");
        std::ofstream out(dir.file("TESMAIL.TXT"), std::ios::binary);
        for (int i = 0; i < 10000; ++i)
            out << "Recipient number " << i << "|person" << i << "@example.org\r\n";
    }
    testing::TempDir dir;
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();
    NoPaths paths;
};

Fixture& Shared() {
    static Fixture* f = new Fixture;
    return *f;
}

void BM_ReadRecipientFile(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) benchmark::DoNotOptimize(mail::ReadRecipientFile(f.config->EMailPath.str()));
}
BENCHMARK(BM_ReadRecipientFile)->Unit(benchmark::kMillisecond);

void BM_LoadRecipientsIntoTheDialog(benchmark::State& state) {
    Fixture& f = Shared();
    TDoTheEmailCommand dlg(nullptr, *f.config, f.paths, f.paths);
    dlg.show();
    for (auto _ : state) dlg.LoadRecipients();
    state.counters["entries"] = static_cast<double>(dlg.Groups[0].List->count());
}
BENCHMARK(BM_LoadRecipientsIntoTheDialog)->Unit(benchmark::kMillisecond);

void BM_SwitchNameAddressKeepingSelections(benchmark::State& state) {
    Fixture& f = Shared();
    TDoTheEmailCommand dlg(nullptr, *f.config, f.paths, f.paths);
    dlg.show();
    QListWidget* list = dlg.Groups[0].List;
    for (int i = 0; i < list->count(); i += 7) list->item(i)->setSelected(true);
    bool names = false;
    for (auto _ : state) {
        dlg.SwitchList(0, names);
        names = !names;
    }
    state.counters["selected"] = static_cast<double>(list->selectedItems().size());
}
BENCHMARK(BM_SwitchNameAddressKeepingSelections)->Unit(benchmark::kMillisecond);

}  // namespace
