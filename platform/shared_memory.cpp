#include "platform/shared_memory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/cp1252.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace win {

namespace {

std::string ShmName(const std::string& name) { return "/" + NamespacedName(name); }

void SetError(std::string* error, const std::string& what, int err) {
    if (error) *error = what + ": " + ErrorText(err);
}

// Maps `size` bytes of an open descriptor; the block must be at least that large.
void* MapDescriptor(int fd, std::size_t size, std::string* error) {
    struct stat st {};
    // A block another process has just created may not have its size yet.
    for (int tries = 0;; ++tries) {
        if (::fstat(fd, &st) != 0) {
            SetError(error, "fstat", errno);
            return nullptr;
        }
        if (st.st_size != 0 || tries >= 200) break;
        ::usleep(1000);
    }
    if (static_cast<std::size_t>(st.st_size) < size) {
        if (error) *error = "shared block is smaller than expected";
        return nullptr;
    }
    void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (p == MAP_FAILED) {
        SetError(error, "mmap", errno);
        return nullptr;
    }
    return p;
}

// Opens a block that exists already; names are easy to guess, so one that another user
// made, or that others may read or write, is refused and left alone.
int OpenExisting(const std::string& shm, const std::string& name, std::string* error) {
    const int fd = ::shm_open(shm.c_str(), O_RDWR, 0);
    if (fd < 0) {
        SetError(error, "shm_open " + name, errno);
        return -1;
    }
    if (const std::string why = PrivateFileProblem(fd); !why.empty()) {
        // Named as the user finds it, so that its owner can be asked or it can be removed.
        if (error) *error = "the shared memory object /dev/shm" + shm + " is refused: " + why;
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

SharedMemory::SharedMemory(std::string shmName, std::string name, void* data, std::size_t size, bool existed)
    : shmName_(std::move(shmName)), name_(std::move(name)), data_(data), size_(size), existed_(existed) {}

SharedMemory::~SharedMemory() {
    ::munmap(data_, size_);
    if (heldFd_ >= 0) {
        // The last holder removes the name.
        if (::flock(heldFd_, LOCK_EX | LOCK_NB) == 0) ::shm_unlink(shmName_.c_str());
        ::close(heldFd_);
        return;
    }
    if (!existed_) ::shm_unlink(shmName_.c_str());
}

std::unique_ptr<SharedMemory> SharedMemory::Share(const std::string& name, std::size_t size,
                                                  std::string* error) {
    if (size == 0) {
        if (error) *error = "empty shared block";
        return nullptr;
    }
    const std::string shm = ShmName(name);
    for (int attempt = 0; attempt < 3; ++attempt) {
        int fd = ::shm_open(shm.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
        const bool created = fd >= 0;
        if (!created && errno != EEXIST) {
            SetError(error, "shm_open " + name, errno);
            return nullptr;
        }
        if (!created && (fd = OpenExisting(shm, name, error)) < 0) return nullptr;
        struct stat st {};
        // A block with its size has a holder unless its users died: then it is left over.
        // (Its creator holds it before it gives it a size.)
        if (!created && ::fstat(fd, &st) == 0 && st.st_size > 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::shm_unlink(shm.c_str());
            ::close(fd);
            continue;
        }
        // The last holder may have removed the name while this one waited for it.
        if (::flock(fd, LOCK_SH) != 0 || ::fstat(fd, &st) != 0 || st.st_nlink == 0) {
            ::close(fd);
            continue;
        }
        if (created && (::fchmod(fd, 0600) != 0 || ::ftruncate(fd, static_cast<off_t>(size)) != 0)) {
            SetError(error, "size of " + name, errno);
            ::shm_unlink(shm.c_str());
            ::close(fd);
            return nullptr;
        }
        void* p = MapDescriptor(fd, size, error);
        if (!p) {
            if (created) ::shm_unlink(shm.c_str());
            ::close(fd);
            return nullptr;
        }
        std::unique_ptr<SharedMemory> block(new SharedMemory(shm, name, p, size, !created));
        block->heldFd_ = fd;
        return block;
    }
    if (error) *error = "shared block " + name + " keeps going away";
    return nullptr;
}

std::unique_ptr<SharedMemory> SharedMemory::Create(const std::string& name, std::size_t size,
                                                   std::string* error) {
    if (size == 0) {
        if (error) *error = "empty shared block";
        return nullptr;
    }
    const std::string shm = ShmName(name);
    bool existed = false;
    int fd = ::shm_open(shm.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    if (fd < 0 && errno == EEXIST) {
        existed = true;
        fd = OpenExisting(shm, name, error);
        if (fd < 0) return nullptr;
    } else if (fd < 0) {
        SetError(error, "shm_open " + name, errno);
        return nullptr;
    }
    // Exactly 0600 whatever the umask, so that the next player of this user may reuse it;
    // ftruncate zero-fills a new object.
    if (!existed && (::fchmod(fd, 0600) != 0 || ::ftruncate(fd, static_cast<off_t>(size)) != 0)) {
        SetError(error, "size of " + name, errno);
        ::close(fd);
        ::shm_unlink(shm.c_str());
        return nullptr;
    }
    void* p = MapDescriptor(fd, size, error);
    ::close(fd);
    if (!p) {
        if (!existed) ::shm_unlink(shm.c_str());
        return nullptr;
    }
    return std::unique_ptr<SharedMemory>(new SharedMemory(shm, name, p, size, existed));
}

std::unique_ptr<SharedMemory> SharedMemory::Open(const std::string& name, std::size_t size,
                                                 std::string* error) {
    const std::string shm = ShmName(name);
    const int fd = OpenExisting(shm, name, error);
    if (fd < 0) return nullptr;
    void* p = MapDescriptor(fd, size, error);
    ::close(fd);
    if (!p) return nullptr;
    return std::unique_ptr<SharedMemory>(new SharedMemory(shm, name, p, size, true));
}

bool SharedMemory::Exists(const std::string& name) {
    int fd = ::shm_open(ShmName(name).c_str(), O_RDONLY, 0600);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

void SharedMemory::Remove(const std::string& name) {
    const std::string shm = ShmName(name);
    const int fd = ::shm_open(shm.c_str(), O_RDONLY, 0);
    if (fd < 0) return;
    struct stat st {};
    const bool ours = ::fstat(fd, &st) == 0 && st.st_uid == ::geteuid();
    ::close(fd);
    if (ours) ::shm_unlink(shm.c_str());
}

}  // namespace win
