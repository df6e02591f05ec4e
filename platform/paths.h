#pragma once
#include <sys/types.h>
// Where the system keeps its files, and the namespace of its shared objects.
#include <optional>
#include <string>
#include <string_view>

namespace win {

// The "Windows directory": where the settings file lies. $TESSARO_WINDIR, else
// $XDG_CONFIG_HOME/tessaro (~/.config/tessaro). Created when missing.
std::string WindowsDirectory();

// The program directory: macro file, icons, capture files, mail files. $TESSARO_HOME,
// else $XDG_DATA_HOME/tessaro (~/.local/share/tessaro). Created when missing.
std::string ProgramDirectory();

// True when path (Windows-1252) names a directory that can be entered. Never changes the
// current directory.
bool DirectoryExists(std::string_view path);

// Per-user folder for locks and state files: $XDG_RUNTIME_DIR, else $TMPDIR (or /tmp) +
// "/tessaro-<uid>", created with mode 0700. Another user could plant things there, so it
// is used only when it is a real folder of this user that nobody else may write; nullopt
// otherwise, with the reason (for the user) in *problem. When it just cannot be made,
// nullopt leaves *problem empty (errno set).
std::optional<std::string> RuntimeDirectory(std::string* problem = nullptr);

// Prefix that keeps the named objects of one desktop session apart from every other:
// $TESSARO_NS when set (tests), else "u<uid>-d<display number>".
std::string SessionNamespace();

// Name of a named object inside this session's namespace, safe as a file name.
std::string NamespacedName(const std::string& name);

// The folder holding the running executable (tesdesk and the hook library lie beside tesrun).
std::string ExecutableDirectory();

// Joins a folder and a file name with one "/".
std::string JoinPath(const std::string& dir, const std::string& name);

// Creates the folder and its parents (new ones with `mode`); true when it exists afterwards.
bool EnsureDirectory(const std::string& dir, mode_t mode = 0755);

}  // namespace win
