#pragma once
// What a person sees of the wizard on one page: no caption cut, no control outside its
// window, and the page's heading in bold like every other page's.
#include <QLabel>
#include <string>
#include <string_view>
#include <vector>

#include "editor/wizard/t_quick_wiz.h"
#include "tests/support/visible_form.h"

namespace tessaro::testing {

// Each page's heading: the label of that object name, or else the label with that text.
struct PageHeading {
    int page;
    std::string_view label;
};

inline constexpr PageHeading kPageHeadings[] = {
    {1, "Functions"},
    {2, "Choose a method to activate the macro"},
    {4, "Choose the desired character or symbol"},
    {5, "Would you like to"},
    {6, "P6DriveLabel"},
    {7, "Would you like the macro to"},
    {9, "Would you like to add this macro to a popup menu?"},
    {10, "Macro Nickname"},
    {11, "Would you like to"},
    {12, "P12Heading"},
    {13, "What would you like to paste into your program?"},
    {14, "Enter the text you want typed into your programs."},
    {15, "Choose A Default Printer"},
    {16, "Choose Display Resolution"},
    {17, "What would you like to type into your program?"},
    {18, "Select Date Format"},
    {19, "Select Time Format"},
    {20, "Would you like the date to be"},
    {21, "Would you like to"},
    {22, "P22Heading"},
    {23, "Path and Name of the Bitmap Graphic to use as the wallpaper"},
    {24, "Enter the path and name of the video clip file (AVI file)"},
    {26, "Enter the text for your reminder"},
    {27, "Would you like to"},
    {28, "Choose a phone book entry"},
    {29, "P29Heading"},
    {30, "Would you like to"},
    {31, "Would you like to specify a default folder for the program before launching it?"},
    {32, "Choose the program to launch"},
    {33, "P33Heading"},
    {34, "Enter the path and name of the document to open"},
    {35, "Would you like to"},
    {36, "P36Heading"},
    {38, "Would you like to"},
    {39, "P39Heading"},
    {40, "P40Heading"},
    {41, "What would you like to do?"},
    {42, "What would you like to do?"},
    {43, "What would you like to do?"},
    {44, "Would you like to"},
    {45, "Would you like to"},
    {46, "Enter the name of the sound file (WAV)"},
    {47, "Would you like to"},
    {48, "Would you like to"},
    {50, "Click on each of the macros you want in the menu"},
    {51, "What would you like the popup menu to show?"},
    {52, "Would you like to be able to activate this menu from the system tray?"},
    {53, "What type of macro command would you like?"},
    {54, "Choose a macro command"},
    {55, "Choose a macro command"},
    {56, "Choose a macro command"},
    {57, "Choose a macro command"},
    {58, "Macro Command"},
    {59, "Do you wish to capture keystrokes?"},
    {60, "Do you wish to capture the mouse movements and clicks?"},
    {61, "Do you wish the macro to play back"},
    {63, "Click the Finish Button to start capturing your macro."},
    {64, "Available Macros"},
    {65, "Welcome to Tessaro!"},
    {66, "Snipra Settings"},
    {67, "Macro Capture Options"},
    {68, "Networking"},
    {69, "Check off those items for which you would like to create a macro"},
    {70, "Before we begin, here is a partial list of some of the things you can do with Tessaro..."},
    {72, "INSTRUCTIONS"},
    {73, "How to use this macro"},
    {74, "Default E-Mail Settings"},
    {75, "Would you like to"},
    {76, "\"TO\" Recipients"},
    {77, "E-Mail Attachments"},
    {78, "E-Mail Connection To The Internet"},
    {81, "\"CC\" Recipients (Carbon Copy)"},
    {82, "\"Blind CC\" Recipients (Blind Carbon Copy)"},
    {83, "E-Mail Body (Message Text)"},
};

// The faults of the wizard as shown on `page`, one line each; empty when there are none.
inline std::vector<std::string> PageFaults(const TQuickWiz& form, int page) {
    std::vector<std::string> faults = VisibleFaults(form);
    const QWidget* panel = form.Panel(page);
    for (const PageHeading& h : kPageHeadings) {
        if (h.page != page) continue;
        const QString want = QString::fromUtf8(h.label.data(), static_cast<qsizetype>(h.label.size()));
        const QLabel* heading = nullptr;
        for (const QLabel* l : panel->findChildren<QLabel*>())
            if (l->isVisibleTo(panel) && (l->objectName() == want || l->text() == want)) heading = l;
        if (!heading)
            faults.push_back("page " + std::to_string(page) + " shows no heading \"" + std::string(h.label) +
                             "\"");
        else if (!heading->font().bold())
            faults.push_back("page " + std::to_string(page) + ": heading \"" + heading->text().toStdString() +
                             "\" is not bold");
    }
    return faults;
}

}  // namespace tessaro::testing
