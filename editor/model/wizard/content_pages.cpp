#include "editor/model/wizard/content_pages.h"

#include <algorithm>
#include <cctype>

#include "editor/model/commands/command_form.h"
#include "editor/model/commands/datetime_forms.h"
#include "editor/model/commands/netconn_forms.h"
#include "editor/model/commands/text_forms.h"
#include "foundation/strings.h"

namespace tessaro::wizard {

const std::array<Keystroke, 26> kKeystrokes{{
    {"F1", "<F1>"},
    {"F2", "<F2>"},
    {"F3", "<F3>"},
    {"F4", "<F4>"},
    {"F5", "<F5>"},
    {"F6", "<F6>"},
    {"F7", "<F7>"},
    {"F8", "<F8>"},
    {"F9", "<F9>"},
    {"F10", "<F10>"},
    {"F11", "<F11>"},
    {"F12", "<F12>"},
    {"Insert", "<INSERT>"},
    {"Delete", "<DELETE>"},
    {"Home", "<HOME>"},
    {"End", "<END>"},
    {"Page Up", "<PAGE UP>"},
    {"Page Down", "<PAGE DOWN>"},
    {"Left Arrow", "<LEFT ARROW>"},
    {"Right Arrow", "<RIGHT ARROW>"},
    {"Up Arrow", "<UP ARROW>"},
    {"Down Arrow", "<DOWN ARROW>"},
    {"Backspace", "<BACKSPACE>"},
    {"Tab", "<TAB>"},
    {"Esc", "<ESC>"},
    {"Print Screen", "<PRTSCR>"},
}};

const std::array<std::string_view, 14> kSpecialFolders{
    "Control Panel",  "Desktop",          "Desktop Programs",     "Favorites",
    "Fonts",          "My Computer",      "Network Neighborhood", "Printers",
    "Programs",       "Recent Documents", "Recycle Bin",          "Start Menu",
    "Startup Folder", "User Documents"};

std::string_view CheckedOf(const Answers& answers, const std::vector<std::string_view>& names) {
    for (std::string_view n : names)
        if (answers.Checked(n)) return n;
    return {};
}

// ---- Memos ----

std::size_t StoredMemoLength(std::string_view text) {
    std::size_t length = text.size();
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ++length;
    return length;
}

std::optional<MemoInsertion> InsertIntoMemo(std::string_view memo, std::size_t caret,
                                            std::string_view insert) {
    if (StoredMemoLength(memo) + StoredMemoLength(insert) > kMaxMemoText) return std::nullopt;
    Inserted in = InsertAtCaret(memo, caret, insert);
    return MemoInsertion{std::move(in.text), in.caret};
}

// ---- Symbol grid ----

int SymbolIndexOf(int column, int row) { return kSymbolRows * column + row; }

GridCell CellOfSymbolIndex(int index) { return {index / kSymbolRows, index % kSymbolRows}; }

unsigned char SymbolOfIndex(int index) {
    const GridCell cell = CellOfSymbolIndex(index);
    return SymbolAt(cell.column, cell.row);
}

int SymbolIndexOfAnswer(const Answers& answers) {
    const int index = answers.Index("P4SymbolGrid");
    if (index < 0 || index >= kSymbolColumns * kSymbolRows) return kDefaultSymbolIndex;
    return SymbolIndexOf(index % kSymbolColumns, index / kSymbolColumns);
}

// ---- Lists ----

DriveList LoadDriveList() {
    DriveList list{AvailableDrives(), -1};
    if (list.items.size() >= 2) list.index = 1;
    return list;
}

std::vector<FormatItem> FormatItems(bool isTime) {
    std::vector<FormatItem> items;
    for (int i = 0; i < DateTimeFormatCount(isTime); ++i)
        items.push_back({std::string(DateTimeFormat(isTime, i)), std::string(DateTimeExample(isTime, i))});
    return items;
}

namespace {
constexpr std::string_view kLnk = ".LNK";

std::size_t FindLnk(std::string_view item) {
    for (std::size_t i = 0; i + kLnk.size() <= item.size(); ++i) {
        bool same = true;
        for (std::size_t k = 0; k < kLnk.size() && same; ++k)
            same = std::toupper(static_cast<unsigned char>(item[i + k])) == kLnk[k];
        if (same) return i;
    }
    return std::string_view::npos;
}
}  // namespace

std::string InstalledItem(std::string_view name, std::string_view program) {
    return std::string(name) + std::string(kLnk) + std::string(program);
}

InstalledItemParts SplitInstalledItem(std::string_view item) {
    const std::size_t at = FindLnk(item);
    if (at == std::string_view::npos) return {std::string(item), {}};
    return {std::string(item.substr(0, at)), std::string(item.substr(at + kLnk.size()))};
}

// ---- Layouts ----

NetPagesLayout NetPagesLayoutOf(const Answers& answers) {
    const bool disconnect = answers.Checked("P5Disconnect");
    const NetLayout net = NetLayoutOf(disconnect ? 2 : 1, answers.Checked("P29UseDefault"));
    const std::string word = net.connectLabel;
    return {net.path,      word + " Local Drive", net.logon,
            net.forceDisc, net.makePermCaption,   word + " Options"};
}

PastePageLayout PastePageLayoutOf(const Answers& answers) {
    if (answers.Checked("P13File"))
        return {"Enter the path and name of the text file to be pasted into your program.", false};
    if (answers.Checked("P13Graphic"))
        return {"Enter the path and name of the bitmap file to be pasted into your program.", false};
    return {"Enter the text you want pasted into your program.", true};
}

DaysLayout DaysLayoutOf(const Answers& answers) {
    if (answers.Checked("P20Future")) return {true, "Days in the future"};
    if (answers.Checked("P20Past")) return {true, "Days in the past"};
    return {false, {}};
}

UrlPageLayout UrlPageLayoutOf(const Answers& answers) {
    if (answers.Checked("P21FTP"))
        return {"Enter the URL of the ftp site (without the ftp://)", "ftp://",
                "Example:\n\r  If you wanted to download our Tessaro program,\n\r  you would enter:\n\r"
                "  ftp.tessaro.net/pub/tessaro.zip"};
    return {"Enter the URL of the web site (without the http://)", "http://",
            "Example:\n\r  If you wanted to launch our Tessaro web site,\n\r  you would enter:\n\r"
            "  www.tessaro.net"};
}

SizePageLayout SizePageLayoutOf(const Answers& answers) {
    if (answers.Checked("P35RepTop") || answers.Checked("P35RepChoice"))
        return {"Enter the new screen position", "Top", "Left"};
    return {"Enter the new window size", "Width", "Height"};
}

namespace {
// Page 38's choice as its index 0..3 (maximize, minimize, restore, close).
int WindowAction(const Answers& answers) {
    for (std::size_t i = 0; i < kP38Choices.size(); ++i)
        if (answers.Checked(kP38Choices[i].name)) return static_cast<int>(i);
    return 0;
}
}  // namespace

std::string ActionHeading39(const Answers& answers) {
    constexpr std::array<std::string_view, 4> verbs{"maximize", "minimize", "restore", "close"};
    return "Would you like to " + std::string(verbs[static_cast<std::size_t>(WindowAction(answers))]);
}

std::string TitleHeading40(const Answers& answers) {
    // "restoredd" is the heading as users know it.
    constexpr std::array<std::string_view, 4> done{"maximized", "minimized", "restoredd", "closed"};
    return "Enter the title of the window that should be " +
           std::string(done[static_cast<std::size_t>(WindowAction(answers))]) +
           ".  The \"title\" is what appears in the blue caption bar at the top of a window.  A partial "
           "title may be entered.";
}

FilePageLayout FilePageLayoutOf(const Answers& answers) {
    if (answers.Checked("P48CopyFile"))
        return {"Path and name of file to copy", "Path and name of new file", true, false};
    if (answers.Checked("P48RenameFile"))
        return {"Path and name of file to rename", "New name of file", true, false};
    if (answers.Checked("P48CreateFolder")) return {"Name of folder to create", {}, false, true};
    if (answers.Checked("P48DeleteFile")) return {"Path and name of file to delete", {}, false, false};
    return {"Name of folder to change to", {}, false, true};
}

// ---- Files ----

std::optional<BrowseFilter> PasteBrowseFilter(const Answers& answers) {
    if (answers.Checked("P13File"))
        return BrowseFilter{"Text Files", "Text Files (*TXT)|*.TXT|Any Files (*.*)|*"};
    if (answers.Checked("P13Graphic"))
        return BrowseFilter{"Graphic Files",
                            "Graphic Files (*.BMP, *.JPG, *.WMF)|*.BMP;*.JPG;*.WMF|Bitmap (*.BMP)|*.BMP|"
                            "JPeg (*.JPG)|*.JPG|Windows MetaFile (*.WMF)|*.WMF"};
    return std::nullopt;
}

bool PathFits(std::string_view path) { return path.size() <= kMaxPath; }

WaveToPlay WaveOfPage46(std::string_view typed) {
    std::string file = TrimBlanks(typed);
    if (!PathFits(file)) return {{}, kPathTooLong};
    if (!RegularFileExists(file)) return {{}, kNoWaveToPlay};
    return {std::move(file), {}};
}

}  // namespace tessaro::wizard
