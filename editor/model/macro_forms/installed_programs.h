#pragma once
// The installed programs the scope dialog and the wizard offer: the applications of the
// desktop's menu, read from the XDG desktop entries once per run of the editor.
#include <string>
#include <vector>

namespace tessaro {

struct InstalledProgram {
    std::string name;     // the entry's Name in the user's language (UTF-8)
    std::string program;  // the base name of the executable it runs
    bool operator==(const InstalledProgram&) const = default;
};

// Where to look; FromEnvironment() reads XDG_DATA_HOME, XDG_DATA_DIRS, PATH and the locale.
struct XdgPlaces {
    std::string dataHome;               // its "applications" folder is read first
    std::vector<std::string> dataDirs;  // then each of theirs, in order
    std::vector<std::string> path;      // folders searched for executables
    std::string locale;                 // e.g. "de_DE.UTF-8@euro"; empty: untranslated names
    static XdgPlaces FromEnvironment();
};

// Scans the desktop entries: visible applications (Type=Application, not Hidden or
// NoDisplay, TryExec found) whose Exec runs an executable found on the path; a user's
// entry hides a system entry of the same ID. Unreadable, binary or oversized entries and
// folder loops are skipped. Rows are unique (ignoring case) and sorted by name.
std::vector<InstalledProgram> ScanInstalledPrograms(const XdgPlaces& places);

// The program an Exec line runs: its first word, unquoted, after an "env" prefix with its
// variable settings; empty when there is none.
std::string ExecProgram(const std::string& exec);

// The list kept for the whole run: scanned on the first call, never again.
class InstalledPrograms {
public:
    explicit InstalledPrograms(XdgPlaces places) : places_(std::move(places)) {}
    const std::vector<InstalledProgram>& Get();
    bool Loaded() const { return loaded_; }

private:
    XdgPlaces places_;
    std::vector<InstalledProgram> programs_;
    bool loaded_ = false;
};

}  // namespace tessaro
