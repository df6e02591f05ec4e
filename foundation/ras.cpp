#include "foundation/ras.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QCoreApplication>
#include <array>
#include <chrono>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/cp1252.h"
#include "platform/message_box.h"

namespace tessaro {
namespace {

// The few library types we touch; their layouts are part of the library's stable ABI.
struct GError {
    std::uint32_t domain;
    int code;
    char* message;
};
struct GPtrArray {
    void** pdata;
    unsigned len;
};
using GAsyncReadyCallback = void (*)(void* source, void* result, void* userData);

enum Entry {
    ClientNew,
    ClientGetConnections,
    ConnectionGetId,
    ConnectionGetType,
    ConnectionGetSettingByName,
    ClientGetActiveConnections,
    ActiveGetId,
    ActiveGetType,
    ActiveGetState,
    ClientActivateAsync,
    ClientActivateFinish,
    ClientDeactivate,
    ConnectionClone,
    UuidGenerate,
    VpnAddSecret,
    VpnAddDataItem,
    ClientAddAndActivate2,
    ClientAddAndActivate2Finish,
    VariantNewParsed,
    MainContextIteration,
    ObjectGet,
    ObjectSet,
    ObjectUnref,
    ErrorFree,
    Free,
    GetSecretsAsync,
    GetSecretsFinish,
    UpdateSecrets,
    VpnGetSecret,
    VariantUnref,
    kEntryCount
};

constexpr std::array<const char*, kEntryCount> kEntryNames = {
    "nm_client_new",
    "nm_client_get_connections",
    "nm_connection_get_id",
    "nm_connection_get_connection_type",
    "nm_connection_get_setting_by_name",
    "nm_client_get_active_connections",
    "nm_active_connection_get_id",
    "nm_active_connection_get_connection_type",
    "nm_active_connection_get_state",
    "nm_client_activate_connection_async",
    "nm_client_activate_connection_finish",
    "nm_client_deactivate_connection",
    "nm_simple_connection_new_clone",
    "nm_utils_uuid_generate",
    "nm_setting_vpn_add_secret",
    "nm_setting_vpn_add_data_item",
    "nm_client_add_and_activate_connection2",
    "nm_client_add_and_activate_connection2_finish",
    "g_variant_new_parsed",
    "g_main_context_iteration",
    "g_object_get",
    "g_object_set",
    "g_object_unref",
    "g_error_free",
    "g_free",
    "nm_remote_connection_get_secrets_async",
    "nm_remote_connection_get_secrets_finish",
    "nm_connection_update_secrets",
    "nm_setting_vpn_get_secret",
    "g_variant_unref",
};

// Connection types that play the part of dial-up entries.
constexpr std::array<std::string_view, 4> kDialUpTypes = {"gsm", "cdma", "pppoe", "vpn"};

// Active connection states.
constexpr int kActivating = 1;
constexpr int kActivated = 2;

// How long Retrieve waits for the service (and the agent that may keep the secret).
constexpr auto kSecretsWait = std::chrono::seconds(25);

struct Binding {
    void* library = nullptr;
    std::array<void*, kEntryCount> entries{};
    void* client = nullptr;
    std::string lastError;
};

Binding& Bound() {
    static Binding binding;
    return binding;
}

template <typename F>
F Fn(Entry e) {
    return reinterpret_cast<F>(Bound().entries[e]);
}

bool Have(std::initializer_list<Entry> needed) {
    for (Entry e : needed)
        if (!Bound().entries[e]) {
            Bound().lastError = std::string("missing entry point ") + kEntryNames[e];
            return false;
        }
    return true;
}

// Takes the message out of a library error and frees it.
void NoteError(GError* error) {
    if (!error) return;
    Bound().lastError = error->message ? error->message : "";
    if (Bound().entries[ErrorFree]) Fn<void (*)(GError*)>(ErrorFree)(error);
}

bool IsDialUp(const char* type) {
    if (!type) return false;
    for (std::string_view t : kDialUpTypes)
        if (t == type) return true;
    return false;
}

// The connected client, made on first use; kRasSuccess or why there is none.
int Client(void*& client) {
    Binding& b = Bound();
    if (!b.library) return kRasServiceUnavailable;
    if (!b.client) {
        if (!Have({ClientNew})) return kRasProcNotFound;
        GError* error = nullptr;
        b.client = Fn<void* (*)(void*, GError**)>(ClientNew)(nullptr, &error);
        NoteError(error);
        if (!b.client) return kRasServiceUnavailable;
    }
    client = b.client;
    return kRasSuccess;
}

// Runs the library's pending callbacks and our own events once.
void Pump() {
    Fn<int (*)(void*, int)>(MainContextIteration)(nullptr, 0);
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void* FindEntry(void* client, const std::string& name) {
    const auto* all = Fn<const GPtrArray* (*)(void*)>(ClientGetConnections)(client);
    const std::string utf8 = win::Cp1252ToUtf8(name);
    for (unsigned i = 0; all && i < all->len; ++i) {
        void* c = all->pdata[i];
        const char* id = Fn<const char* (*)(void*)>(ConnectionGetId)(c);
        if (id && utf8 == id && IsDialUp(Fn<const char* (*)(void*)>(ConnectionGetType)(c))) return c;
    }
    return nullptr;
}

struct Activation {
    bool done = false;
    void* active = nullptr;
    bool added = false;  // finished by the add-and-activate call
};

// The request owns one reference to its Activation, so a caller that gave up waiting
// leaves nothing dangling behind.
void ActivationDone(void* source, void* result, void* userData) {
    std::unique_ptr<std::shared_ptr<Activation>> holder(static_cast<std::shared_ptr<Activation>*>(userData));
    Activation& a = **holder;
    GError* error = nullptr;
    a.active = a.added ? Fn<void* (*)(void*, void*, void**, GError**)>(ClientAddAndActivate2Finish)(
                             source, result, nullptr, &error)
                       : Fn<void* (*)(void*, void*, GError**)>(ClientActivateFinish)(source, result, &error);
    NoteError(error);
    a.done = true;
    if (holder->use_count() == 1 && a.active) Fn<void (*)(void*)>(ObjectUnref)(a.active);  // abandoned
}

struct SecretsRequest {
    bool done = false;
    void* secrets = nullptr;  // the service's answer, a variant we unref
};

// As ActivationDone: the request owns one reference, so an abandoned wait leaks nothing.
void SecretsDone(void* source, void* result, void* userData) {
    std::unique_ptr<std::shared_ptr<SecretsRequest>> holder(
        static_cast<std::shared_ptr<SecretsRequest>*>(userData));
    SecretsRequest& r = **holder;
    GError* error = nullptr;
    r.secrets = Fn<void* (*)(void*, void*, GError**)>(GetSecretsFinish)(source, result, &error);
    NoteError(error);
    r.done = true;
    if (holder->use_count() == 1 && r.secrets) Fn<void (*)(void*)>(VariantUnref)(r.secrets);
}

// The password the service keeps for `entry`'s setting `type`; empty when none is kept.
// The secrets go into a private copy of the entry, never into the client's own.
std::string StoredPassword(void* entry, const char* type) {
    if (!Have({GetSecretsAsync, GetSecretsFinish, UpdateSecrets, VpnGetSecret, VariantUnref, ConnectionClone,
               ConnectionGetSettingByName, MainContextIteration, ObjectGet, ObjectUnref, Free}))
        return {};
    const bool vpn = std::string_view(type) == "vpn";
    auto request = std::make_shared<SecretsRequest>();
    Fn<void (*)(void*, const char*, void*, GAsyncReadyCallback, void*)>(GetSecretsAsync)(
        entry, type, nullptr, &SecretsDone, new std::shared_ptr<SecretsRequest>(request));
    const auto deadline = std::chrono::steady_clock::now() + kSecretsWait;
    while (!request->done && std::chrono::steady_clock::now() < deadline) {
        Pump();
        if (!request->done) ::usleep(2000);
    }
    if (!request->secrets) return {};
    std::string password;
    if (void* copy = Fn<void* (*)(void*)>(ConnectionClone)(entry)) {
        GError* error = nullptr;
        if (Fn<int (*)(void*, const char*, void*, GError**)>(UpdateSecrets)(copy, type, request->secrets,
                                                                            &error)) {
            void* setting = Fn<void* (*)(void*, const char*)>(ConnectionGetSettingByName)(copy, type);
            if (setting && vpn) {
                const char* secret =
                    Fn<const char* (*)(void*, const char*)>(VpnGetSecret)(setting, "password");
                if (secret) password = win::Utf8ToCp1252(secret);
            } else if (setting) {
                char* secret = nullptr;
                Fn<void (*)(void*, const char*, ...)>(ObjectGet)(setting, "password", &secret, nullptr);
                if (secret) password = win::Utf8ToCp1252(secret);
                Fn<void (*)(void*)>(Free)(secret);
            }
        }
        NoteError(error);
        Fn<void (*)(void*)>(ObjectUnref)(copy);
    }
    Fn<void (*)(void*)>(VariantUnref)(request->secrets);
    return password;
}

// A copy of `entry` that carries the macro's credentials under a fresh identity, so the
// service keeps it apart from the stored profile; nullptr when the library cannot copy.
void* CredentialCopy(void* entry, const RasDialParams& params) {
    void* copy = Fn<void* (*)(void*)>(ConnectionClone)(entry);
    if (!copy) return nullptr;
    using SetProperty = void (*)(void*, const char*, ...);
    char* uuid = Fn<char* (*)()>(UuidGenerate)();
    void* identity = Fn<void* (*)(void*, const char*)>(ConnectionGetSettingByName)(copy, "connection");
    if (identity) Fn<SetProperty>(ObjectSet)(identity, "uuid", uuid, "autoconnect", 0, nullptr);
    Fn<void (*)(void*)>(Free)(uuid);
    const char* type = Fn<const char* (*)(void*)>(ConnectionGetType)(copy);
    void* setting = Fn<void* (*)(void*, const char*)>(ConnectionGetSettingByName)(copy, type);
    if (!identity || !setting) {
        Fn<void (*)(void*)>(ObjectUnref)(copy);
        return nullptr;
    }
    const std::string user = win::Cp1252ToUtf8(params.userName);
    const std::string password = win::Cp1252ToUtf8(params.password);
    if (std::string_view(type) == "vpn") {
        if (!user.empty()) Fn<SetProperty>(ObjectSet)(setting, "user-name", user.c_str(), nullptr);
        if (!password.empty()) {
            Fn<void (*)(void*, const char*, const char*)>(VpnAddSecret)(setting, "password",
                                                                        password.c_str());
            Fn<void (*)(void*, const char*, const char*)>(VpnAddDataItem)(setting, "password-flags", "0");
        }
    } else {
        if (!user.empty()) Fn<SetProperty>(ObjectSet)(setting, "username", user.c_str(), nullptr);
        // Flags 0: the secret travels with the connection, no agent is asked for it.
        if (!password.empty())
            Fn<SetProperty>(ObjectSet)(setting, "password", password.c_str(), "password-flags", 0u, nullptr);
    }
    return copy;
}

}  // namespace

bool RasLoadLibrary(const std::string& library) {
    RasFreeLibrary();
    Binding& b = Bound();
    b.library = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!b.library) return false;
    // A missing export leaves its slot empty; the operations that need it report that.
    for (std::size_t i = 0; i < kEntryCount; ++i) b.entries[i] = ::dlsym(b.library, kEntryNames[i]);
    return true;
}

void RasFreeLibrary() {
    Binding& b = Bound();
    if (b.client && b.entries[ObjectUnref]) Fn<void (*)(void*)>(ObjectUnref)(b.client);
    if (b.library) ::dlclose(b.library);
    b = Binding{};
}

bool RasAvailable() { return Bound().library != nullptr; }

void RasMissingWarning(QWidget* /*owner: our boxes are application-modal*/) {
    win::MessageBox(kRasMissingText, "Warning", win::MbButtons::Ok, win::MbIcon::Warning);
}

std::string RasLastErrorText() { return Bound().lastError; }

int RasEnumEntries(std::vector<std::string>& entries) {
    entries.clear();
    void* client = nullptr;
    if (int rc = Client(client)) return rc;
    if (!Have({ClientGetConnections, ConnectionGetId, ConnectionGetType})) return kRasProcNotFound;
    const auto* all = Fn<const GPtrArray* (*)(void*)>(ClientGetConnections)(client);
    for (unsigned i = 0; all && i < all->len; ++i) {
        void* c = all->pdata[i];
        const char* id = Fn<const char* (*)(void*)>(ConnectionGetId)(c);
        if (id && IsDialUp(Fn<const char* (*)(void*)>(ConnectionGetType)(c)))
            entries.push_back(win::Utf8ToCp1252(id));
    }
    return kRasSuccess;
}

int RasGetEntryDialParams(RasDialParams& params) {
    void* client = nullptr;
    if (int rc = Client(client)) return rc;
    if (!Have({ClientGetConnections, ConnectionGetId, ConnectionGetType, ConnectionGetSettingByName,
               ObjectGet, Free}))
        return kRasProcNotFound;
    void* entry = FindEntry(client, params.entryName);
    if (!entry) return kRasEntryNotFound;
    const char* type = Fn<const char* (*)(void*)>(ConnectionGetType)(entry);
    void* setting = Fn<void* (*)(void*, const char*)>(ConnectionGetSettingByName)(entry, type);
    params.userName.clear();
    params.password.clear();
    params.passwordStored = false;
    if (setting) {
        char* user = nullptr;
        const char* property = std::string_view(type) == "vpn" ? "user-name" : "username";
        Fn<void (*)(void*, const char*, ...)>(ObjectGet)(setting, property, &user, nullptr);
        if (user) params.userName = win::Utf8ToCp1252(user);
        Fn<void (*)(void*)>(Free)(user);
    }
    params.password = StoredPassword(entry, type);
    params.passwordStored = !params.password.empty();
    return kRasSuccess;
}

int RasDial(const RasDialParams& params, int timeoutSeconds) {
    void* client = nullptr;
    if (int rc = Client(client)) return rc;
    if (!Have({ClientGetConnections, ConnectionGetId, ConnectionGetType, ClientActivateAsync,
               ClientActivateFinish, ActiveGetState, MainContextIteration, ObjectUnref}))
        return kRasProcNotFound;
    const bool credentials = !params.userName.empty() || !params.password.empty();
    if (credentials &&
        !Have({ConnectionClone, UuidGenerate, ConnectionGetSettingByName, ObjectSet, Free, VpnAddSecret,
               VpnAddDataItem, ClientAddAndActivate2, ClientAddAndActivate2Finish, VariantNewParsed}))
        return kRasProcNotFound;
    void* entry = FindEntry(client, params.entryName);
    if (!entry) return kRasEntryNotFound;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    auto activation = std::make_shared<Activation>();
    if (credentials) {
        // The macro's credentials go into a copy the service forgets when it disconnects;
        // the stored profile is never changed.
        void* copy = CredentialCopy(entry, params);
        if (!copy) return kRasUnknownError;
        activation->added = true;
        void* options = Fn<void* (*)(const char*, ...)>(VariantNewParsed)("{'persist': <'volatile'>}");
        Fn<void (*)(void*, void*, void*, const char*, void*, void*, GAsyncReadyCallback, void*)>(
            ClientAddAndActivate2)(client, copy, nullptr, nullptr, options, nullptr, &ActivationDone,
                                   new std::shared_ptr<Activation>(activation));
        Fn<void (*)(void*)>(ObjectUnref)(copy);
    } else {
        Fn<void (*)(void*, void*, void*, const char*, void*, GAsyncReadyCallback, void*)>(
            ClientActivateAsync)(client, entry, nullptr, nullptr, nullptr, &ActivationDone,
                                 new std::shared_ptr<Activation>(activation));
    }
    while (!activation->done && std::chrono::steady_clock::now() < deadline) {
        Pump();
        if (!activation->done) ::usleep(2000);
    }
    if (!activation->done) {
        Bound().lastError = "timed out";
        return kRasUnknownError;
    }
    if (!activation->active) return kRasUnknownError;

    int state = kActivating;
    while ((state = Fn<int (*)(void*)>(ActiveGetState)(activation->active)) == kActivating &&
           std::chrono::steady_clock::now() < deadline) {
        Pump();
        ::usleep(2000);
    }
    Fn<void (*)(void*)>(ObjectUnref)(activation->active);
    if (state == kActivated) return kRasSuccess;
    if (state == kActivating) {
        Bound().lastError = "timed out";
        return kRasUnknownError;
    }
    return kRasNotConnected;
}

int RasEnumConnections(std::vector<RasConnection>& connections) {
    connections.clear();
    void* client = nullptr;
    if (int rc = Client(client)) return rc;
    if (!Have({ClientGetActiveConnections, ActiveGetId, ActiveGetType, ActiveGetState}))
        return kRasProcNotFound;
    const auto* active = Fn<const GPtrArray* (*)(void*)>(ClientGetActiveConnections)(client);
    for (unsigned i = 0; active && i < active->len; ++i) {
        void* a = active->pdata[i];
        const int state = Fn<int (*)(void*)>(ActiveGetState)(a);
        const char* id = Fn<const char* (*)(void*)>(ActiveGetId)(a);
        if (id && (state == kActivating || state == kActivated) &&
            IsDialUp(Fn<const char* (*)(void*)>(ActiveGetType)(a)))
            connections.push_back({win::Utf8ToCp1252(id)});
    }
    return kRasSuccess;
}

int RasHangUp(const RasConnection& connection) {
    void* client = nullptr;
    if (int rc = Client(client)) return rc;
    if (!Have({ClientGetActiveConnections, ActiveGetId, ActiveGetType, ClientDeactivate}))
        return kRasProcNotFound;
    const auto* active = Fn<const GPtrArray* (*)(void*)>(ClientGetActiveConnections)(client);
    const std::string utf8 = win::Cp1252ToUtf8(connection.entryName);
    for (unsigned i = 0; active && i < active->len; ++i) {
        void* a = active->pdata[i];
        const char* id = Fn<const char* (*)(void*)>(ActiveGetId)(a);
        if (!id || utf8 != id || !IsDialUp(Fn<const char* (*)(void*)>(ActiveGetType)(a))) continue;
        GError* error = nullptr;
        const int ok =
            Fn<int (*)(void*, void*, void*, GError**)>(ClientDeactivate)(client, a, nullptr, &error);
        NoteError(error);
        return ok ? kRasSuccess : kRasUnknownError;
    }
    return kRasInvalidHandle;
}

}  // namespace tessaro
