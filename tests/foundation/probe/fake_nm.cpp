// A stand-in for the network manager's client library, for the dial-up binding tests. Its
// connections come from FAKE_NM_CONNECTIONS ("name:type:user;..."); FAKE_NM_DOWN makes the
// client fail to connect; a connection whose name starts with "Busy" refuses to activate, one
// starting with "Drop" falls back to deactivated while activating. Built a second time with
// FAKE_NM_PARTIAL, without the activation and deactivation entry points.
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

extern "C" int __cxa_atexit(void (*handler)(void*), void* arg, void* dso);

// FAKE_NM_LOG names a file where the library notes each load ("loaded") and each unload:
// "released" when the program let it go while still running, "dropped at exit" when only
// the end of the process unloaded it. Telling the two apart: the program's exit handlers
// run before libraries are unloaded, and one of them removes a marker made at load time.
namespace {

const char* LogPath() { return std::getenv("FAKE_NM_LOG"); }

std::string MarkerPath() { return std::string(LogPath()) + ".running"; }

void Note(const char* what) {
    if (FILE* log = std::fopen(LogPath(), "a")) {
        std::fprintf(log, "%s\n", what);
        std::fclose(log);
    }
}

__attribute__((constructor)) void NoteLoad() {
    if (!LogPath()) return;
    Note("loaded");
    if (FILE* marker = std::fopen(MarkerPath().c_str(), "w")) std::fclose(marker);
    // Registered for the process, not for this library: libc's unlink outlives an unload.
    char* path = strdup(MarkerPath().c_str());
    __cxa_atexit(reinterpret_cast<void (*)(void*)>(reinterpret_cast<void*>(&::unlink)), path, nullptr);
}

__attribute__((destructor)) void NoteUnload() {
    if (!LogPath()) return;
    Note(::access(MarkerPath().c_str(), F_OK) == 0 ? "released" : "dropped at exit");
}

}  // namespace

namespace {

struct GError {
    unsigned domain;
    int code;
    char* message;
};
struct GPtrArray {
    void** pdata;
    unsigned len;
};
using GAsyncReadyCallback = void (*)(void*, void*, void*);

struct Setting {
    std::string user;
};
struct Connection {
    std::string id, type;
    Setting setting;
};
struct Active {
    Connection* connection;
    int state;  // 1 activating, 2 activated, 4 deactivated
    int refs = 1;
};

struct Client {
    std::deque<Connection> connections;
    std::vector<void*> connectionPtrs;
    std::deque<Active> actives;
    std::vector<void*> activePtrs;
    GPtrArray connectionArray{}, activeArray{};
    struct Pending {
        GAsyncReadyCallback callback;
        void* userData;
        Connection* connection;
    };
    std::vector<Pending> pending;

