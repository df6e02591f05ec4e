#include "editor/model/wizard/wizard_functions.h"

#include <array>
#include <vector>

namespace tessaro::wizard {
namespace {

struct Row {
    const char* title;
    const char* logoWord;
    int logoSize;
    const char* description;
    std::vector<int> pages;
    std::vector<const char*> examples;
};

const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
        {"Type Text and Keystrokes",
         "Type Text",
         14,
         "Have Text, Keystrokes and Symbols typed into your programs automatically.",
         {1, 14, 2, 3, 7, 8, 37, 9, 10},
         {"»Insert commonly used phrases into your Word Processor, E-Mail and other programs such as",
          "     Name, Address, Phone", "     Headers && Footers", "     E-Mail Taglines",
          "»Insert common keystrokes such as tabs or ALT commands to invoke menu options."}},
        {"Paste Text or Graphic",
         "Paste",
         20,
         "Have Text or Graphic images pasted into your programs automatically.",
         {1, 13, 12, 2, 3, 7, 8, 37, 9, 10},
         {"»Insert commonly used phrases, paragraphs or boilerplate into your  Word Processor, E-Mail and "
          "other programs such as",
          "     Answers to frequently asked questions", "     Sales quotes",
          "     Legal, Medical, Real Estate, etc documents", "»Insert graphic images into your documents."}},
        {"Type Symbol",
         "Symbols",
         18,
         "Place an international character or a symbol in your programs.",
         {1, 4, 2, 3, 7, 8, 37, 9, 10},
         {"»Insert Western European Language characters including â è ö î ú Ö Ë Æ ß ñ and more",
          "»Insert Western European Language punctuation such as ¡ ¿",
          "»Insert Math Symbols such as ÷ × ‰ ± ¼ ½ ¾", "»Insert Currency Symbols such as ¢ £ ¥ $",
          "»Insert Legal Symbols such as ® © ™"}},
        {"Launch or Activate",
         "Launch",
         18,
         "Launch a program or a document.  Or switch to a program that is already running.",
         {1, 30, 31, 32, 33, 34, 2, 3, 7, 8, 37, 9, 10},
         {"»Switch to your E-Mail program if it is running; otherwise, launch and run it.",
          "»Open a Word Document", "»Open a spreadsheet document", "»Launch your database program"}},
        {"Go To A Web Site",
         "WEB",
         20,
         "Go to a web site or initiate an ftp download.",
         {1, 21, 22, 2, 3, 7, 8, 37, 9, 10},
         {"»Go to your favorite web site.", "»Download the latest version of a software program"}},
        {"Type Date or Time",
         "Date Or Time",
         13,
         "Type the current, future or past date or time into your programs.",
         {1, 17, 18, 20, 19, 2, 3, 7, 8, 37, 9, 10},
         {"»Time stamp your documents with today's date and time.", "»Date and time stamp your E-Mail",
          "»Place yesterday or tomorrow's date in your document"}},
        {"Capture A Macro",
         "Capture",
         18,
         "Capture all mouse clicks, movements and key presses into a macro.",
         {1, 59, 60, 61, 3, 10, 62, 63},
         {"»Capture a repetitive set of commands", "»Capture pressing buttons on forms",
          "»Capture a drawing in a paint program"}},
        {"Network Connections",
         "Network",
         18,
         "Connect, Disconnect or Toggle Network drives.",
         {1, 5, 6, 29, 2, 3, 7, 8, 37, 9, 10},
         {"»Access the network server or another computer", "»Make network connections temporary",
          "»Bypass Network Neighborhood"}},
        {"Reboot Or Logoff",
         "Reboot",
         18,
         "Logoff, Reboot or Shut Down your computer.",
         {1, 11, 2, 3, 7, 8, 37, 9, 10},
         {"»Bypass explorer, task manager, etc.", "»Shut down and power off with a single command"}},
        {"Create A Reminder",
         "Reminder",
         14,
         "Create a reminder to be displayed at a specific time.",
         {1, 26, 3, 10},
         {"»Remind yourself of an appointment or meeting.", "»Remind yourself of birthdays or anniversaries",
          "»Remind yourself of a chore", "»Remind yourself of an upcoming event"}},
        {"File Management",
         "Files",
         20,
         "Copy, Delete, Rename Files.  Change current folder.",
         {1, 48, 49, 2, 3, 7, 8, 37, 9, 10},
         {"»Backup files", "»Delete temporary files", "»Change folder prior to using an open dialog box"}},
        {"Dialup Networking",
         "Dial-Up",
         18,
         "Connect and Disconnect to the Internet and other computers using Dial-Up Networking.",
         {1, 27, 28, 2, 3, 7, 8, 37, 9, 10},
         {"»Quick one keystroke access to dialing up the Internet and hanging up the phone"}},
        {"Set Display Resolution",
         "Display",
         18,
         "Change the display resolution.",
         {1, 16, 2, 3, 7, 8, 37, 9, 10},
         {"»Maintain screen resolution preferences among multiple users",
          "»Develop presentations or html that is optimized for all screen resolutions",
          "»View graphics in high color resolutions", "»Maintain multiple settings for laptop and desktop"}},
        {"Set Default Printer",
         "Printer",
         18,
         "Choose a Default Printer.",
         {1, 15, 2, 3, 7, 8, 37, 9, 10},
         {"»Switch between color and non color printers",
          "»Maintain printer preferences among multiple users", "»Quickly fax documents"}},
        {"CD-Rom Functions",
         "Audio CD",
         16,
         "Play an Audio CD-Rom.",
         {1, 42, 2, 3, 7, 8, 37, 9, 10},
         {"»Play your favorite music CDs", "»Pause your CD to answer the phone",
          "»Repeat a favorite song (go to previous, next or specific track)", "»Open and close CD Tray"}},
        {"Play A Video Clip",
         "Video Clip",
         14,
         "Play a Video Clip.",
         {1, 24, 2, 3, 7, 8, 37, 9, 10},
         {"»Display and watch a favorite video clip"}},
        {"Sounds and Volume",
         "Sound",
         18,
         "Play a sound or set audio volume, treble and bass controls.",
         {1, 43, 44, 45, 46, 2, 3, 7, 8, 37, 9, 10},
         {"»Play an audio clip to alert you of an event",
          "»Adjust volume down or up depending on music being played", "»Mute the volume when on the phone",
          "»Adjust treble and bass volume depending on music being played"}},
        {"Enter On-Line Sweepstakes",
         "Sweepstakes",
         13,
         "Enter sweepstakes on the Internet.",
         {1, 71, 72, 2, 3, 7, 8, 37, 9, 10, 73},
         {"»Automatically fill out a sweepstakes form on the Internet", "»Potentially win free prizes"}},
        {"Change Desktop Wallpaper",
         "Wallpaper",
         14,
         "Change the desktop wallpaper.",
         {1, 23, 2, 3, 7, 8, 37, 9, 10},
         {"»Place your favorite images on the desktop", "»Place a family picture on the desktop",
          "»Tile the image (multiple copies spread over the desktop)",
          "»Stretch, Center or Position the image on the desktop"}},
        {"Change Window Size Or Position",
         "Window Size",
         13,
         "Resize or Position a Window.",
         {1, 35, 33, 36, 2, 3, 7, 8, 37, 9, 10},
         {"»Automatically position windows where you want them",
          "»Resize windows to allow perfect alignment of Windows",
          "»Position the topmost window in the center, top corner or where ever you want."}},
        {"Maximize, Minimize, Restore Windows",
         "Maximize",
         14,
         "Maximize, Minimize, Restore, Hide, Close Windows.",
         {1, 38, 39, 40, 2, 3, 7, 8, 37, 9, 10},
         {"»Maximize or Minimize the topmost Window with a keystroke",
          "»Temporarily hide windows and then restore (unhide) them when needed",
          "»Shut down the topmost program with a keystroke."}},
        {"Open Explorer Folder",
         "Explorer",
         16,
         "Open up an Explorer Folder.",
         {1, 25, 2, 3, 7, 8, 37, 9, 10},
         {"»Go directly to a specified folder in Explorer", "    Clean up your cookie folder",
          "    Clean up your temp folder", "    Rearrange your start menu folders"}},
        {"Desktop Goodies",
         "Desktop",
         16,
         "Cascade, Tile, Minimize or Restore All Windows. Undock and suspend computer.",
         {1, 47, 2, 3, 7, 8, 37, 9, 10},
         {"»Quickly unclutter your desktop", "»Align all windows on your desktop with a keystroke",
          "»Undock your computer from a docking station by pressing a key"}},
        {"Screen Saver Options",
         "Screen Saver",
         13,
         "Set Screen Saver Settings.",
         {1, 41, 2, 3, 7, 8, 37, 9, 10},
         {"»Deactivate (set to \"none\") your screen saver with a keystroke",
          "»Change the screen saver activation time", "»Turn on your screen saver instantly"}},
        {"Create Popup Menu",
         "Menu",
         20,
         "Build a popup menu of macros.",
         {1, 50, 51, 52, 3, 10},
         {"»Group all your common macros into one menu",
          "»Activate the menu with a hot key, Snipra or system tray icon",
          "»Display menu as a set of icons, macro names, or first part of macro contents"}},
        {"Build Macros From Other Macros",
         "Build",
         18,
         "Build a macro from other macros.",
         {1, 64, 2, 3, 7, 8, 37, 9, 10},
         {"»Combine macros together to perform lengthy operations"}},
        {"Create a Single Macro Command",
         "Single",
         18,
         "Build a macro consisting of a single macro command.  All available macro commands are accessible "
         "through this option.",
         {1, 53, 54, 55, 56, 57, 58, 2, 3, 7, 8, 37, 9, 10},
         {"»Build macro parts (building blocks) that can be incorporated into multiple macros"}},
        {"Set Up The Program For The First Time",
         "First Use",
         16,
         "First time use of the program",
         {65, 70, 66, 67, 74, 68, 69},
         {"»Configure program settings to your liking", "»Set up some initial macros"}},
        {"Send E-Mail",
         "E-Mail",
         20,
         "Send E-Mail and Attachments to one or more recipients.",
         {1, 78, 28, 75, 76, 81, 82, 83, 77, 2, 3, 7, 8, 37, 9, 10},
         {"»Send a set of instructions to a user.  Prompt for user.",
          "»Send a message to a specific set of friends or associates.  Prompt for message.",
          "»Send favorite pictures or other attachments.", "»Send data captured in the clipboard."}},
    };
    return rows;
}

std::array<FunctionInfo, kFunctionCount> MakeInfos() {
    std::array<FunctionInfo, kFunctionCount> infos{};
    for (int i = 0; i < kFunctionCount; ++i) {
        const Row& r = Rows()[static_cast<size_t>(i)];
        infos[static_cast<size_t>(i)] = {r.title, r.logoWord, r.logoSize, r.description, r.pages, r.examples};
    }
    return infos;
}

}  // namespace

const FunctionInfo* Function(int function) {
    static const std::array<FunctionInfo, kFunctionCount> infos = MakeInfos();
    if (function < 1 || function > kFunctionCount) return nullptr;
    return &infos[static_cast<size_t>(function - 1)];
}

std::string Caption(int function) {
    const FunctionInfo* f = Function(function);
    return f ? std::string("Quick Wizard: ") + f->title : std::string("Quick Wizard");
}

std::string ExamplesText(int function) {
    std::string text;
    if (const FunctionInfo* f = Function(function)) {
        for (const char* line : f->examples) {
            if (!text.empty()) text += "\n\r";
            text += line;
        }
    }
    return text;
}

}  // namespace tessaro::wizard
