#include "hook/master_block.h"

#include <cstring>

#include "platform/named_mutex.h"
#include "platform/shared_memory.h"

namespace tessaro::hook {

namespace {

constexpr int kMutexWaitMs = 2000;

std::unique_ptr<MasterBlock>& Slot() {
    static std::unique_ptr<MasterBlock> master;
    return master;
}

}  // namespace

MasterBlock::MasterBlock(std::unique_ptr<win::SharedMemory> block, std::unique_ptr<win::NamedMutex> mutex)
    : block_(std::move(block)), mutex_(std::move(mutex)) {}

MasterBlock::~MasterBlock() = default;

std::unique_ptr<MasterBlock> MasterBlock::Attach(std::string* error) {
    auto block = win::SharedMemory::Create(kMasterBlockName, kGlobDataSize, error);
    if (!block) return nullptr;
    auto mutex = win::NamedMutex::Create(kMasterMutexName, error);
    if (!mutex) return nullptr;
    return std::unique_ptr<MasterBlock>(new MasterBlock(std::move(block), std::move(mutex)));
}

TGlobData& MasterBlock::master() { return *static_cast<TGlobData*>(block_->data()); }

void MasterBlock::Update(const std::function<void(TGlobData&)>& fn) {
    // A mutex that cannot be had within the wait is not worth losing the update for:
    // the writers hold it only for a copy.
    win::MutexLock lock(*mutex_, kMutexWaitMs);
    fn(master());
}

TGlobData MasterBlock::Snapshot() {
    TGlobData copy;
    Update([&](TGlobData& m) { std::memcpy(&copy, &m, sizeof copy); });
    return copy;
}

void MasterBlock::Push(const TGlobData& from, int group, int index) {
    Update([&](TGlobData& m) {
        const std::uint32_t keptSeconds = m.IdleSeconds;
        CopyGlobGroup(m, from, group, index);
        if (group == ggIdle && pulled_ && m.UserActivities != activityAtPull_) m.IdleSeconds = keptSeconds;
    });
}

void MasterBlock::Pull(TGlobData& to) {
    Update([&](TGlobData& m) {
        std::memcpy(&to, &m, sizeof to);
        activityAtPull_ = m.UserActivities;
        pulled_ = true;
    });
}

bool MasterBlock::NoteUserActivity() {
    bool fired = false;
    Update([&](TGlobData& m) {
        m.IdleSeconds = 0;
        m.UserActivities += 1;
        fired = m.IdleFired != 0;
        m.IdleFired = 0;
    });
    return fired;
}

MasterBlock* Master() {
    auto& slot = Slot();
    if (!slot) slot = MasterBlock::Attach();
    return slot.get();
}

void DetachMaster() { Slot().reset(); }

}  // namespace tessaro::hook
