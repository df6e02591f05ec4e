#pragma once
// Every command of the explorer's main window: menu items, large buttons, speed buttons and
// quick-wizard buttons all name one of these.
namespace tessaro {

enum class ExplorerAction {
    // "&File"
    NewFile,
    OpenFile,
    ImportText,
    OutputMacroInfo,
    PrintList,
    PrinterFont,
    PrinterSetup,
    Terminate,
    // "&Macros"
    AddMacro,
    ModifyDirectly,
    Recapture,
    RemoveMacro,
    CopyMacro,
    ChangeActivation,
    ActivateMacro,
    ScriptingEditor,
    PlaceOnDesktop,
    AddToCategory,
    QuickInfo,
    ImportMacros,
    ExportMacros,
    SortMacros,
    SortSpeed,  // the speed button: the sort order, the selected macro kept
    // "&Remap"
    Remap,
    // "&Options"
    Appearance,
    CaptureOptions,
    EMailDefaults,
    EMailRecipients,
    NetworkOptions,
    ShowDate,
    Alarm,
    TimerInterval,
    DisableScreenSaver,
    Settings,
    SnipraOptions,
    // "&Tools"
    MouseLocator,
    RestoreKeyboardHooks,
    RestoreMouseHooks,
    IE5Fix,
    IE5Restore,
    // "&Help"
    HelpContents,
    Tutorial,
    FirstTimeSetup,
    HomePage,
    About,
    // The category panel
    NewCategory,
    RenameCategory,
    RemoveCategory,
    Last = RemoveCategory,
};

}  // namespace tessaro
