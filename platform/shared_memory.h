#pragma once
// Named shared memory blocks, kept apart per session by win::NamespacedName.
#include <cstddef>
#include <memory>
#include <string>

namespace win {

class SharedMemory {
public:
    // Creates the block (mode 0600), or opens it when it exists already (existed() tells
    // which) and is this user's with no access for others; nullptr otherwise, and for
    // anything but such a block. A new block is zero-filled. The creator removes the name
    // again when it closes.
    static std::unique_ptr<SharedMemory> Create(const std::string& name, std::size_t size,
                                                std::string* error = nullptr);
    // Opens an existing block; nullptr when there is none, it is smaller than size, or it
    // is not this user's private block.
    static std::unique_ptr<SharedMemory> Open(const std::string& name, std::size_t size,
                                              std::string* error = nullptr);

    // A block its users share as equals: each holds it while it has it open, and the last
    // to close it removes the name. One that no living process holds (its users were
    // killed) is removed and made anew. Otherwise as Create.
    static std::unique_ptr<SharedMemory> Share(const std::string& name, std::size_t size,
                                               std::string* error = nullptr);

    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    void* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool existed() const { return existed_; }
    const std::string& name() const { return name_; }

    // True when a block of that name exists in this session.
    static bool Exists(const std::string& name);
    // Removes the name when the block is this user's; open mappings stay valid.
    static void Remove(const std::string& name);

private:
    SharedMemory(std::string shmName, std::string name, void* data, std::size_t size, bool existed);
    std::string shmName_;
    std::string name_;
    void* data_;
    std::size_t size_;
    bool existed_;
    int heldFd_ = -1;  // a shared block's descriptor, holding its shared lock
};

}  // namespace win
