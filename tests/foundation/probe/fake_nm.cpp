// A stand-in for the network manager's client library, for the dial-up binding tests. Its
// connections come from FAKE_NM_CONNECTIONS ("name:type:user[:kept password];..."), listed
// without their secrets, which only a request for them hands out; FAKE_NM_DOWN makes the
// client fail to connect; a connection whose name starts with "Busy" refuses to activate, one
// starting with "Drop" falls back to deactivated while activating. Built a second time with
// FAKE_NM_PARTIAL, without the activation and deactivation entry points. Connections added
// and activated are kept apart from the stored ones; fake_nm_added and fake_nm_stored
// describe them for the tests.
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <set>
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
    std::string user, password, uuid;
    unsigned passwordFlags = 1;  // kept by an agent, as stored profiles usually are
    int autoconnect = 1;
    bool secretsHere = false;  // listed connections carry none
    std::map<std::string, std::string> vpnSecrets, vpnData;
};
struct Connection {
    std::string id, type;
    std::string kept;  // the password the service keeps, handed out on request
    Setting setting;
    Setting identity;  // the "connection" setting
    std::string persist;
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
        void* source = nullptr;  // the client, unless a connection was asked
    };
    std::vector<Pending> pending;
    std::deque<Connection> added;

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
std::set<Connection*> g_clones;
int g_uuids = 0;

std::string Describe(const Connection& c) {
    std::string text = c.id + "|" + c.type + "|" + c.setting.user + "|" + c.setting.password + "|" +
                       std::to_string(c.setting.passwordFlags) + "|" + c.identity.uuid + "|" +
                       std::to_string(c.identity.autoconnect) + "|" + c.persist;
    for (const auto& [k, v] : c.setting.vpnSecrets) text += "|secret " + k + "=" + v;
    for (const auto& [k, v] : c.setting.vpnData) text += "|data " + k + "=" + v;
    return text;
}

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
    g_uuids = 0;
    const char* listing = std::getenv("FAKE_NM_CONNECTIONS");
    std::string all = listing ? listing : "";
    std::size_t pos = 0;
    while (pos < all.size()) {
        std::size_t end = all.find(';', pos);
        if (end == std::string::npos) end = all.size();
        std::string item = all.substr(pos, end - pos);
        std::size_t a = item.find(':'), b = item.find(':', a + 1), k = item.find(':', b + 1);
        Connection stored;
        stored.id = item.substr(0, a);
        stored.type = item.substr(a + 1, b - a - 1);
        stored.setting.user = item.substr(b + 1, k == std::string::npos ? k : k - b - 1);
        if (k != std::string::npos) stored.kept = item.substr(k + 1);
        stored.setting.password = "stored";
        stored.identity.uuid = "stored-" + std::to_string(c->connections.size());
        c->connections.push_back(stored);
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
    if (std::strcmp(name, "connection") == 0) return &conn->identity;
    return conn->type == name ? &conn->setting : nullptr;
}
void* nm_simple_connection_new_clone(void* c) {
    auto* copy = new Connection(*static_cast<Connection*>(c));
    g_clones.insert(copy);
    return copy;
}
char* nm_utils_uuid_generate() { return strdup(("generated-" + std::to_string(++g_uuids)).c_str()); }
void nm_setting_vpn_add_secret(void* s, const char* key, const char* value) {
    static_cast<Setting*>(s)->vpnSecrets[key] = value;
}
void nm_setting_vpn_add_data_item(void* s, const char* key, const char* value) {
    static_cast<Setting*>(s)->vpnData[key] = value;
}
// The options are kept as their text; the call takes them over, as the real one does.
void* g_variant_new_parsed(const char* format, ...) { return strdup(format); }

const char* fake_nm_added(unsigned index) {
    static std::string text;
    text = g_client && index < g_client->added.size() ? Describe(g_client->added[index]) : "";
    return text.c_str();
}
const char* fake_nm_stored(const char* id) {
    static std::string text;
    text.clear();
    if (g_client)
        for (const auto& c : g_client->connections)
            if (c.id == id) text = Describe(c);
    return text.c_str();
}
int fake_nm_clones_alive() { return static_cast<int>(g_clones.size()); }
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

void nm_client_add_and_activate_connection2(void* client, void* partial, void*, const char*, void* options,
                                            void*, GAsyncReadyCallback callback, void* userData) {
    auto* c = static_cast<Client*>(client);
    c->added.push_back(*static_cast<Connection*>(partial));  // sent at once, as over the bus
    const std::string text = options ? static_cast<char*>(options) : "";
    std::free(options);
    const std::size_t at = text.find("'persist': <'");
    if (at != std::string::npos) {
        const std::size_t from = at + 13;
        c->added.back().persist = text.substr(from, text.find('\'', from) - from);
    }
    c->pending.push_back({callback, userData, &c->added.back()});
}

void* nm_client_add_and_activate_connection2_finish(void* client, void* result, void** outResult,
                                                    GError** error) {
    if (outResult) *outResult = nullptr;
    return nm_client_activate_connection_finish(client, result, error);
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
    for (auto& p : pending) p.callback(p.source ? p.source : g_client, p.connection, p.userData);
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
        auto* s = static_cast<Setting*>(object);
        if (std::strcmp(property, "username") == 0 || std::strcmp(property, "user-name") == 0)
            *out = strdup(s->user.c_str());
        else if (std::strcmp(property, "password") == 0 && s->secretsHere)
            *out = strdup(s->password.c_str());
        else
            *out = nullptr;
        property = va_arg(args, const char*);
    }
    va_end(args);
}

void g_object_set(void* object, const char* property, ...) {
    auto* s = static_cast<Setting*>(object);
    va_list args;
    va_start(args, property);
    while (property) {
        const std::string name = property;
        if (name == "password-flags")
            s->passwordFlags = va_arg(args, unsigned);
        else if (name == "autoconnect")
            s->autoconnect = va_arg(args, int);
        else if (name == "username" || name == "user-name")
            s->user = va_arg(args, const char*);
        else if (name == "password")
            s->password = va_arg(args, const char*);
        else if (name == "uuid")
            s->uuid = va_arg(args, const char*);
        else
            std::abort();  // a property this stand-in does not know: the test must see it
        property = va_arg(args, const char*);
    }
    va_end(args);
}

void g_object_unref(void* object) {
    if (g_clones.erase(static_cast<Connection*>(object))) {
        delete static_cast<Connection*>(object);
        return;
    }
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

// The secrets come as the kept password's text; an empty text when none is kept.
void nm_remote_connection_get_secrets_async(void* connection, const char*, void*,
                                            GAsyncReadyCallback callback, void* userData) {
    auto* c = static_cast<Connection*>(connection);
    g_client->pending.push_back({callback, userData, c, c});
}
void* nm_remote_connection_get_secrets_finish(void*, void* result, GError**) {
    return strdup(static_cast<Connection*>(result)->kept.c_str());
}
int nm_connection_update_secrets(void* connection, const char*, void* secrets, GError**) {
    auto* c = static_cast<Connection*>(connection);
    const std::string text = static_cast<char*>(secrets);
    if (c->type == "vpn") {
        if (!text.empty()) c->setting.vpnSecrets["password"] = text;
    } else {
        c->setting.password = text;
        c->setting.secretsHere = true;
    }
    return 1;
}
const char* nm_setting_vpn_get_secret(void* setting, const char* key) {
    auto& secrets = static_cast<Setting*>(setting)->vpnSecrets;
    const auto it = secrets.find(key);
    return it == secrets.end() ? nullptr : it->second.c_str();
}
void g_variant_unref(void* variant) { std::free(variant); }

}  // extern "C"
