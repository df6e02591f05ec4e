#include "editor/model/macro_forms/installed_programs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <unordered_map>

namespace tessaro {

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kMaxEntryBytes = 256 * 1024;  // larger files are no desktop entries
constexpr int kMaxDepth = 32;

std::vector<std::string> SplitColons(const char* value) {
    std::vector<std::string> out;
    if (!value) return out;
    std::stringstream s(value);
    for (std::string part; std::getline(s, part, ':');)
        if (!part.empty()) out.push_back(part);
    return out;
}

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// Finds commands on the path, remembering each answer for the scan.
class PathLookup {
public:
    explicit PathLookup(const std::vector<std::string>& path) : path_(path) {}
    bool Found(const std::string& command) {
        if (command.empty()) return false;
        if (command.find('/') != std::string::npos) return IsExecutableFile(command);
        auto [it, fresh] = cache_.try_emplace(command, false);
        if (fresh)
            for (const std::string& dir : path_)
                if (IsExecutableFile(dir + "/" + command)) {
                    it->second = true;
                    break;
                }
        return it->second;
    }

private:
    const std::vector<std::string>& path_;
    std::unordered_map<std::string, bool> cache_;
};

// Locale keys from most to least specific: lang_COUNTRY@MODIFIER, lang_COUNTRY,
// lang@MODIFIER, lang.
std::vector<std::string> LocaleKeys(const std::string& locale) {
    std::string l = locale;
    std::string modifier;
    if (auto at = l.find('@'); at != std::string::npos) {
        modifier = l.substr(at);
        l.erase(at);
    }
    if (auto dot = l.find('.'); dot != std::string::npos) l.erase(dot);
    if (l.empty() || l == "C" || l == "POSIX") return {};
    std::string lang = l, country;
    if (auto us = l.find('_'); us != std::string::npos) {
        lang = l.substr(0, us);
        country = l.substr(us);
    }
    std::vector<std::string> keys;
    if (!country.empty() && !modifier.empty()) keys.push_back(lang + country + modifier);
    if (!country.empty()) keys.push_back(lang + country);
    if (!modifier.empty()) keys.push_back(lang + modifier);
    keys.push_back(lang);
    return keys;
}

// The keys of the [Desktop Entry] group; false when the file is no readable entry.
bool ReadDesktopGroup(const fs::path& file, std::map<std::string, std::string>& keys) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec || size > kMaxEntryBytes) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.find('\0') != std::string::npos) return false;
    std::istringstream lines(data);
    bool inGroup = false, seenGroup = false;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inGroup = line == "[Desktop Entry]";
            seenGroup = seenGroup || inGroup;
            if (!inGroup && seenGroup) break;
            continue;
        }
        if (!inGroup) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        while (!key.empty() && key.back() == ' ') key.pop_back();
        while (!value.empty() && value.front() == ' ') value.erase(0, 1);
        keys.emplace(key, value);  // the first of a repeated key counts
    }
    return seenGroup;
}

bool IsTrue(const std::map<std::string, std::string>& keys, const std::string& key) {
    const auto it = keys.find(key);
    return it != keys.end() && it->second == "true";
}

struct Entry {
    std::string id;
    fs::path file;
};

// Every *.desktop file under `root`, depth first, with its desktop-file ID (the path below
// the root with "/" turned into "-"). Folders already seen (symlink loops) are left out.
void CollectEntries(const fs::path& dir, const std::string& prefix, int depth, std::set<fs::path>& seenDirs,
                    std::vector<Entry>& out) {
    std::error_code ec;
    const fs::path real = fs::canonical(dir, ec);
    if (ec || depth > kMaxDepth || !seenDirs.insert(real).second) return;
    std::vector<fs::directory_entry> children;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) children.push_back(*it);
    std::sort(children.begin(), children.end());
    for (const auto& child : children) {
        const std::string name = child.path().filename().string();
        std::error_code sec;
        if (child.is_directory(sec)) {
            CollectEntries(child.path(), prefix + name + "-", depth + 1, seenDirs, out);
        } else if (name.size() > 8 && name.ends_with(".desktop") && child.is_regular_file(sec)) {
            out.push_back({prefix + name, child.path()});
        }
    }
}

}  // namespace

