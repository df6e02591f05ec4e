#include "editor/script/ui/command_editors.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "editor/commands/netconn_dialog.h"
#include "editor/model/commands/encrypt_forms.h"
#include "editor/script/display_text.h"
#include "editor/script/parse_text.h"
#include "platform/message_box.h"
#include "editor/script/script_writer.h"
#include "foundation/ras.h"
#include "platform/paths.h"
#include "platform/sim/sim_system_settings.h"
#include "protocol/glob_data.h"
#include "tests/editor/commands/families/fakes.h"
#include "tests/editor/script/ui/no_connections.h"
#include "tests/editor/script/ui/user_at_dialog.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::FakeChooser;
using testing::FakePathEditor;
using testing::FakePicker;
using testing::NoConnections;
using testing::NoSoundCard;
using testing::UserAtDialog;

class CommandEditorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        runner.file = dir.path() + "/Note.txt";
        std::ofstream(runner.file) << "text\r\n";
        chooser.file = runner.file;
        chooser.folder = dir.path();
        picker.answer = "xterm";
        // What a test machine lacks: printers, display modes and a phone-book entry.
        printers.names = {"Office Colour", "HP LaserJet"};
        for (int i = 0; i < 5; ++i) display.modes.push_back({640 + 160 * i, 480 + 120 * i, 1 << 24, 60});
        ::setenv("FAKE_NM_CONNECTIONS", "Home Wi-Fi:802-11-wireless:;MyISP:gsm:me;Work VPN:vpn:ann", 1);
        ASSERT_TRUE(RasLoadLibrary(win::JoinPath(win::ExecutableDirectory(), "libfake_nm.so")));
    }
    void TearDown() override {
        RasFreeLibrary();
        ::unsetenv("FAKE_NM_CONNECTIONS");
    }

    CommandEditorHosts Hosts(bool ras = true, bool ie4 = true) {
        return CommandEditorHosts{settings,    glob,     chooser, picker, paths, mixer,
                                  connections, printers, display, ras,    ie4};
    }

    std::vector<std::pair<QString, QString>> PrefillFor(int code) const {
        const QString file = QString::fromStdString(runner.file), folder = QString::fromStdString(dir.path());
        switch (code) {
            case 1: return {{"NewFormat", "Hello"}};
            case 16:
            case 17: return {{"TheWidth", "100"}, {"TheHeight", "100"}};
            case 46: return {{"ProgPath", folder}};
            case 48:
            case 49: return {{"ProgPath", file}, {"NewName", "Copy.txt"}};
            case 66: return {{"ProgPath", folder}};
            case 117: return {{"Seconds", "5"}};
            default: return {};
        }
    }

    static std::string Stored(const ScriptLine& line) {
        return CommandText(LineCommand(line), line.Record).text;
    }

    testing::TempDir dir;
    TConfigRecord settings;
    TGlobData glob{};
    FakeChooser chooser;
    FakePicker picker;
    FakePathEditor paths{settings};
    NoSoundCard mixer;
    NoConnections connections;
    win::sim::SimPrinters printers;
    win::sim::SimSystemSettings display;
    UserAtDialog runner;
    win::ScopedMessageBoxHandler boxes{[this](const win::MessageBoxCall& call) {
        boxTexts.push_back(call.text);
        return win::FirstButton(call.buttons);
    }};
    std::vector<std::string> boxTexts;
};

