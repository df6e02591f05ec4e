#include "platform/sim/sim_screen_saver.h"

#include <atomic>

namespace win::sim {

namespace {

std::atomic<int> holders{0};

class SimScreenSaver : public ScreenSaverInhibitor {
public:
    ~SimScreenSaver() override { SetInhibited(false); }
    void SetInhibited(bool inhibited) override {
        if (inhibited == held_) return;
        held_ = inhibited;
        holders += inhibited ? 1 : -1;
    }

private:
    bool held_ = false;
};

}  // namespace

std::unique_ptr<ScreenSaverInhibitor> MakeScreenSaver() { return std::make_unique<SimScreenSaver>(); }
bool ScreenSaverInhibited() { return holders > 0; }

}  // namespace win::sim
