#pragma once
// What both programs open outside themselves, found in one place: beside the programs
// (the folder of the running executable), so that one install serves the player and the
// editor. Each command says in one box when its part is missing.
#include <string>

namespace tessaro {

inline constexpr const char* kMouseLocatorProgram = "ptrfind";
inline constexpr const char* kMouseLocatorParameters = "QJX";
inline constexpr const char* kHomePageFile = "README.md";

// `programsDir` is the folder of the programs (win::ExecutableDirectory()); paths UTF-8.
std::string MouseLocatorPath(const std::string& programsDir);
// The home page: the README installed beside the programs, as a file address.
std::string HomePagePath(const std::string& programsDir);
std::string HomePageAddress(const std::string& programsDir);

// Start the locator with its parameters / open the home page with the desktop's opener.
// A missing or failing part gets one box "Error" naming it; true when it started.
bool StartMouseLocator(const std::string& programsDir);
bool OpenHomePage(const std::string& programsDir);

}  // namespace tessaro
