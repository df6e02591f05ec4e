#pragma once
// The dynamic symbols a shared object defines: what a program that loads it can bind to.
#include <optional>
#include <set>
#include <string>

namespace tessaro::testing {

// nullopt when the file is no 64-bit little-endian ELF object with a dynamic symbol table.
std::optional<std::set<std::string>> DefinedDynamicSymbols(const std::string& path);

}  // namespace tessaro::testing
