#pragma once
// A temporary tree of 1,000 application entries (every tenth hidden from menus) over 50
// programs, for the benchmarks of the installed-program scan.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "editor/model/macro_forms/installed_programs.h"

namespace tessaro::bench {

namespace fs = std::filesystem;

struct DesktopEntryTree {
    fs::path root;
    tessaro::XdgPlaces places;
    DesktopEntryTree() {
        root = fs::temp_directory_path() / ("tessaro-xdg-bench-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "bin");
        for (int p = 0; p < 50; ++p) {
            const fs::path exe = root / "bin" / ("prog" + std::to_string(p));
            std::ofstream(exe) << "#!/bin/sh\n";
            fs::permissions(exe, fs::perms::owner_all);
        }
        for (int i = 0; i < 1000; ++i) {
            const fs::path dir =
                root / (i % 2 ? "sys" : "home") / "applications" / ("group" + std::to_string(i % 7));
            fs::create_directories(dir);
            std::ofstream(dir / ("app" + std::to_string(i) + ".desktop"))
                << "[Desktop Entry]\nVersion=1.0\nType=Application\nName=Application " << i
                << "\nName[de]=Anwendung " << i << "\nComment=A program used by the benchmark\n"
                << "Exec=env LANG=C prog" << i % 50 << " %U\nIcon=app\nCategories=Utility;\n"
                << (i % 10 == 0 ? "NoDisplay=true\n" : "") << "\n[Desktop Action new]\nName=New\nExec=x\n";
        }
        places.dataHome = (root / "home").string();
        places.dataDirs = {(root / "sys").string()};
        places.path = {"/nonexistent", (root / "bin").string()};
        places.locale = "de_DE.UTF-8";
    }
    ~DesktopEntryTree() { fs::remove_all(root); }
};

}  // namespace tessaro::bench
