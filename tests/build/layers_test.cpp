// Dependencies point down only: a file includes headers of its own layer or of lower ones,
// other folders see the hook library only through its public header, nothing below the
// user-interface folders links Qt Widgets, only the x11/ folders speak to the X server, and
// only the programs' main files link the X server's platform.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

constexpr int kUiLayer = 6;

// Folder -> layer; a file belongs to the longest folder that holds it.
const std::map<std::string, int> kLayers = {
    {"platform", 0},
    {"foundation", 1},
    {"protocol", 2},
    {"hook", 3},
    {"hook/client", 3},
    {"macro", 4},
    {"mail", 4},
    {"player/engine", 5},
    {"player/commands", 5},
    {"player/schedule", 5},
    {"player/abbrev", 5},
    {"player/capture", 5},
    {"editor/model", 5},
    {"editor/script", 5},
    {"player/ui", kUiLayer},
    {"widgets", kUiLayer},
    {"mail/ui", kUiLayer},
    {"editor/explorer", kUiLayer},
    {"editor/commands", kUiLayer},
    {"editor/wizard", kUiLayer},
    {"editor/script/ui", kUiLayer},
    {"apps", 7},
    {"bench", 7},
    {"tests/support", 7},
    {"tests/e2e", 7},
    {"tests/build", 7},
    {"tests/readers", 7},
};

// The layer of a path relative to the top of the tree; tests take the layer of the folder
// they mirror.
std::optional<int> LayerOf(const std::string& path) {
    std::optional<int> layer;
    std::size_t best = 0;
    const auto consider = [&](const std::string& p) {
        for (const auto& [folder, rank] : kLayers)
            if (p.size() > folder.size() && p.compare(0, folder.size(), folder) == 0 &&
                p[folder.size()] == '/' && folder.size() >= best) {
                best = folder.size();
                layer = rank;
            }
    };
    consider(path);
    if (!layer && path.rfind("tests/", 0) == 0) consider(path.substr(6));
    return layer;
}

// One line each, indented, for a failure message.
std::string Listed(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) text += "  " + l + "\n";
    return text;
}

std::string FolderOf(const std::string& path) { return fs::path(path).parent_path().string(); }

bool IsSource(const fs::path& p) {
    const std::string ext = p.extension().string();
    return ext == ".h" || ext == ".cpp";
}

std::vector<std::string> SourceFiles(const fs::path& top) {
    std::vector<std::string> files;
    for (auto it = fs::recursive_directory_iterator(top); it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = it->path().filename().string();
        if (it->is_directory() && (name.front() == '.' || name == "build" || name.rfind("build-", 0) == 0 ||
                                   fs::exists(it->path() / "CMakeCache.txt"))) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file() && IsSource(it->path()))
            files.push_back(fs::relative(it->path(), top).generic_string());
    }
    return files;
}

std::vector<std::string> QuotedIncludes(const fs::path& file) {
    static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::ifstream in(file);
    std::vector<std::string> found;
    std::smatch m;
    for (std::string line; std::getline(in, line);)
        if (std::regex_search(line, m, include)) found.push_back(m[1]);
    return found;
}

// The X headers a file includes: Xlib, its extensions and XCB, and the platform's own X11
// headers (which bring Xlib with them). The keysym tables are plain numbers, no X call.
std::vector<std::string> X11Includes(const fs::path& file) {
    static const std::regex include(
        R"re(^\s*#\s*include\s*[<"]((X11|xcb)/[^">]+|platform/x11/[^">]+)[">])re");
    static const std::regex keysyms(R"re(^X11/(keysym|keysymdef|XF86keysym)\.h$)re");
    std::ifstream in(file);
    std::vector<std::string> found;
    std::smatch m;
    for (std::string line; std::getline(in, line);)
        if (std::regex_search(line, m, include) && !std::regex_match(m[1].str(), keysyms))
            found.push_back(m[1]);
    return found;
}