    void Refresh() {
        connectionPtrs.clear();
        for (auto& c : connections) connectionPtrs.push_back(&c);
        connectionArray = {connectionPtrs.data(), static_cast<unsigned>(connectionPtrs.size())};
        activePtrs.clear();
        for (auto& a : actives)
            if (a.state != 4) activePtrs.push_back(&a);
        activeArray = {activePtrs.data(), static_cast<unsigned>(activePtrs.size())};
    }
};

Client* g_client = nullptr;

GError* MakeError(const char* text) {
    auto* e = static_cast<GError*>(std::calloc(1, sizeof(GError)));
    e->message = strdup(text);
    return e;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace

extern "C" {

void* nm_client_new(void*, GError** error) {
    if (std::getenv("FAKE_NM_DOWN")) {
        *error = MakeError("Could not connect: No such file or directory");
        return nullptr;
    }
    auto* c = new Client;
    const char* listing = std::getenv("FAKE_NM_CONNECTIONS");
    std::string all = listing ? listing : "";
    std::size_t pos = 0;
    while (pos < all.size()) {
        std::size_t end = all.find(';', pos);
        if (end == std::string::npos) end = all.size();
        std::string item = all.substr(pos, end - pos);
        std::size_t a = item.find(':'), b = item.find(':', a + 1);
        c->connections.push_back({item.substr(0, a), item.substr(a + 1, b - a - 1), {item.substr(b + 1)}});
        pos = end + 1;
    }
    c->Refresh();
    g_client = c;
    return c;
}

const GPtrArray* nm_client_get_connections(void* client) {
    return &static_cast<Client*>(client)->connectionArray;
}
const char* nm_connection_get_id(void* c) { return static_cast<Connection*>(c)->id.c_str(); }
const char* nm_connection_get_connection_type(void* c) { return static_cast<Connection*>(c)->type.c_str(); }
void* nm_connection_get_setting_by_name(void* c, const char* name) {
    auto* conn = static_cast<Connection*>(c);
    return conn->type == name ? &conn->setting : nullptr;
}
const GPtrArray* nm_client_get_active_connections(void* client) {
    return &static_cast<Client*>(client)->activeArray;
}
const char* nm_active_connection_get_id(void* a) { return static_cast<Active*>(a)->connection->id.c_str(); }
const char* nm_active_connection_get_connection_type(void* a) {
    return static_cast<Active*>(a)->connection->type.c_str();
}
int nm_active_connection_get_state(void* a) { return static_cast<Active*>(a)->state; }

#ifndef FAKE_NM_PARTIAL
void nm_client_activate_connection_async(void* client, void* connection, void*, const char*, void*,
                                         GAsyncReadyCallback callback, void* userData) {
    static_cast<Client*>(client)->pending.push_back(
        {callback, userData, static_cast<Connection*>(connection)});
}

void* nm_client_activate_connection_finish(void* client, void* result, GError** error) {
    auto* c = static_cast<Client*>(client);
    auto* conn = static_cast<Connection*>(result);
    if (StartsWith(conn->id, "Busy")) {
        *error = MakeError("Connection activation failed: device busy");
        return nullptr;
    }
    c->actives.push_back({conn, 1});
    c->actives.back().refs = 2;  // the client's list and the caller
    c->Refresh();
    return &c->actives.back();
}

int nm_client_deactivate_connection(void* client, void* active, void*, GError** error) {
    auto* a = static_cast<Active*>(active);
    if (StartsWith(a->connection->id, "Stuck")) {
        *error = MakeError("Not authorized to deactivate connections");
        return 0;
    }
    a->state = 4;
    static_cast<Client*>(client)->Refresh();
    return 1;
}
#endif

// One turn of the main loop: finish pending requests, then move activations along.
int g_main_context_iteration(void*, int) {
    if (!g_client) return 0;
    auto pending = std::move(g_client->pending);
    g_client->pending.clear();
    for (auto& p : pending) p.callback(g_client, p.connection, p.userData);
    for (auto& a : g_client->actives)
        if (a.state == 1) a.state = StartsWith(a.connection->id, "Drop") ? 4 : 2;
    g_client->Refresh();
    return pending.empty() ? 0 : 1;
}

void g_object_get(void* object, const char* property, ...) {
    va_list args;
    va_start(args, property);
    while (property) {
        auto** out = va_arg(args, char**);
        if (std::strcmp(property, "username") == 0 || std::strcmp(property, "user-name") == 0)
            *out = strdup(static_cast<Setting*>(object)->user.c_str());
        else
            *out = nullptr;
        property = va_arg(args, const char*);
    }
    va_end(args);
}

void g_object_unref(void* object) {
    if (object == g_client) {
        delete g_client;
        g_client = nullptr;
        return;
    }
    // Active connections live in the client; only their count is kept.
    if (g_client)
        for (auto& a : g_client->actives)
            if (&a == object) --a.refs;
}

int fake_nm_active_refs(const char* id) {
    int refs = 0;
    if (g_client)
        for (auto& a : g_client->actives)
            if (a.connection->id == id) refs += a.refs;
    return refs;
}

void g_error_free(GError* e) {
    std::free(e->message);
    std::free(e);
}

void g_free(void* p) { std::free(p); }

}  // extern "C"