TEST_F(CommandEditorsTest, EveryCodeAddsItsLineCancelsCleanlyAndEditsUnchanged) {
    for (int code = 1; code <= 117; ++code) {
        SCOPED_TRACE(code);
        CommandEditors editors(Hosts(), runner);
        ScriptList list;
        list.Lines.push_back(MakeLine(29, TNameRec{"first"}));

        runner.confirm = false;
        runner.shown.clear();
        const bool cancelled = editors.EditCommand(nullptr, list, {code, true, AddStyle::AtEnd, 0}).Changed;
        if (AddsWithoutDialog(code)) {
            EXPECT_TRUE(cancelled);
            EXPECT_TRUE(runner.shown.empty());
            ASSERT_EQ(list.Lines.size(), 2u);
            list.Lines.pop_back();
        } else {
            EXPECT_FALSE(cancelled);
            EXPECT_EQ(runner.shown.size(), 1u);
            EXPECT_EQ(editors.LineAdded, 0);
            ASSERT_EQ(list.Lines.size(), 1u);
        }

        runner.confirm = true;
        runner.prefill = PrefillFor(code);
        ASSERT_TRUE(editors.EditCommand(nullptr, list, {code, true, AddStyle::AtEnd, 0}).Changed)
            << "not added: " << boxTexts.size() << " boxes";
        ASSERT_EQ(list.Lines.size(), 2u);
        // Every new line starts on its own command's choice, but a new "Wait Time Delay"
        // starts as a delay in seconds: it is a timed delay only when the user chooses one.
        const int expected = code == cmd::WaitTimeDelay ? cmd::Delay : code;
        EXPECT_EQ(LineCommand(list.Lines[1]), expected) << list.Lines[1].Text;

        const ScriptTextResult text = BuildMacroText(list.Lines);
        ASSERT_TRUE(text.ok) << text.error;
        const std::vector<ScriptLine> back = ParseMacroText(text.text);
        ASSERT_EQ(back.size(), 2u) << text.text;
        EXPECT_EQ(LineCommand(back[1]), expected) << text.text;

        // Edit, then cancel: nothing changes; confirm unchanged: the same line and command.
        const std::string before = Stored(list.Lines[1]);
        const std::string shownText = list.Lines[1].Text;
        runner.confirm = false;
        EXPECT_FALSE(editors.EditCommand(nullptr, list, {expected, false, AddStyle::AtEnd, 1}).Changed);
        EXPECT_EQ(Stored(list.Lines[1]), before);
        runner.confirm = true;
        EXPECT_TRUE(editors.EditCommand(nullptr, list, {expected, false, AddStyle::AtEnd, 1}).Changed);
        ASSERT_EQ(list.Lines.size(), 2u);
        // Enciphering salts anew each time: only the command stays.
        if (code != 113) {
            EXPECT_EQ(Stored(list.Lines[1]), before);
            EXPECT_EQ(list.Lines[1].Text, shownText);
        }
        EXPECT_EQ(LineCommand(list.Lines[1]), expected);
        EXPECT_EQ(list.Lines[0].Text, MakeLine(29, TNameRec{"first"}).Text);
    }
}