// Sources of the product, outside every x11/ folder, that include an X header. Tests, the
// benchmarks and the programs' test helpers drive a real X server and may.
std::vector<std::string> X11IncludesOutsideX11Folders(const fs::path& top) {
    std::vector<std::string> faults;
    for (const std::string& file : SourceFiles(top)) {
        if (file.rfind("tests/", 0) == 0 || file.rfind("bench/", 0) == 0) continue;
        if (file.find("/x11/") != std::string::npos || file.rfind("x11/", 0) == 0) continue;
        // The programs' main files build the X11 platform, and only that.
        const bool main = file.rfind("apps/", 0) == 0;
        for (const std::string& header : X11Includes(top / file))
            if (!(main && header == "platform/x11/x11_platform.h"))
                faults.push_back(file + " includes " + header);
    }
    return faults;
}

TEST(Layers, NoIncludePointsUp) {
    const fs::path top = TESSARO_SOURCE_DIR;
    std::vector<std::string> faults;
    std::set<std::string> unplaced;
    for (const std::string& file : SourceFiles(top)) {
        const auto layer = LayerOf(file);
        if (!layer) {
            unplaced.insert(FolderOf(file));
            continue;
        }
        const bool isTest = file.rfind("tests/", 0) == 0;
        for (std::string target : QuotedIncludes(top / file)) {
            // A bare name is a neighbour in the same folder.
            if (!fs::exists(top / target) && fs::exists(top / FolderOf(file) / target))
                target = FolderOf(file) + "/" + target;
            const auto targetLayer = LayerOf(target);
            // Not ours (a generated file), or the tests' shared toolbox.
            if (!targetLayer || target.rfind("tests/support/", 0) == 0) continue;
            if (*targetLayer > *layer)
                faults.push_back(file + " (layer " + std::to_string(*layer) + ") includes " + target +
                                 " (layer " + std::to_string(*targetLayer) + ")");
            // The library's insides are its own; its users see the public header (and the
            // client code built over it).
            const bool insideHook = file.rfind("hook/", 0) == 0 && file.rfind("hook/client/", 0) != 0;
            const bool hookInternal = target.rfind("hook/", 0) == 0 && target != "hook/qtmhook.h" &&
                                      target.rfind("hook/client/", 0) != 0;
            if (!isTest && !insideHook && hookInternal)
                faults.push_back(file + " includes " + target + ", not the hook library's public header");
        }
    }
    EXPECT_TRUE(faults.empty()) << "Includes that point up:\n" << Listed(faults);
    EXPECT_TRUE(unplaced.empty()) << "Folders with no layer (add them to the table):\n"
                                  << Listed({unplaced.begin(), unplaced.end()});
}

TEST(Layers, OnlyTheX11FoldersIncludeXHeaders) {
    const std::vector<std::string> faults = X11IncludesOutsideX11Folders(TESSARO_SOURCE_DIR);
    EXPECT_TRUE(faults.empty()) << "X headers outside the x11/ folders:\n" << Listed(faults);
}

// The rule itself, on a small tree: what it must find and what it must let be.
TEST(Layers, TheX11RuleFindsXHeadersAndOnlyThose) {
    const fs::path top = fs::temp_directory_path() / ("layers-x11-" + std::to_string(::getpid()));
    fs::remove_all(top);
    const auto write = [&](const std::string& file, const std::string& text) {
        fs::create_directories((top / file).parent_path());
        std::ofstream(top / file) << text;
    };
    write("player/ui/grab.cpp", "#include <X11/Xlib.h>\n");
    write("platform/desktop.cpp", "#include \"platform/x11/display.h\"\n");
    write("widgets/frame.cpp", "  #  include <xcb/xcb.h>\n");
    write("platform/keys.cpp", "#include <X11/keysym.h>\n#include <X11/XF86keysym.h>\n");
    write("platform/x11/display.cpp", "#include <X11/Xlib.h>\n");
    write("hook/x11/source.cpp", "#include <X11/extensions/XInput2.h>\n");
    write("apps/tesrun/main.cpp", "#include \"platform/x11/x11_platform.h\"\n");
    write("apps/tesdesk/main.cpp", "#include \"platform/x11/display.h\"\n");
    write("tests/platform/xtest_test.cpp", "#include <X11/extensions/XTest.h>\n");
    write("bench/typing_bench.cpp", "#include <X11/Xutil.h>\n");
    std::vector<std::string> found = X11IncludesOutsideX11Folders(top);
    std::sort(found.begin(), found.end());
    fs::remove_all(top);
    EXPECT_EQ(found, (std::vector<std::string>{"apps/tesdesk/main.cpp includes platform/x11/display.h",
                                               "platform/desktop.cpp includes platform/x11/display.h",
                                               "player/ui/grab.cpp includes X11/Xlib.h",
                                               "widgets/frame.cpp includes xcb/xcb.h"}));
}

