#pragma once
// The roles the explorer's main window is made of, and their wiring: one object per role,
// each given what it works on. Only the window's own files include this.
#include "editor/explorer/categories_panel.h"
#include "editor/explorer/editor_capture.h"
#include "editor/explorer/editor_player_link.h"
#include "editor/explorer/forms_services.h"
#include "editor/explorer/list_appearance.h"
#include "editor/explorer/list_printing.h"
#include "editor/explorer/macro_list_input.h"
#include "editor/explorer/macro_form_dialogs.h"
#include "editor/explorer/network_timers.h"
#include "editor/explorer/option_commands.h"
#include "editor/explorer/quick_wizards.h"
#include "editor/explorer/tool_commands.h"
#include "editor/explorer/tools/help_viewer.h"
#include "editor/explorer/main_win.h"
#include "platform/platform.h"

namespace tessaro {

struct TMainWin::Roles {
    // `explorer` is built after the roles: they keep the reference and use it later.
    Roles(TMainWin& window, win::Platform& platform, TConfigRecord& config, TMainWinCore& core,
          Explorer& explorer)
        : player(platform.messages(), explorer),
          capture(window, core, player.Link(), explorer),
          forms(window, config, core, platform.desktop(), platform.printers(), platform.systemSettings(),
                player.Link(), explorer),
          macroForms(window, config, core, explorer, forms, capture),
          categories(window, config, core, explorer, window),
          appearance(window, config, core, explorer, window, window.widgets_, categories),
          network(window, config, core, explorer),
          printing(window, config, explorer, player.Link()),
          wizards(window, config, core, explorer, window, player.Link(), forms, capture),
          listInput(config, explorer, window, window.widgets_, player.Link(), forms),
          tools(window, config, core, explorer, player.Link()),
          options(window, config, core, player.Link(), window.widgets_.commands, forms,
                  platform.ScreenSaver("tesdesk")) {}

    EditorPlayerLink player;
    EditorCapture capture;
    FormsServices forms;
    MacroFormDialogs macroForms;
    CategoriesPanel categories;
    ListAppearance appearance;
    NetworkTimers network;
    ListPrinting printing;
    QuickWizards wizards;
    MacroListInput listInput;
    ToolCommands tools;
    OptionCommands options;
    XdgHelpViewer helpViewer;
    ScopedHelpViewer helpScope{helpViewer};  // every editor dialog's help, while the window lives
};

}  // namespace tessaro