// One stored command of each code with values in every field its dialog shows; {F} is an
// existing file, {D} an existing folder.
constexpr const char* kFilledCommands[] = {
    "Hello<TAB>world",
    "<DD.MM.YYYY{NP007}>",
    "<hh:mm:ss{Y}>",
    "<DELAY:05.50>",
    "<PAUSE:010,020Look here>",
    "<REP:0005:000002:000003>",
    "<ENDREP>",
    "<SPKEY:0010>",
    "<SPMSE:0020>",
    "<ACTIVATE:Untitled - Notepad>",
    "<LAUNCHDEL:05{F}<PARAM>-q2\x01>",
    "<BEEP>",
    "<WAV1:{F}>",
    "<SWAP:{D}/Other.QTM>",
    "<TFILE:{F}>",
    "<WSIZE:0640,0480\"CURRENT\">",
    "<WPOS2:-0010,00020Calc>",
    "<WMAX:Notepad>",
    "<WMIN:\"CURRENT\">",
    "<WRES:a>",
    "<WCLS:b>",
    "<WHIDE:c>",
    "<WSHOW:d>",
    "<MMP:-0012,00345>",
    "<LDCLK>",
    "<RDN>",
    "<MUP>",
    "<WBW:010>",
    "<REM:a remark>",
    "<CLIPC>",
    "<CLIPP>",
    "<III>",
    "<LAUNCHYES2:0512Calculator<LAUNCH:{F}>",
    "<LAUNCHNO2:0030Notepad<LAUNCH:{F}<PARAM>a.txt1\x01>",
    "<BEGCLIP>",
    "<ENDCLIP>",
    "<CLIPF:{F}>",
    "<WSHUT:Calc>",
    "<CTLU>",
    "<ALTU>",
    "<SHFU>",
    "<WINU>",
    "<HTTP:http://www.example.com>",
    "<FTP:ftp.example.com>",
    "<PROMPTREP>",
    "<CHDIR:{D}>",
    "<DELFILE:{F}>",
    "<COPYFILE:{F};{D}/c.txt>",
    "<RENFILE:{F};b.txt>",
    "<SPEED:00.50>",
    "<MACRUN:Other>",
    "<NWCPS:<NAME:joe><PASS:sec>F:\\\\srv\\share>",
    "<NWDPFS:G:>",
    "<TBOX:<HEAD:Title>Body text\r\nline two>",
    "<AVIE:{F}>",
    "<CDPLAY>",
    "<CDSTOP>",
    "<CDPAUSE>",
    "<CDNEXT>",
    "<CDPREV>",
    "<CDGOTO:05>",
    "<CDSTEP:010>",
    "<CDBACK:005>",
    "<CDEJECT>",
    "<CDCLOSE>",
    "<EXPLORE:{D}>",
    "<CASCDESK>",
    "<TILHDESK>",
    "<MINIDESK>",
    "<RESTDESK>",
    "<CLIPTYPEI>",
    "<DEFPRT:HP LaserJet>",
    "<SCREEN:003>",
    "<LOGOFF>",
    "<REBOOT>",
    "<SHUTDOWN>",
    "<POWEROFF>",
    "<SSOFF>",
    "<KEYSPD:10>",
    "<KEYDEL:2>",
    "<WALLP:0010,0020{F}>",
    "<WBSIZE:03>",
    "<NWTS:<NAME:u><PASS:p>H:\\\\s\\t>",
    "<CLIPB:{F}>",
    "<AUDON>",
    "<AUDRIGHT>",
    "<AUDMUTE>",
    "<TREBDOWN>",
    "<BASSDOWN>",
    "<MIDIUP>",
    "<MIDILEFT>",
    "<MIDIMUTE>",
    "<WAITWIN:005:Notepad>",
    "<DIAL:<NAME:me><PASS:pw>MyISP>",
    "<MACDEL:x>",
    "<MACACT:y>",
    "<MACDEACT:z>",
    "<MKDIR:{D}/new>",
    "<WAITWLF:001:x>",
    "<WAITPROG:002:calc.exe>",
    "<WAITKEY:003:05>",
    "<WAITTXTY:004:hello>",
    "<WAITLM:005>",
    "<WAITRM:006>",
    "<WAITMM:007>",
    "<EXPFV>",
    "<RUNFF>",
    "<UNDOCK>",
    "<SUSPEND>",
    "<WAITPB>",
    "<WAITTIME:00000125>",
    "<EMAIL:RYR1TO|bob@y.org;Ann|ann@x.org;\x01"
    "CCCy|cy@z.org;\x01"
    "S1Body\r\nline\x01"
    "Subj\x01"
    "A2{F};\x01"
    ">",
    "<ETEXT:{E}>",
    "<CLIPST:{D}/save.txt>",
    "<CLIPAT::PROMPT:>",
    "<CLIPSG:{D}/g.bmp>",
    "<TDELAY:07>",
};

std::string Filled(std::string text, const std::map<std::string, std::string>& values) {
    for (const auto& [key, value] : values)
        for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
            text.replace(at, key.size(), value);
    return text;
}

// Opened from the line through the editor's edit path and confirmed as it came up: every
// family shows the stored values, so the command stays exactly as it was.
class FilledLinesTest : public CommandEditorsTest {
protected:
    void SetUp() override {
        CommandEditorsTest::SetUp();
        const std::string recipients = dir.path() + "/TESMAIL.TXT";
        std::ofstream(recipients) << "Ann|ann@x.org\r\nCy|cy@z.org\r\n";
        settings.EMailPath = recipients;
        std::ofstream(dir.path() + "/Other.QTM") << "";
        // A path of 300 characters to a file that is there.
        std::string folder = dir.path();
        while (folder.size() < 200) folder += "/" + std::string(60, 'f');
        std::filesystem::create_directories(folder);
        const std::string longFile = folder + "/" + std::string(299 - folder.size(), 'n');
        std::ofstream(longFile) << "text\r\n";
        values = {{"{F}", runner.file},
                  {"{D}", dir.path()},
                  {"{L}", longFile},
                  {"{E}", BuildEncrypt("secret", 7).fields.EncryptedText}};
        runner.retry = false;
    }