struct GraphNode {
    bool built = false;
    std::string folder;
    std::vector<std::string> deps;
    // A shared object keeps what it links to itself, but for these.
    bool shared = false;
    std::vector<std::string> interfaceDeps;
};

std::vector<std::string> CommaList(const std::string& text) {
    std::vector<std::string> items;
    std::istringstream list(text);
    for (std::string d; std::getline(list, d, ',');)
        if (!d.empty()) items.push_back(d);
    return items;
}

std::map<std::string, GraphNode> ReadLinkGraph(const std::string& path) {
    std::map<std::string, GraphNode> graph;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string name, kind, folder, deps, type, interfaceDeps;
        std::getline(fields, name, '\t');
        std::getline(fields, kind, '\t');
        std::getline(fields, folder, '\t');
        std::getline(fields, deps, '\t');
        std::getline(fields, type, '\t');
        std::getline(fields, interfaceDeps, '\t');
        GraphNode& node = graph[name];
        node.built = kind == "built";
        node.folder = folder;
        node.deps = CommaList(deps);
        node.shared = type == "SHARED_LIBRARY" || type == "MODULE_LIBRARY";
        node.interfaceDeps = CommaList(interfaceDeps);
    }
    return graph;
}

// The chain of targets from `from` to `to` that the linker of `from` sees, empty when `to`
// is out of reach. Past a shared object only what it hands its users is followed.
std::vector<std::string> PathTo(const std::map<std::string, GraphNode>& graph, const std::string& from,
                                const std::string& to) {
    std::map<std::string, std::string> cameFrom{{from, ""}};
    std::vector<std::string> queue{from};
    for (std::size_t i = 0; i < queue.size(); ++i) {
        if (queue[i] == to) {
            std::vector<std::string> chain;
            for (std::string at = to; !at.empty(); at = cameFrom[at]) chain.insert(chain.begin(), at);
            return chain;
        }
        const auto node = graph.find(queue[i]);
        if (node == graph.end()) continue;
        const bool inside = i == 0 || !node->second.shared;
        for (const auto& d : inside ? node->second.deps : node->second.interfaceDeps)
            if (cameFrom.emplace(d, queue[i]).second) queue.push_back(d);
    }
    return {};
}

// Every built target of the matching folders that reaches one of `targets`, with the chain
// of links to the first it reaches.
std::vector<std::string> Reaching(const std::map<std::string, GraphNode>& graph,
                                  const std::vector<std::string>& targets,
                                  const std::function<bool(const std::string& folder)>& inScope) {
    std::vector<std::string> found;
    for (const auto& [name, node] : graph) {
        if (!node.built || !inScope(node.folder)) continue;
        for (const std::string& to : targets)
            if (const auto chain = PathTo(graph, name, to); !chain.empty()) {
                std::string text = node.folder + ":";
                for (const auto& step : chain) text += " -> " + step;
                found.push_back(text);
                break;
            }
    }
    return found;
}

// Test programs may show a widget as the window they type into; the code under test may not.
TEST(Layers, OnlyUserInterfaceFoldersLinkQtWidgets) {
    const auto graph = ReadLinkGraph(TESSARO_LINK_GRAPH);
    ASSERT_TRUE(graph.count("Qt6::Widgets")) << "the link graph of the build names no Qt Widgets";
    const auto faults = Reaching(graph, {"Qt6::Widgets"}, [](const std::string& folder) {
        const auto layer = LayerOf(folder + "/");
        return folder.rfind("tests/", 0) != 0 && layer && *layer < kUiLayer;
    });
    EXPECT_TRUE(faults.empty()) << "Targets below the user-interface folders that link Qt Widgets:\n"
                                << Listed(faults);
}

