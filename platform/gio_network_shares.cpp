// SMB shares mounted through GIO, answered by the session's GVfs daemons. Each request runs
// on a private main context, so no other event source of the program runs meanwhile.
#include <gio/gio.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/network_shares.h"

namespace win {
namespace {

constexpr unsigned kRequestSeconds = 120;

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GRef = std::unique_ptr<T, GObjectUnref>;

struct ErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using ErrorPtr = std::unique_ptr<GError, ErrorFree>;

struct GFreeDeleter {
    void operator()(gpointer p) const { g_free(p); }
};

// A private main context made thread-default for one request, with a deadline that
// cancels the request.
class Request {
public:
    Request() : context_(g_main_context_new()), cancellable_(g_cancellable_new()) {
        g_main_context_push_thread_default(context_);
        deadline_ = g_timeout_source_new_seconds(kRequestSeconds);
        g_source_set_callback(
            deadline_,
            [](gpointer c) -> gboolean {
                g_cancellable_cancel(G_CANCELLABLE(c));
                return G_SOURCE_REMOVE;
            },
            cancellable_, nullptr);
        g_source_attach(deadline_, context_);
    }
    ~Request() {
        g_source_destroy(deadline_);
        g_source_unref(deadline_);
        g_main_context_pop_thread_default(context_);
        g_object_unref(cancellable_);
        g_main_context_unref(context_);
    }
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    GCancellable* cancellable() { return cancellable_; }
    // Runs the context until the request's callback stored a result.
    GAsyncResult* Wait() {
        while (!result_) g_main_context_iteration(context_, TRUE);
        return result_.get();
    }
    static void Done(GObject*, GAsyncResult* result, gpointer self) {
        static_cast<Request*>(self)->result_.reset(G_ASYNC_RESULT(g_object_ref(result)));
    }

private:
    GMainContext* context_;
    GCancellable* cancellable_;
    GSource* deadline_ = nullptr;
    GRef<GAsyncResult> result_;
};

// Answers the first request for credentials and refuses every later one (the server
// turned the first answer down) and every question.
struct Credentials {
    std::string user, password;
    int asked = 0;