    // The code of the line when it came back unchanged, else 0.
    int EditedUnchanged(const char* stored) {
        const std::string text = Filled(stored, values);
        SCOPED_TRACE(text);
        ScriptList list;
        list.Lines = ParseMacroText(text);
        EXPECT_EQ(list.Lines.size(), 1u);
        if (list.Lines.size() != 1) return 0;
        const int code = LineCommand(list.Lines[0]);
        const std::string before = Stored(list.Lines[0]);
        EXPECT_EQ(before, text);
        CommandEditors editors(Hosts(), runner);
        const std::size_t shownBefore = runner.shown.size();
        EXPECT_TRUE(editors.EditCommand(nullptr, list, {code, false, AddStyle::AtEnd, 0}).Changed)
            << "not confirmed: " << boxTexts.size() << " boxes" << (boxTexts.empty() ? "" : boxTexts.back());
        EXPECT_EQ(runner.shown.size(), shownBefore + 1) << "edited through its dialog";
        if (list.Lines.size() != 1) return 0;
        const ScriptLine& after = list.Lines[0];
        // Enciphering salts anew each time: only the plain text stays.
        const bool kept = code == cmd::EncryptedText
                              ? EncryptPreset(std::get<TNameRec>(after.Record)) == "secret"
                              : Stored(after) == before;
        EXPECT_TRUE(kept) << Stored(after);
        EXPECT_EQ(LineCommand(after), code);
        return kept && LineCommand(after) == code ? code : 0;
    }

    std::map<std::string, std::string> values;
};

TEST_F(FilledLinesTest, EveryCodeEditedFromAFilledLineKeepsItsCommand) {
    std::set<int> edited;
    for (const char* stored : kFilledCommands)
        if (const int code = EditedUnchanged(stored)) edited.insert(code);
    EXPECT_EQ(edited.size(), 117u);
    for (int code = 1; code <= 117; ++code) EXPECT_TRUE(edited.count(code)) << "not edited: " << code;
}

// Hand-written files hold texts longer than their fields let anyone type: each comes back
// whole from Edit, Ok.
TEST_F(FilledLinesTest, TextsLongerThanTheirFieldsStayWhole) {
    const std::string t80(80, 'w'), t150(150, 'a'), t200(200, 'p'), t250(250, 'r'), t100(100, 'h');
    const std::string lines[] = {
        "<WAITWIN:005:" + t80 + ">",
        "<WMAX:" + t150 + ">",
        "<WSIZE:0640,0480" + t150 + ">",
        "<ACTIVATE:" + t150 + ">",
        "<LAUNCHYES2:0512" + t150 + "<LAUNCH:{L}>",
        "<LAUNCHDEL:05{L}<PARAM>" + t250 + "\x01>",
        "<REM:" + t250 + ">",
        "<PAUSE:010,020" + t200 + ">",
        "<TBOX:<HEAD:" + t100 + ">Body>",
        "<TFILE:{L}>",
        "<WAV1:{L}>",
        "<AVIE:{L}>",
        "<CLIPF:{L}>",
        "<DELFILE:{L}>",
        "<MACRUN:" + t250 + ">",
        "<WAITPROG:002:" + t250 + ">",
        "<WAITTXTY:004:" + t250 + ">",
        "<HTTP:http://" + t250 + ">",
        "<NWCPS:<NAME:" + t80 + "><PASS:" + t80 + ">F:\\\\srv\\" + t100 + ">",
    };
    for (const std::string& line : lines) EXPECT_NE(EditedUnchanged(line.c_str()), 0);
}

TEST_F(CommandEditorsTest, AddStylesPlaceTheNewLine) {
    CommandEditors editors(Hosts(), runner);
    ScriptList list;
    // After the selection in an empty list: index 0.
    ASSERT_TRUE(editors.EditCommand(nullptr, list, {35, true, AddStyle::After, 0}).Changed);
    ASSERT_TRUE(editors.EditCommand(nullptr, list, {36, true, AddStyle::AtEnd, 0}).Changed);
    ASSERT_TRUE(editors.EditCommand(nullptr, list, {30, true, AddStyle::Before, 1}).Changed);
    ASSERT_TRUE(editors.EditCommand(nullptr, list, {7, true, AddStyle::After, 0}).Changed);
    std::vector<int> codes;
    for (const ScriptLine& line : list.Lines) codes.push_back(LineCommand(line));
    EXPECT_EQ(codes, (std::vector<int>{35, 7, 30, 36}));
}

