#pragma once
// Moving macros between files: the export of chosen macros into a new macro file, and the
// import of macro files, Lindrel macro files and Snipra abbreviation files into the open
// one. Popup-menu macros carry macro numbers, so both renumber their item lists to the
// places the items take in the file they go to.
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_record.h"

namespace tessaro {

inline constexpr int kMaxImportRows = 500;
inline constexpr std::size_t kLindrelRecordSize = 5141;
inline constexpr std::size_t kSnipraRecordSize = 3039;

// The activation shown in the export and import lists: "None", "Window Title", "Timed
// Macro", the abbreviation, or the hot key's name.
std::string ActivationCaption(std::uint16_t activationCode, std::string_view abbreviation);
// The scope column: "GLOBAL", "POPUP MENU", else the first 20 characters of the scope text.
std::string ScopeCaption(std::uint16_t scope, std::string_view scopeText);

// Export: the popup-menu item list of `rec` pointed at the items' places among the exported
// macros (`exported`: macro numbers in export order); items not exported are dropped. The
// bytes after the kept items stay as they were.
void RenumberForExport(TMacroRecord& rec, const std::vector<int>& exported);

// A file that must never be written over by an export or a listing: the open macro file
// and its companions. The message for the user, empty when `target` is another file.
std::string RefuseOpenMacroFile(const std::string& target, const std::string& macroFile);

// Writes the macros `numbers` of the open file, in that order and with their menus
// renumbered, to `target` through a temporary sibling. The message for the user on
// failure ("Unable to create export file." and the cause), empty on success.
std::string ExportMacros(const std::string& macroFile, const std::vector<int>& numbers,
                         const std::string& target);

enum class ImportKind { Unknown = 0, Macro = 1, Lindrel = 2, Snipra = 3 };

// The kind by the last four characters of the name, upper-cased.
ImportKind ImportKindOf(std::string_view fileName);

// One listed record of an import source.
struct ImportEntry {
    std::string Name;
    std::uint16_t ActivationCode = 0;
    std::uint16_t Scope = 0;
    std::string ScopeText;  // first 20 characters
    std::string Abbreviation;
    int SourceRecord = 0;  // 0-based record number in the source file
    std::string Bytes;     // the whole source record
};

struct ImportSource {
    ImportKind Kind = ImportKind::Unknown;
    std::vector<ImportEntry> Entries;  // at most kMaxImportRows
    std::string Error;                 // set when the file was refused; then no entries
};

// Reads a whole source once. Records of the open format with scope 5, and Lindrel ones
// with scope 5, are not listed; past 500 listed records the rest is ignored. A file that
// is not whole records, or a record whose length bytes, activation, scope or popup count
// cannot be right, refuses the whole file with a message naming the record.
ImportSource ReadImportSource(ImportKind kind, std::istream& in);

// The warnings for selected rows whose global or popup-menu hot key an existing macro
// already uses (one per such macro); those rows are deselected.
std::vector<std::string> ImportHotKeyConflicts(const std::vector<ImportEntry>& entries,
                                               std::vector<bool>& selected,
                                               const std::vector<std::uint16_t>& existingCodes);

// The capacity warning when the selected rows do not all fit; empty when they do.
std::string ImportCapacityWarning(int macroCount, int selectedCount);

inline constexpr const char* kImportNothingFlagged =
    "No macros are flagged for import.  Click on the macros you wish to import.";
inline constexpr const char* kImportContinueQuestion =
    "One or macro were flagged to be excluded from the import.  Continue import anyway?";

struct ImportedMacro {
    TMacroRecord Record{};
    bool ShowsInTray = false;  // a popup menu that asks for its tray icon
    std::string Warning;       // text cut to fit the macro text field
};

// The record to append for `entry`. `selectedSources` are the source record numbers of
// the selected rows in list order; `base` is the open file's macro count before the import.
ImportedMacro ConvertForImport(ImportKind kind, const ImportEntry& entry,
                               const std::vector<int>& selectedSources, int base, double now);

// Lindrel's launch shorthand rewritten into the commands the player knows.
std::string ConvertLindrelText(std::string_view text, bool clipboardFlag);

}  // namespace tessaro
