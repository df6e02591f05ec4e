#include "editor/model/macro_forms/installed_programs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

class XdgScan : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("mf_xdg_" + std::to_string(::getpid()));
        fs::remove_all(root);
        for (const char* d : {"home/applications", "sys1/applications", "sys2/applications", "bin"})
            fs::create_directories(root / d);
        for (const char* exe : {"editor", "viewer", "player", "shell"}) Exe(exe);
        places.dataHome = (root / "home").string();
        places.dataDirs = {(root / "sys1").string(), (root / "sys2").string()};
        places.path = {(root / "bin").string()};
    }
    void TearDown() override { fs::remove_all(root); }
    void Exe(const std::string& name) {
        const fs::path p = root / "bin" / name;
        std::ofstream(p) << "#!/bin/sh\n";
        fs::permissions(p, fs::perms::owner_all);
    }
    void Entry(const std::string& where, const std::string& body) {
        const fs::path p = root / where;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << body;
    }
    static std::string App(const std::string& name, const std::string& exec, const std::string& extra = "") {
        return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + exec + "\n" + extra;
    }
    fs::path root;
    XdgPlaces places;
};

TEST_F(XdgScan, VisibleApplicationsWithTheirPrograms) {
    Entry("sys1/applications/editor.desktop", App("Text Editor", "editor %F"));
    Entry("sys1/applications/hidden.desktop", App("Hidden", "viewer", "Hidden=true\n"));
    Entry("sys1/applications/nodisplay.desktop", App("NoDisplay", "viewer", "NoDisplay=true\n"));
    Entry("sys1/applications/link.desktop", "[Desktop Entry]\nType=Link\nName=Site\nURL=http://x\n");
    Entry("sys1/applications/missing.desktop", App("Gone", "notinstalled"));
    Entry("sys1/applications/tryexec.desktop", App("Try", "viewer", "TryExec=notthere\n"));
    Entry("sys1/applications/quoted.desktop",
          App("Quoted", "\"" + (root / "bin/viewer").string() + "\" --x"));
    Entry("sys1/applications/env.desktop", App("Env", "env LANG=C FOO=1 player --y %u"));
    Entry("sys1/applications/notes.txt", App("Not an entry", "viewer"));
    Entry("sys1/applications/other-group.desktop", "[Other]\nType=Application\nName=X\nExec=shell\n");
    const std::vector<InstalledProgram> rows = ScanInstalledPrograms(places);
    const std::vector<InstalledProgram> expected = {
        {"Env", "player"}, {"Quoted", "viewer"}, {"Text Editor", "editor"}};
    EXPECT_EQ(rows, expected);
}

TEST_F(XdgScan, UserEntriesShadowSystemOnesAndRowsAreUnique) {
    Entry("sys1/applications/editor.desktop", App("System Editor", "editor"));
    Entry("home/applications/editor.desktop", App("My Editor", "editor"));
    Entry("sys2/applications/sub/viewer.desktop", App("Viewer", "viewer"));
    Entry("sys1/applications/sub-viewer.desktop",
          App("Viewer First", "viewer"));  // same ID "sub-viewer.desktop"
    Entry("sys1/applications/a.desktop", App("Shell", "shell"));
    Entry("sys2/applications/b.desktop", App("shell", "shell"));  // same row ignoring case
    const std::vector<InstalledProgram> rows = ScanInstalledPrograms(places);
    const std::vector<InstalledProgram> expected = {
        {"My Editor", "editor"}, {"Shell", "shell"}, {"Viewer First", "viewer"}};
    EXPECT_EQ(rows, expected);
}

TEST_F(XdgScan, LocalisedNames) {
    Entry("sys1/applications/e.desktop",
          App("Editor", "editor", "Name[de]=Bearbeiter\nName[de_AT]=Editor AT\nName[fr]=Editeur\n"));
    places.locale = "de_AT.UTF-8";
    EXPECT_EQ(ScanInstalledPrograms(places).at(0).name, "Editor AT");
    places.locale = "de_DE.UTF-8@euro";
    EXPECT_EQ(ScanInstalledPrograms(places).at(0).name, "Bearbeiter");
    places.locale = "C";
    EXPECT_EQ(ScanInstalledPrograms(places).at(0).name, "Editor");
}

TEST_F(XdgScan, BrokenBinaryHugeEntriesAndLoopsAreSkipped) {
    Entry("sys1/applications/ok.desktop", App("Fine", "editor"));
    std::string binary = App("Binary", "viewer");
    binary.insert(20, 1, '\0');
    Entry("sys1/applications/bin.desktop", binary);
    Entry("sys1/applications/huge.desktop", App("Huge", "viewer", std::string(400000, '#')));
    Entry("sys1/applications/garbage.desktop",
          "\x7f"
          "ELF\x01\x02");
    Entry("sys1/applications/noexec.desktop", "[Desktop Entry]\nType=Application\nName=NoExec\n");
    fs::create_directory_symlink(root / "sys1/applications", root / "sys1/applications/loop");
    fs::create_directory_symlink(root / "sys2", root / "sys2/applications/up");
    fs::create_symlink(root / "sys1/applications/dangling-target",
                       root / "sys1/applications/dangling.desktop");
    ASSERT_EQ(::mkfifo((root / "sys1/applications/fifo.desktop").c_str(), 0600), 0);
    const std::vector<InstalledProgram> rows = ScanInstalledPrograms(places);
    const std::vector<InstalledProgram> expected = {{"Fine", "editor"}};
    EXPECT_EQ(rows, expected);
}

TEST_F(XdgScan, ScannedOncePerRun) {
    Entry("sys1/applications/ok.desktop", App("Fine", "editor"));
    InstalledPrograms list(places);
    EXPECT_FALSE(list.Loaded());
    EXPECT_EQ(list.Get().size(), 1u);
    Entry("sys1/applications/new.desktop", App("New", "viewer"));
    EXPECT_EQ(list.Get().size(), 1u) << "the second picker shows the first scan";
    EXPECT_TRUE(list.Loaded());
}

TEST(ExecProgram, FirstWordUnquotedWithoutEnvOrFieldCodes) {
    EXPECT_EQ(ExecProgram("gedit %U"), "gedit");
    EXPECT_EQ(ExecProgram("\"/opt/My App/run\" --flag"), "/opt/My App/run");
    EXPECT_EQ(ExecProgram("env A=1 B=\"x y\" tool -v"), "tool");
    EXPECT_EQ(ExecProgram("/usr/bin/env -u X A=1 tool"), "tool");
    EXPECT_EQ(ExecProgram("\"a\\\"b\""), "a\"b");
    EXPECT_EQ(ExecProgram(""), "");
    EXPECT_EQ(ExecProgram("env"), "");
}

}  // namespace
}  // namespace tessaro