TEST_F(CommandEditorsTest, RefusalsComeBeforeAnyDialog) {
    CommandEditors editors(Hosts(false, false), runner);
    ScriptList list;
    runner.shown.clear();
    EXPECT_FALSE(editors.EditCommand(nullptr, list, {94, true, AddStyle::AtEnd, 0}).Changed);
    for (int code : {69, 70, 106, 107, 108, 109})
        EXPECT_FALSE(editors.EditCommand(nullptr, list, {code, true, AddStyle::AtEnd, 0}).Changed) << code;
    EXPECT_TRUE(runner.shown.empty());
    EXPECT_TRUE(list.Lines.empty());
    ASSERT_EQ(boxTexts.size(), 7u);
    EXPECT_NE(boxTexts[1].find("requires Windows 98 or NT"), std::string::npos);
    // Cascade and tile never need the desktop shell.
    EXPECT_TRUE(editors.EditCommand(nullptr, list, {67, true, AddStyle::AtEnd, 0}).Changed);
    EXPECT_TRUE(editors.EditCommand(nullptr, list, {68, true, AddStyle::AtEnd, 0}).Changed);
    EXPECT_EQ(list.Lines.size(), 2u);
}

TEST_F(CommandEditorsTest, EditingPresetsFromTheRecord) {
    CommandEditors editors(Hosts(), runner);
    ScriptList list;
    // A stored ":PROMPT:" save, a caret-relative move and a drive-letter network path.
    list.Lines.push_back(MakeLine(114, TClipRec{9, ":PROMPT:", false}));
    list.Lines.push_back(MakeLine(24, TMouseRec{5, 7, 0, 1, 4}));
    list.Lines.push_back(MakeLine(52, TNetRec{"Z://nas/share", "", "", false, false, false}));
    for (int i = 0; i < 3; ++i) {
        const std::string before = Stored(list.Lines[static_cast<std::size_t>(i)]);
        ASSERT_TRUE(editors
                        .EditCommand(
                            nullptr, list,
                            {LineCommand(list.Lines[static_cast<std::size_t>(i)]), false, AddStyle::AtEnd, i})
                        .Changed);
        EXPECT_EQ(Stored(list.Lines[static_cast<std::size_t>(i)]), before) << i;
    }
    EXPECT_EQ(std::get<TMouseRec>(list.Lines[1].Record).MoveKind, 4);
    EXPECT_EQ(std::get<TClipRec>(list.Lines[0].Record).FileName, ":PROMPT:");
}

// Leaves "Load Text from a Text File" through "Edit In &Scripting Editor" on a path.
class EditAsLinesRunner final : public CommandDialogRunner {
public:
    QString path;
    QString preset;
    bool offered = false;
    void Run(QDialog& dlg) override {
        auto* edit = dlg.findChild<QPushButton*>("EditScript");
        auto* field = dlg.findChild<QLineEdit*>("ProgPath");
        ASSERT_TRUE(edit && field);
        offered = edit->isVisibleTo(&dlg);
        preset = field->text();
        field->setText(path);
        if (offered) edit->click();
        if (dlg.isVisible()) dlg.reject();
    }
};

TEST_F(CommandEditorsTest, TheTextFileDialogHandsOverTheFileToEditAsLines) {
    EditAsLinesRunner edit;
    edit.path = QString::fromStdString(runner.file);
    CommandEditors editors(Hosts(), edit);
    ScriptList list;
    list.Lines.push_back(MakeLine(cmd::LoadTextFile, TNameRec{"/old/path.txt"}));

    CommandOutcome out = editors.EditCommand(nullptr, list, {cmd::LoadTextFile, false, AddStyle::AtEnd, 0});
    EXPECT_TRUE(edit.offered);
    EXPECT_EQ(edit.preset, "/old/path.txt");  // an edit starts from its line
    EXPECT_EQ(out.EditTextFile, runner.file);
    EXPECT_FALSE(out.Changed);
    EXPECT_EQ(editors.LineAdded, 0);
    EXPECT_EQ(std::get<TNameRec>(list.Lines[0].Record).Name, "/old/path.txt");

    // Back from the file: preset from the file as typed.
    CommandRequest again{cmd::LoadTextFile, false, AddStyle::AtEnd, 0};
    again.TextFilePreset = " typed.txt";
    editors.EditCommand(nullptr, list, again);
    EXPECT_EQ(edit.preset, " typed.txt");

    // Without the offer the button is hidden and nothing is handed over.
    CommandRequest palette{cmd::LoadTextFile, true, AddStyle::AtEnd, 0};
    palette.AllowTextEdit = false;
    out = editors.EditCommand(nullptr, list, palette);
    EXPECT_FALSE(edit.offered);
    EXPECT_TRUE(out.EditTextFile.empty());
    EXPECT_EQ(list.Lines.size(), 1u);
}

}  // namespace
}  // namespace tessaro
