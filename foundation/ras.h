#pragma once
// The dial-up service, bound at run time so that both programs start and run where it is
// missing. On this desktop it is the network manager's client library: its dial-up style
// connections (mobile broadband, PPPoE, VPN) are the phone-book entries. Every caller tests
// RasAvailable() first; each operation also checks the entry points it needs and answers
// kRasProcNotFound when the library lacks one.
#include <string>
#include <vector>

class QWidget;

namespace tessaro {

inline constexpr char kRasLibraryName[] = "libnm.so.0";
inline constexpr char kRasMissingText[] =
    "Dial-Up Connections cannot be performed on this computer. The necessary Windows files "
    "have not been installed.  Missing RASAPI32.DLL";

// Results of the operations: 0 or an error number of the dial-up service.
inline constexpr int kRasSuccess = 0;
inline constexpr int kRasInvalidHandle = 6;         // no such active connection
inline constexpr int kRasProcNotFound = 127;        // the library lacks an entry point
inline constexpr int kRasEntryNotFound = 623;       // no phone-book entry of that name
inline constexpr int kRasUnknownError = 635;        // the service refused, for its own reason
inline constexpr int kRasNotConnected = 668;        // the connection dropped while dialling
inline constexpr int kRasServiceUnavailable = 711;  // library present, service not running

// Loads the library (at program start); false when it is not there. `library` is for tests.
bool RasLoadLibrary(const std::string& library = kRasLibraryName);
// Frees it again (at program end).
void RasFreeLibrary();
bool RasAvailable();

// Each program holds one for its whole run: the service is bound at start (a missing
// library is no error) and freed at the end.
class RasBinding {
public:
    RasBinding() { RasLoadLibrary(); }
    ~RasBinding() { RasFreeLibrary(); }
    RasBinding(const RasBinding&) = delete;
    RasBinding& operator=(const RasBinding&) = delete;
};

// "Warning" box telling that dial-up cannot be done here.
void RasMissingWarning(QWidget* owner);

struct RasDialParams {
    std::string entryName;  // Windows-1252, as the phone-book entry is named
    std::string userName;
    std::string password;
    bool passwordStored = false;
};

struct RasConnection {
    std::string entryName;
};

// Names of the phone-book entries.
int RasEnumEntries(std::vector<std::string>& entries);
// Fills the user name of `params.entryName`, and its password where the service (or the
// agent that keeps it) hands one out; `passwordStored` says whether one came.
int RasGetEntryDialParams(RasDialParams& params);
// Connects the entry and waits until it is up, failed, or `timeoutSeconds` passed (pumping
// events meanwhile). Without a user name and password the entry's stored credentials are
// used; with them, a copy of the entry that carries them, which the service forgets when
// it disconnects (the stored entry never changes).
int RasDial(const RasDialParams& params, int timeoutSeconds = 120);
// The dial-up connections that are up or coming up, in the service's order.
int RasEnumConnections(std::vector<RasConnection>& connections);
int RasHangUp(const RasConnection& connection);

// The service's own text for the last failure, for diagnostics.
std::string RasLastErrorText();

}  // namespace tessaro
