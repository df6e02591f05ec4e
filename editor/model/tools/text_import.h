#pragma once
// Importing a text file of items ("<ITEM NAME>" + keys, a name line, body lines) as
// global macros: keys that name a hot key make a hot-key macro, other keys an
// abbreviation. Lines end in CR LF or LF. Memory stays bounded whatever the line lengths.
#include <istream>
#include <string>

#include "macro/macro_record.h"

namespace tessaro {

// Where imported macros go: the open macro file, its mirrors and the player.
class MacroAppender {
public:
    virtual ~MacroAppender() = default;
    virtual int MacroCount() const = 0;
    // Appends the record; the count rises only once it is written. False when it failed;
    // the failure was reported to the user with its cause.
    virtual bool AppendMacro(TMacroRecord& rec) = 0;
};

struct TextItem {
    std::string Keys;
    std::string Name;
    std::string Body;
    bool BodyTooLong = false;  // more than 5,000 characters were read
};

// The record one item becomes, with the "Error" messages the user is shown for it, in
// order (keys too long, invalid characters, body too long).
struct TextItemMacro {
    TMacroRecord Record{};
    std::vector<std::string> Messages;
};
TextItemMacro MacroFromTextItem(const TextItem& item, double now);

inline constexpr const char* kTextImportNotice =
    "The import of a text file requires the text file to be in a specific format. Improper format will cause "
    "unpredictable results.  See the help file for proper format.  Click OK if you wish to continue.";

// Follows each message about an item; Cancel in its box ends the import.
inline constexpr const char* kTextImportStopHint =
    "\n\nClick Cancel to stop the import here; the macros imported so far are kept.";

struct TextImportResult {
    int Imported = 0;
    bool WrongFormat = false;  // the first line is not an item head; nothing imported
    bool Stopped = false;      // the user ended the import at a message about an item
};

// Reads the items one by one and appends each, showing the messages in boxes (OK goes on,
// Cancel ends the import before the item the box is about). Stops at 500 macros with the
// maximum message, and at a failed append.
TextImportResult ImportTextItems(std::istream& in, MacroAppender& target, double now);

}  // namespace tessaro
