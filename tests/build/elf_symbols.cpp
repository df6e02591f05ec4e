#include "tests/build/elf_symbols.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace tessaro::testing {
namespace {

template <typename T>
bool ReadAt(const std::vector<char>& bytes, std::size_t offset, T& out) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return false;
    std::memcpy(&out, bytes.data() + offset, sizeof(T));
    return true;
}

}  // namespace

std::optional<std::set<std::string>> DefinedDynamicSymbols(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Elf64_Ehdr header;
    if (!ReadAt(bytes, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
        return std::nullopt;
    std::vector<Elf64_Shdr> sections(header.e_shnum);
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (!ReadAt(bytes, header.e_shoff + i * sizeof(Elf64_Shdr), sections[i])) return std::nullopt;
    for (const Elf64_Shdr& table : sections) {
        if (table.sh_type != SHT_DYNSYM || table.sh_link >= sections.size()) continue;
        const Elf64_Shdr& names = sections[table.sh_link];
        std::set<std::string> found;
        for (std::size_t off = sizeof(Elf64_Sym); off + sizeof(Elf64_Sym) <= table.sh_size;
             off += sizeof(Elf64_Sym)) {
            Elf64_Sym sym;
            if (!ReadAt(bytes, table.sh_offset + off, sym)) return std::nullopt;
            const unsigned bind = ELF64_ST_BIND(sym.st_info);
            if (sym.st_shndx == SHN_UNDEF || (bind != STB_GLOBAL && bind != STB_WEAK)) continue;
            const std::size_t at = names.sh_offset + sym.st_name;
            if (at >= bytes.size()) return std::nullopt;
            found.insert(std::string(bytes.data() + at, strnlen(bytes.data() + at, bytes.size() - at)));
        }
        return found;
    }
    return std::nullopt;
}

}  // namespace tessaro::testing
