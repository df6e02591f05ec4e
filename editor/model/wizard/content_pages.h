#pragma once
// The wizard's content pages (what the macro does: text, symbols, programs, windows,
// files, devices): their choices by object name, the lists they load and how their
// controls follow earlier answers. Text is Windows-1252 as the answers hold it.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/model/commands/text_forms.h"
#include "editor/model/wizard/wizard_answers.h"

namespace tessaro::wizard {

// One radio button or check box of a page: object name and caption.
struct PageChoice {
    std::string_view name;
    std::string_view caption;
};

// The choice groups, in page order.
inline constexpr std::array<PageChoice, 3> kP5Choices{{
    {"P5Connect", "C&onnect to a Network Drive"},
    {"P5Disconnect", "&Disconnect from a Network Drive"},
    {"P5Toggle", "&Toggle Connecting and Disconnecting to a Network Drive"},
}};
inline constexpr std::array<PageChoice, 4> kP11Choices{{
    {"P11Logoff", "&Logoff"},
    {"P11Reboot", "&Reboot"},
    {"P11Shut", "&Shut Down"},
    {"P11PowerOff", "Shut Down and &Power Off"},
}};
inline constexpr std::array<PageChoice, 3> kP13Choices{{
    {"P13Text", "&Text"},
    {"P13File", "Text From A &File"},
    {"P13Graphic", "A &Graphic Image "},
}};
inline constexpr std::array<PageChoice, 3> kP17Choices{{
    {"P17Date", "&Date"},
    {"P17Time", "&Time"},
    {"P17Both", "D&ate and Time"},
}};
inline constexpr std::array<PageChoice, 5> kP20Choices{{
    {"P20Today", "&Today's date"},
    {"P20Tom", "T&ommorrow's date"},
    {"P20Yest", "&Yesterday's date"},
    {"P20Future", "In the &Future"},
    {"P20Past", "In the &past"},
}};
inline constexpr std::array<PageChoice, 2> kP21Choices{{
    {"P21Web", "&Launch a Web Site"},
    {"P21FTP", "&Initiate a Web download (via FTP)"},
}};
inline constexpr std::array<PageChoice, 4> kP23Choices{{
    {"P23Tiled", "&Tiled"},
    {"P23Stretch", "&Stretched"},
    {"P23Centered", "C&entered"},
    {"P23Positioned", "&Positioned where you want"},
}};
inline constexpr std::array<PageChoice, 3> kP24Choices{{
    {"P24Immed", "&Play it immediately and remain in video player"},
    {"P24Exit", "P&lay it immediately and exit video player"},
    {"P24Wait", "&Wait to play it"},
}};
inline constexpr std::array<PageChoice, 2> kP25Choices{{
    {"P25Folder", "Enter the name of the folder"},
    {"P25Special", "Select a special folder"},
}};
inline constexpr std::array<PageChoice, 3> kP26Choices{{
    {"P26Beep", "B&eep"},
    {"P26Wave", "&Wave File"},
    {"P26NoSound", "N&o Sound"},
}};
inline constexpr std::array<PageChoice, 2> kP27Choices{{
    {"P27Dial", "&Dial a phone book entry"},
    {"P27Hang", "&Hang up"},
}};
inline constexpr std::array<PageChoice, 5> kP30Choices{{
    {"P30LaunchOnly", "&Launch a Program"},
    {"P30OpenDoc", "&Open a Document"},
    {"P30Act", "&Activate a Program (Window)"},
    {"P30ActLaunch", "Ac&tivate a Program If Is Running; Otherwise, Launch It"},
    {"P30LaunchAct", "L&aunch a Program and Activate It"},
}};
inline constexpr std::array<PageChoice, 2> kP31Choices{{{"P31Yes", "&Yes"}, {"P31No", "&No"}}};
inline constexpr std::array<PageChoice, 2> kP32Choices{{
    {"P32ProgPath", "&Enter the path and name of the program"},
    {"P32Installed", "&Choose from the installed programs"},
}};
inline constexpr std::array<PageChoice, 4> kP35Choices{{
    {"P35RepTop", "&Reposition the current top most window"},
    {"P35RepChoice", "R&eposition a window of your choice"},
    {"P35SizeTop", "Re&size the current top most window"},
    {"P35SizeChoice", "Resi&ze a window of your choice"},
}};
inline constexpr std::array<PageChoice, 4> kP38Choices{{
    {"P38Max", "&Maximize a Window"},
    {"P38Min", "M&inimize a Window"},
    {"P38Restore", "&Restore a Window"},
    {"P38Close", "Cl&ose a Window"},
}};
inline constexpr std::array<PageChoice, 2> kP39Choices{{
    {"P39Top", "&The Current Top Most Window"},
    {"P39Choice", "&A Window of Your Choice"},
}};
inline constexpr std::array<PageChoice, 3> kP41Choices{{
    {"P41On", "&Turn the screen saver on"},
    {"P41Off", "&Set the screen saver off"},
    {"P41Idle", "S&et the idle time for the screen saver"},
}};
inline constexpr std::array<PageChoice, 8> kP42Choices{{
    {"P42Play", "&Play CD"},
    {"P42Stop", "&Stop CD"},
    {"P42Pause", "P&ause CD"},
    {"P42Next", "Go To &Next Track on CD"},
    {"P42Prev", "Go To P&revious Track on CD"},
    {"P42GoTo", "&Go To Track"},
    {"P42Eject", "&Eject CD"},
    {"P42Close", "Close CD &Tray"},
}};
inline constexpr std::array<PageChoice, 3> kP43Choices{{
    {"P43Play", "Play a sound"},
    {"P43Audio", "Adjust Audio Sound Controls"},
    {"P43MIDI", "Adjust MIDI Sound Controls"},
}};
// Pages 44 and 45 are the volume dialog's choices with the page prefix ("P44AudioOff").
inline constexpr std::array<std::string_view, 12> kP44Volume{
    "AudioOff",   "AudioOn",     "AudioUp",  "AudioDown",  "AudioMute", "AudioLeft",
    "AudioRight", "AudioCenter", "TrebleUp", "TrebleDown", "BassUp",    "BassDown"};
inline constexpr std::array<std::string_view, 8> kP45Volume{
    "MIDIOff", "MIDIOn", "MIDIUp", "MIDIDown", "MIDIMute", "MIDILeft", "MIDIRight", "MIDICenter"};
inline constexpr std::array<PageChoice, 7> kP47Choices{{
    {"P47Cascade", "&Cascade all windows"},
    {"P47Vertical", "Tile all windows &vertically"},
    {"P47Horizontal", "Tile all windows &horizontally"},
    {"P47Minimize", "&Minimize all windows"},
    {"P47Restore", "&Restore all windows"},
    {"P47Undock", "&Undock the computer"},
    {"P47Suspend", "&Suspend the computer"},
}};
inline constexpr std::array<PageChoice, 5> kP48Choices{{
    {"P48ChangeDir", "Ch&ange The Current Folder"},
    {"P48CreateFolder", "Cr&eate A New Folder"},
    {"P48CopyFile", "Cop&y A File"},
    {"P48RenameFile", "&Rename A File"},
    {"P48DeleteFile", "&Delete A File"},
}};
// Check boxes of page 29.
inline constexpr std::array<PageChoice, 4> kP29Boxes{{
    {"P29MakePerm", "&Make Connection Permanent (Map Drive on Windows Bootup)"},
    {"P29DispStatus", "D&isplay Connection Status"},
    {"P29ForceDisc", "&Force Disconnection Even if Drive in Use"},
    {"P29UseDefault", "&Use Default Logon Name and Password"},
}};

// The names of a choice table, for Answers::Choose and Answers::Chosen.
template <std::size_t N>
std::vector<std::string_view> NamesOf(const std::array<PageChoice, N>& table) {
    std::vector<std::string_view> names;
    for (const PageChoice& c : table) names.push_back(c.name);
    return names;
}
// The checked entry of a group; empty when none is.
std::string_view CheckedOf(const Answers& answers, const std::vector<std::string_view>& names);

// ---- Memos of pages 14, 12 and 26 ----------------------------------------------------

inline constexpr std::array<std::string_view, 3> kMemos{"P14MyMemo", "P12MyMemo", "P26MyMemo"};
inline constexpr std::size_t kMaxMemoText = 5000;
inline constexpr const char* kMemoTooLong = "Text exceeds maximum length.  Text not added.";

// The length the memo has once stored: each line break counts as CR LF.
std::size_t StoredMemoLength(std::string_view text);

// The memo after `insert` went in at the caret, with the caret right behind it; nothing
// when the stored text would pass 5,000 characters (the memo then stays as it is).
struct MemoInsertion {
    std::string text;
    std::size_t caret = 0;
};
std::optional<MemoInsertion> InsertIntoMemo(std::string_view memo, std::size_t caret,
                                            std::string_view insert);

// The keystrokes page 14 offers: display name and the token it inserts.
struct Keystroke {
    std::string_view name;
    std::string_view token;
};
extern const std::array<Keystroke, 26> kKeystrokes;
inline constexpr const char* kNoKeystroke = "No keystroke selected.";

// ---- Symbol grid of page 4: the symbol dialog's 16 columns of 8 rows from code 128 ----

inline constexpr int kDefaultSymbolIndex = 75;
int SymbolIndexOf(int column, int row);  // 8 * column + row
struct GridCell {
    int column, row;
};
GridCell CellOfSymbolIndex(int index);
unsigned char SymbolOfIndex(int index);  // 128 + index
// The symbol index the grid's answer stands for: the grid reports its current cell as
// index = row * 16 + column; no cell counts as the preset cell.
int SymbolIndexOfAnswer(const Answers& answers);

// ---- Lists ----------------------------------------------------------------------------

// Page 6: free drive letters; the second is preselected when there are two or more.
struct DriveList {
    std::vector<std::string> items;
    int index = -1;
};
DriveList LoadDriveList();

// Page 25: the special folders, in the order of their tokens.
extern const std::array<std::string_view, 14> kSpecialFolders;

// Pages 18 and 19: the date/time command's formats with an example each.
struct FormatItem {
    std::string format, example;
};
std::vector<FormatItem> FormatItems(bool isTime);

// Page 32: one row per installed program, "name.LNKprogram" as page 8 keeps it, so the
// macro builder takes the program behind the first ".LNK".
std::string InstalledItem(std::string_view name, std::string_view program);
struct InstalledItemParts {
    std::string name, program;
};
InstalledItemParts SplitInstalledItem(std::string_view item);

// ---- Controls that follow earlier answers ---------------------------------------------

// Page 6 and page 29 after the page-5 choice.
struct NetPagesLayout {
    bool networkPath;           // page 6's path, its label and Browse
    std::string driveLabel;     // "Connect Local Drive" / "Disconnect Local Drive"
    bool logonPanel, forceBox;  // page 29
    std::string permCaption, heading29;
};
NetPagesLayout NetPagesLayoutOf(const Answers& answers);

// Page 12 after the page-13 choice.
struct PastePageLayout {
    std::string heading;
    bool memo;  // memo, its label and Symbols; otherwise path and Browse
};
PastePageLayout PastePageLayoutOf(const Answers& answers);

// Page 20: the days field shows for a future or past date, labelled accordingly.
struct DaysLayout {
    bool shown;
    std::string label;
};
DaysLayout DaysLayoutOf(const Answers& answers);

// Page 22 after the page-21 choice.
struct UrlPageLayout {
    std::string heading, prefix, example;
};
UrlPageLayout UrlPageLayoutOf(const Answers& answers);

// Page 36 after the page-35 choice.
struct SizePageLayout {
    std::string heading, first, second;
};
SizePageLayout SizePageLayoutOf(const Answers& answers);

std::string ActionHeading39(const Answers& answers);
std::string TitleHeading40(const Answers& answers);

// Page 49 after the page-48 choice.
struct FilePageLayout {
    std::string pathLabel, newNameLabel;
    bool newName;
    bool folder;  // Browse picks a folder
};
FilePageLayout FilePageLayoutOf(const Answers& answers);

// ---- Files chosen or named on the pages ------------------------------------------------

// What a page's Browse offers: title and filter ("Text (*.TXT)|*.TXT").
struct BrowseFilter {
    std::string_view title, filter;
};
// Page 12 by the page-13 choice; nothing with "&Text".
std::optional<BrowseFilter> PasteBrowseFilter(const Answers& answers);
inline constexpr BrowseFilter kBitmapBrowse{"Bitmap Files", "Bitmap (*.BMP)|*.BMP"};
inline constexpr BrowseFilter kAviBrowse{"Video Clip Files", "Video Clips (*.AVI)|*.AVI"};
inline constexpr BrowseFilter kExeBrowse{"Program Files", "Program Files (*.EXE)|*.EXE|All Files (*)|*"};
inline constexpr BrowseFilter kDocumentBrowse{
    "Document Files",
    "All Files (*.*)|*|Documents (*.DOC;*.TXT;*.PDF;*.ODT;*.XLS;*.ODS)|*.DOC;*.TXT;*.PDF;*.ODT;*.XLS;*.ODS"};
inline constexpr BrowseFilter kWaveBrowse{"Select Wave File", "Wave Files (*.WAV)|*.WAV"};
inline constexpr BrowseFilter kAllBrowse{"All Files", "All Files (*.*)|*"};
inline constexpr const char* kFolderTitle = "Please choose a folder";

// A chosen or typed path longer than the 255 characters a command holds is refused
// rather than cut (a cut path names another file).
inline constexpr std::size_t kMaxPath = 255;
inline constexpr const char* kPathTooLong =
    "The path is longer than 255 characters.  Please choose a shorter one.";
bool PathFits(std::string_view path);

// Page 46's Play: the file to play (typed path, trimmed), or the message that refuses it.
struct WaveToPlay {
    std::string file;
    std::string error;  // empty when it may play
};
inline constexpr const char* kNoWaveToPlay = "Specified WAV File does not exist.  Please correct.";
WaveToPlay WaveOfPage46(std::string_view typed);

// Page 28's Retrieve with nothing selected.
inline constexpr const char* kNoPhoneEntry = "No phone book entry has been selected.";

}  // namespace tessaro::wizard