    static void AskPassword(GMountOperation* op, const char*, const char*, const char*,
                            GAskPasswordFlags flags, gpointer self) {
        auto* c = static_cast<Credentials*>(self);
        if (++c->asked > 1) {
            g_mount_operation_reply(op, G_MOUNT_OPERATION_ABORTED);
            return;
        }
        const std::string_view user = c->user;
        const std::size_t slash = user.find('\\');
        if (user.empty() && c->password.empty() && (flags & G_ASK_PASSWORD_ANONYMOUS_SUPPORTED)) {
            g_mount_operation_set_anonymous(op, TRUE);
        } else if (slash != std::string_view::npos) {
            g_mount_operation_set_domain(op, std::string(user.substr(0, slash)).c_str());
            g_mount_operation_set_username(op, std::string(user.substr(slash + 1)).c_str());
        } else {
            g_mount_operation_set_username(op, c->user.c_str());
        }
        g_mount_operation_set_password(op, c->password.c_str());
        g_mount_operation_set_password_save(op, G_PASSWORD_SAVE_NEVER);
        g_mount_operation_reply(op, G_MOUNT_OPERATION_HANDLED);
    }
    static void AskQuestion(GMountOperation* op, const char*, const char**, gpointer) {
        g_mount_operation_reply(op, G_MOUNT_OPERATION_ABORTED);
    }
};

// Told of programs that hold files open on the share: refuses, and notes why.
struct BusyWatch {
    bool busy = false;
    static void ShowProcesses(GMountOperation* op, const char*, GArray*, const char**, gpointer self) {
        static_cast<BusyWatch*>(self)->busy = true;
        g_mount_operation_reply(op, G_MOUNT_OPERATION_ABORTED);
    }
    static void AskQuestion(GMountOperation* op, const char*, const char**, gpointer self) {
        static_cast<BusyWatch*>(self)->busy = true;
        g_mount_operation_reply(op, G_MOUNT_OPERATION_ABORTED);
    }
};

// Whether a process has a file open under `folder` (the share's local folder): the service
// itself would unmount under it.
bool FilesOpenUnder(const std::string& folder) {
    const std::filesystem::path inside = std::filesystem::path(folder) / "";
    std::error_code ec;
    for (const auto& process : std::filesystem::directory_iterator("/proc", ec)) {
        std::error_code denied;
        for (const auto& fd : std::filesystem::directory_iterator(process.path() / "fd", denied)) {
            std::error_code gone;
            const std::string target = std::filesystem::read_symlink(fd.path(), gone).string();
            if (!gone && (target == folder || target.starts_with(inside.string()))) return true;
        }
    }
    return false;
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The SMB backend reports a failed mount as a plain failure carrying the system's error text.
ShareStatus FromMountFailure(const GError* error) {
    const std::string_view message = error->message ? error->message : "";
    for (int e : {ENOENT, ENODEV, ENXIO, EHOSTUNREACH, ENETUNREACH, ECONNREFUSED, ETIMEDOUT, EINVAL})
        if (EndsWith(message, g_strerror(e))) return ShareStatus::BadName;
    for (int e : {EACCES, EPERM})
        if (EndsWith(message, g_strerror(e))) return ShareStatus::AccessDenied;
    return ShareStatus::Failed;
}

bool ServiceReachesSmb() {
    const gchar* const* schemes = g_vfs_get_supported_uri_schemes(g_vfs_get_default());
    for (; schemes && *schemes; ++schemes)
        if (std::strcmp(*schemes, "smb") == 0) return true;
    return false;
}

class GioNetworkShares : public NetworkShares {
public:
    ShareStatus Mount(const std::string& uri, const std::string& user, const std::string& password,
                      std::string& location) override {
        if (!ServiceReachesSmb()) return ShareStatus::NoService;
        GRef<GFile> file(g_file_new_for_uri(uri.c_str()));
        Credentials credentials{user, password};
        GRef<GMountOperation> op(g_mount_operation_new());
        g_signal_connect(op.get(), "ask-password", G_CALLBACK(&Credentials::AskPassword), &credentials);
        g_signal_connect(op.get(), "ask-question", G_CALLBACK(&Credentials::AskQuestion), &credentials);
        Request request;
        g_file_mount_enclosing_volume(file.get(), G_MOUNT_MOUNT_NONE, op.get(), request.cancellable(),
                                      &Request::Done, &request);
        GError* raw = nullptr;
        const bool mounted = g_file_mount_enclosing_volume_finish(file.get(), request.Wait(), &raw);
        ErrorPtr error(raw);
        if (!mounted && !g_error_matches(error.get(), G_IO_ERROR, G_IO_ERROR_ALREADY_MOUNTED)) {
            if (credentials.asked > 1) return ShareStatus::WrongPassword;
            if (error->domain != G_IO_ERROR) return ShareStatus::Failed;
            switch (error->code) {
                case G_IO_ERROR_PERMISSION_DENIED: return ShareStatus::AccessDenied;
                case G_IO_ERROR_NOT_FOUND:
                case G_IO_ERROR_HOST_NOT_FOUND:
                case G_IO_ERROR_HOST_UNREACHABLE:
                case G_IO_ERROR_CONNECTION_REFUSED:
                case G_IO_ERROR_INVALID_ARGUMENT: return ShareStatus::BadName;
                case G_IO_ERROR_NOT_SUPPORTED: return ShareStatus::NoService;
                default: return FromMountFailure(error.get());
            }
        }
        std::unique_ptr<char, GFreeDeleter> path(g_file_get_path(file.get()));
        location = path ? path.get() : uri;
        return ShareStatus::Ok;
    }

    ShareStatus Unmount(const std::string& uri, bool force) override {
        if (!ServiceReachesSmb()) return ShareStatus::NoService;
        GRef<GMount> mount(Find(uri));
        if (!mount) return ShareStatus::NotMounted;
        if (!force) {
            GRef<GFile> root(g_mount_get_root(mount.get()));
            std::unique_ptr<char, GFreeDeleter> path(g_file_get_path(root.get()));
            if (path && FilesOpenUnder(path.get())) return ShareStatus::Busy;
        }
        // The service looks for requests still running only when it has an operation to ask.
        BusyWatch watch;
        GRef<GMountOperation> op(force ? nullptr : g_mount_operation_new());
        if (op) {
            g_signal_connect(op.get(), "show-processes", G_CALLBACK(&BusyWatch::ShowProcesses), &watch);
            g_signal_connect(op.get(), "ask-question", G_CALLBACK(&BusyWatch::AskQuestion), &watch);
        }
        Request request;
        g_mount_unmount_with_operation(mount.get(), force ? G_MOUNT_UNMOUNT_FORCE : G_MOUNT_UNMOUNT_NONE,
                                       op.get(), request.cancellable(), &Request::Done, &request);
        GError* raw = nullptr;
        const bool done = g_mount_unmount_with_operation_finish(mount.get(), request.Wait(), &raw);
        ErrorPtr error(raw);
        if (done) return ShareStatus::Ok;
        if (watch.busy || g_error_matches(error.get(), G_IO_ERROR, G_IO_ERROR_BUSY)) return ShareStatus::Busy;
        if (g_error_matches(error.get(), G_IO_ERROR, G_IO_ERROR_NOT_MOUNTED)) return ShareStatus::NotMounted;
        if (g_error_matches(error.get(), G_IO_ERROR, G_IO_ERROR_PERMISSION_DENIED))
            return ShareStatus::AccessDenied;
        return ShareStatus::Failed;
    }

    bool IsMounted(const std::string& uri) override {
        if (!ServiceReachesSmb()) return false;
        return GRef<GMount>(Find(uri)) != nullptr;
    }

private:
    static GMount* Find(const std::string& uri) {
        GRef<GFile> file(g_file_new_for_uri(uri.c_str()));
        GError* raw = nullptr;
        GMount* mount = g_file_find_enclosing_mount(file.get(), nullptr, &raw);
        ErrorPtr error(raw);
        return mount;
    }
};

}  // namespace

std::unique_ptr<NetworkShares> SystemNetworkShares() { return std::make_unique<GioNetworkShares>(); }

}  // namespace win