XdgPlaces XdgPlaces::FromEnvironment() {
    XdgPlaces p;
    const char* home = std::getenv("HOME");
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome)
        p.dataHome = dataHome;
    else if (home)
        p.dataHome = std::string(home) + "/.local/share";
    p.dataDirs = SplitColons(std::getenv("XDG_DATA_DIRS"));
    if (p.dataDirs.empty()) p.dataDirs = {"/usr/local/share", "/usr/share"};
    p.path = SplitColons(std::getenv("PATH"));
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(var);
        if (v && *v) {
            p.locale = v;
            break;
        }
    }
    return p;
}

std::string ExecProgram(const std::string& exec) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '\\' && i + 1 < exec.size())
                word += exec[++i];
            else if (c == '"')
                quoted = false;
            else
                word += c;
        } else if (c == '"') {
            quoted = inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    std::size_t i = 0;
    const auto isFieldCode = [](const std::string& w) { return w.size() == 2 && w[0] == '%'; };
    while (i < words.size() && isFieldCode(words[i])) ++i;
    if (i < words.size() && fs::path(words[i]).filename() == "env") {
        ++i;
        while (i < words.size() && (words[i].find('=') != std::string::npos || words[i].starts_with("-") ||
                                    isFieldCode(words[i]))) {
            // These options take the next word as their argument.
            if (words[i] == "-u" || words[i] == "-C") ++i;
            ++i;
        }
    }
    return i < words.size() ? words[i] : std::string();
}

std::vector<InstalledProgram> ScanInstalledPrograms(const XdgPlaces& places) {
    std::vector<std::string> roots;
    if (!places.dataHome.empty()) roots.push_back(places.dataHome + "/applications");
    for (const std::string& d : places.dataDirs) roots.push_back(d + "/applications");

    std::set<std::string> ids;
    std::set<fs::path> seenDirs;
    std::vector<Entry> entries;
    for (const std::string& root : roots) {
        std::vector<Entry> found;
        CollectEntries(root, "", 0, seenDirs, found);
        for (Entry& e : found)
            if (ids.insert(e.id).second) entries.push_back(std::move(e));
    }

    const std::vector<std::string> localeKeys = LocaleKeys(places.locale);
    PathLookup lookup(places.path);
    std::set<std::pair<std::string, std::string>> seenRows;
    std::vector<InstalledProgram> rows;
    for (const Entry& e : entries) {
        std::map<std::string, std::string> keys;
        if (!ReadDesktopGroup(e.file, keys)) continue;
        if (keys["Type"] != "Application" || IsTrue(keys, "Hidden") || IsTrue(keys, "NoDisplay")) continue;
        if (auto t = keys.find("TryExec"); t != keys.end() && !lookup.Found(t->second)) continue;
        const std::string command = ExecProgram(keys["Exec"]);
        if (!lookup.Found(command)) continue;
        std::string name = keys["Name"];
        for (const std::string& k : localeKeys)
            if (auto it = keys.find("Name[" + k + "]"); it != keys.end() && !it->second.empty()) {
                name = it->second;
                break;
            }
        if (name.empty()) continue;
        InstalledProgram row{name, fs::path(command).filename().string()};
        if (seenRows.insert({Lower(row.name), Lower(row.program)}).second) rows.push_back(std::move(row));
    }
    std::sort(rows.begin(), rows.end(), [](const InstalledProgram& a, const InstalledProgram& b) {
        return std::pair(Lower(a.name), a.program) < std::pair(Lower(b.name), b.program);
    });
    return rows;
}

const std::vector<InstalledProgram>& InstalledPrograms::Get() {
    if (!loaded_) {
        programs_ = ScanInstalledPrograms(places_);
        loaded_ = true;
    }
    return programs_;
}

}  // namespace tessaro
