#include "foundation/drive_table.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "platform/file_io.h"
#include "platform/paths.h"

namespace tessaro {

namespace {

// A field may hold anything but the separators.
bool Clean(const std::string& field) { return field.find_first_of("\t\r\n") == std::string::npos; }

}  // namespace

std::optional<std::string> DriveTablePath() {
    const std::optional<std::string> dir = win::RuntimeDirectory();
    if (!dir) return std::nullopt;
    return win::JoinPath(*dir, win::NamespacedName("mapped-drives"));
}

std::vector<MappedDrive> ReadDriveTable(const std::string& path) {
    std::vector<MappedDrive> drives;
    // A state file of the runtime folder: only one that is this user's own is read.
    std::istringstream in(win::ReadPrivateFile(path).value_or(""));
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        if (fields.size() != 4 || fields[0].size() != 2 || fields[0][1] != ':') continue;
        const char letter = fields[0][0];
        if (letter < 'A' || letter > 'Z' || fields[1].empty()) continue;
        if (std::any_of(drives.begin(), drives.end(),
                        [&](const MappedDrive& d) { return d.letter == letter; }))
            continue;
        drives.push_back({letter, fields[1], fields[2], fields[3]});
    }
    std::sort(drives.begin(), drives.end(),
              [](const MappedDrive& a, const MappedDrive& b) { return a.letter < b.letter; });
    return drives;
}

bool WriteDriveTable(const std::string& path, const std::vector<MappedDrive>& drives) {
    if (drives.empty()) {
        std::remove(path.c_str());
        return true;
    }
    std::string text;
    for (const MappedDrive& d : drives) {
        if (!Clean(d.remote) || !Clean(d.uri) || !Clean(d.location)) continue;
        text += std::string(1, d.letter) + ":\t" + d.remote + '\t' + d.uri + '\t' + d.location + '\n';
    }
    return win::WritePrivateFile(path, text);
}

}  // namespace tessaro