// Targets of the product below the programs that link the X server's platform, with the
// chain of links. Only the programs' main files build it. The hook library is a shared
// object with its own copy of the platform (it picks hook/x11 or hook/sim itself), and what
// links the hook library does not link the X11 platform through it.
std::vector<std::string> X11PlatformLinksBelowThePrograms(const std::map<std::string, GraphNode>& graph) {
    return Reaching(graph, {"platform_x11"}, [](const std::string& folder) {
        const bool product = folder.rfind("tests", 0) != 0 && folder.rfind("bench", 0) != 0;
        const bool x11 = folder.find("x11") != std::string::npos;
        return product && !x11 && folder.rfind("apps/", 0) != 0 && folder != "hook";
    });
}

TEST(Layers, OnlyTheProgramsLinkTheX11Platform) {
    const auto graph = ReadLinkGraph(TESSARO_LINK_GRAPH);
    ASSERT_FALSE(PathTo(graph, "tesrun", "platform_x11").empty()) << "the link graph names no X11 platform";
    const auto faults = X11PlatformLinksBelowThePrograms(graph);
    EXPECT_TRUE(faults.empty()) << "Targets below the programs' main files that link the X11 platform:\n"
                                << Listed(faults);
}

// The rule itself, on a small graph: what it must find and what it must let be.
TEST(Layers, TheX11PlatformRuleFindsLinksBelowThePrograms) {
    const auto node = [](std::string folder, std::vector<std::string> deps, bool shared = false) {
        return GraphNode{true, std::move(folder), std::move(deps), shared, {}};
    };
    const std::map<std::string, GraphNode> graph = {
        {"platform", node("platform", {})},
        {"platform_x11", node("platform/x11", {"platform"})},
        {"foundation", node("foundation", {"platform", "platform_x11"})},
        {"protocol", node("protocol", {"foundation"})},
        {"qtmhook", node("hook", {"platform", "platform_x11"}, true)},
        {"hook_client", node("hook/client", {"qtmhook"})},
        {"player_engine", node("player/engine", {"hook_client", "protocol"})},
        {"widgets", node("widgets", {"platform"})},
        {"widgets_x11", node("widgets/x11", {"platform_x11"})},
        {"editor_model", node("editor/model", {"widgets", "hook_client"})},
        {"tesrun", node("apps/tesrun", {"player_engine", "platform_x11"})},
        {"player_tests", node("tests/player", {"player_engine", "platform_x11"})},
        {"typing_bench", node("bench", {"platform_x11"})},
    };
    std::vector<std::string> found = X11PlatformLinksBelowThePrograms(graph);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{
                         "foundation: -> foundation -> platform_x11",
                         "player/engine: -> player_engine -> protocol -> foundation -> platform_x11",
                         "protocol: -> protocol -> foundation -> platform_x11",
                     }));
}

// What both programs read and write, and the script parser, are tested without the desktop.
TEST(Layers, MacroAndParserTestsLinkNeitherTheHookLibraryNorQtWidgets) {
    const auto graph = ReadLinkGraph(TESSARO_LINK_GRAPH);
    const auto pureLogicTests = [](const std::string& folder) {
        const bool script =
            folder.rfind("tests/editor/script", 0) == 0 && folder.rfind("tests/editor/script/ui", 0) != 0;
        return folder.rfind("tests/macro", 0) == 0 || script;
    };
    ASSERT_FALSE(Reaching(graph, {"GTest::gtest"}, pureLogicTests).empty()) << "no such tests were found";
    std::vector<std::string> faults = Reaching(graph, {"Qt6::Widgets"}, pureLogicTests);
    for (const auto& f : Reaching(graph, {"qtmhook"}, pureLogicTests)) faults.push_back(f);
    EXPECT_TRUE(faults.empty()) << Listed(faults);
}

}  // namespace
}  // namespace tessaro
