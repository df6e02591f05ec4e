#include "foundation/drive_table.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

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
    std::ifstream in(path, std::ios::binary);
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
    const std::string aside = path + ".new";
    {
        std::ofstream out(aside, std::ios::binary | std::ios::trunc);
        for (const MappedDrive& d : drives) {
            if (!Clean(d.remote) || !Clean(d.uri) || !Clean(d.location)) continue;
            out << d.letter << ":\t" << d.remote << '\t' << d.uri << '\t' << d.location << '\n';
        }
        out.flush();
        if (!out) {
            std::remove(aside.c_str());
            return false;
        }
    }
    return std::rename(aside.c_str(), path.c_str()) == 0;
}

}  // namespace tessaro
