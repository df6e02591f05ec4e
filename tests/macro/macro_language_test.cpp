#include "macro/macro_language.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

namespace tessaro {
namespace {

// A well-formed sample of a table entry, built from its layout.
std::string SampleOf(const TokenSpec& token_spec) {
    std::string s(token_spec.prefix);
    auto pad_to = [&](size_t n) {
        while (s.size() < n) s += '0';
    };
    switch (token_spec.shape) {
        case TokenShape::Literal: return s;
        case TokenShape::Fixed: pad_to(token_spec.close); return s + ">";
        case TokenShape::Text:
        case TokenShape::Split:
        case TokenShape::WallPaper: pad_to(token_spec.text_from); return s + "arg>";
        case TokenShape::TextBox: return s + "title>body>";
        case TokenShape::ClipText: return s + "clip text<ENDCLIP>";
        case TokenShape::NetConnect: return s + "PS:<NAME:user><PASS:pw>X:\\\\srv\\share>";
        case TokenShape::NetDisconnect: return s + "PFS:X:>";
        case TokenShape::Dial: return s + "user><PASS:pw>entry>";
        case TokenShape::Email: return s + "RNR2S2A1>";
        case TokenShape::Launch: pad_to(token_spec.text_from); return s + "prog>";
        case TokenShape::LaunchWindow: pad_to(token_spec.text_from); return s + "Title<LAUNCH:prog>";
    }
    return s;
}

TEST(MacroLanguage, EveryTableEntryIsFoundWithItsWholeLength) {
    std::set<TokenKind> seen;
    for (const auto& token_spec : TokenTable()) {
        std::string sample = SampleOf(token_spec);
        Token t = Recognise(sample + "tail>x", 0);
        EXPECT_EQ(t.kind, token_spec.kind) << sample;
        EXPECT_EQ(t.length, sample.size()) << sample;
        EXPECT_FALSE(t.unterminated) << sample;
        EXPECT_TRUE(seen.insert(token_spec.kind).second) << "kind listed twice: " << token_spec.prefix;
        EXPECT_GE(token_spec.group, 1);
        EXPECT_LE(token_spec.group, 16);
    }
    // Groups are in ascending order, as the trial order runs.
    for (size_t i = 1; i < TokenTable().size(); ++i)
        EXPECT_LE(TokenTable()[i - 1].group, TokenTable()[i].group) << TokenTable()[i].prefix;
    // Every kind but None and the date/time kinds has an entry.
    EXPECT_EQ(seen.size(), static_cast<size_t>(TokenKind::Date) - 1);
}

TEST(MacroLanguage, PrefixCollisionsResolveByTableOrder) {
    EXPECT_EQ(Recognise("<F10>", 0).kind, TokenKind::F10);
    EXPECT_EQ(Recognise("<F1>0>", 0).kind, TokenKind::F1);
    EXPECT_EQ(Recognise("<F1>0>", 0).length, 4u);
    EXPECT_EQ(Recognise("<CLIPTYPEI>", 0).kind, TokenKind::ClipTypeI);
    EXPECT_EQ(Recognise("<CLIPTYPE>", 0).kind, TokenKind::ClipType);
    EXPECT_EQ(Recognise("<PAUSE>", 0).kind, TokenKind::PauseBasic);
    EXPECT_EQ(Recognise("<ALT>", 0).kind, TokenKind::AltKey);
    EXPECT_EQ(Recognise("<ALT:065>", 0).kind, TokenKind::AltCode);
    EXPECT_EQ(Recognise("<ALT4:0233>", 0).kind, TokenKind::Alt4Code);
    EXPECT_EQ(Recognise("<END>", 0).kind, TokenKind::End);
    EXPECT_EQ(Recognise("<ENDREP>", 0).kind, TokenKind::EndRep);
    EXPECT_EQ(Recognise("<ENDREP>", 0).length, 8u);
    EXPECT_EQ(Recognise("<ENDCLIP>", 0).length, 9u);
    EXPECT_EQ(Recognise("<IIII>", 0).kind, TokenKind::Counter4);
    EXPECT_EQ(Recognise("<I>", 0).kind, TokenKind::Counter1);
    EXPECT_EQ(Recognise("<INSERT>", 0).kind, TokenKind::Insert);
    EXPECT_EQ(Recognise("<LAUNCHDEL:05prog>", 0).kind, TokenKind::LaunchDel);
    EXPECT_EQ(Recognise("<LAUNCHNO2:0510T<LAUNCH:p>", 0).kind, TokenKind::LaunchNo2);
    EXPECT_EQ(Recognise("<WPOS2:00010,00020\"CURRENT\">", 0).kind, TokenKind::WPos2);
    // Date month versus time minutes: case decides.
    Token month = Recognise("<MM{Y}>", 0);
    EXPECT_EQ(month.kind, TokenKind::Date);
    EXPECT_EQ(DateFormats()[month.format - 1], "MM");
    Token minutes = Recognise("<mm{Y}>", 0);
    EXPECT_EQ(minutes.kind, TokenKind::Time);
    EXPECT_EQ(TimeFormats()[minutes.format - 1], "mm");
    EXPECT_EQ(Recognise("<MMM{N}>", 0).format, 44);
}

TEST(MacroLanguage, TextThatIsNoToken) {
    for (std::string_view s :
         {"<", "<b", "<FOO>", "<DELAY:1.5>", "<DELAY:5>", "<MSD:050>", "<tab>", "<F25>", "<NWCX>", "<NWD>",
          "<DIAL:<NAME:u>pw>", "<MM{", "<MM/DD/YY{Y}", "<hh:mm{X}>", "< TAB>"})
        EXPECT_EQ(Recognise(s, 0).kind, TokenKind::None) << s;
    // Not at a '<', or past the end.
    EXPECT_EQ(Recognise("a<TAB>", 0).kind, TokenKind::None);
    EXPECT_EQ(Recognise("<TAB>", 5).kind, TokenKind::None);
    EXPECT_EQ(Recognise("a<TAB>", 1).kind, TokenKind::Tab);
}

TEST(MacroLanguage, MainScanStepsOverCrLfAndLoneAngles) {
    auto steps = [](std::string_view text) {
        std::string out;
        for (size_t p = 0; p < text.size();) {
            Step s = NextStep(text, p);
            out += s.token.kind == TokenKind::None ? std::string(1, s.ch) : "[T]";
            p += s.length;
        }
        return out;
    };
    EXPECT_EQ(steps("a<b"), "a<b");
    EXPECT_EQ(steps("x\r\ny"), "x\ry");
    EXPECT_EQ(steps("\r\r\n\n"), "\r\r\n");
    EXPECT_EQ(steps("<F10><<TAB>"), "[T]<[T]");
    EXPECT_EQ(steps("<DELAY:1.5>"), "<DELAY:1.5>");
    EXPECT_EQ(steps("ab<"), "ab<");
}

TEST(MacroLanguage, FixedFieldsAreReadAtTheirOffsets) {
    Token rep = Recognise("<REP:0003:000005:000010>body", 0);
    ASSERT_EQ(rep.kind, TokenKind::Rep);
    EXPECT_EQ(rep.length, 24u);
    ASSERT_EQ(rep.args.size(), 3u);
    EXPECT_EQ(ArgInt(rep.args[0]), 3);
    EXPECT_EQ(ArgInt(rep.args[1]), 5);
    EXPECT_EQ(ArgInt(rep.args[2]), 10);

    Token move = Recognise("<MMP:-0010,00020>", 0);
    ASSERT_EQ(move.kind, TokenKind::Mmp);
    EXPECT_EQ(ArgInt(move.args[0]), -10);
    EXPECT_EQ(ArgInt(move.args[1]), 20);

    Token delay = Recognise("<DELAY:00.50>", 0);
    ASSERT_EQ(delay.kind, TokenKind::Delay);
    EXPECT_DOUBLE_EQ(*ArgReal(delay.args[0]), 0.5);
    EXPECT_DOUBLE_EQ(*ArgReal(Recognise("<TDELAY:.5>", 0).args[0]), 0.5);

    // The unchecked closers move on by their fixed length, whatever stands there.
    Token wait = Recognise("<WAITLM:005xabc", 0);
    EXPECT_EQ(wait.kind, TokenKind::WaitLM);
    EXPECT_EQ(wait.length, 12u);
    EXPECT_EQ(Recognise("<WAITTIME:00000125>", 0).length, 19u);
    EXPECT_EQ(Recognise("<WAITTIME:0000", 0).kind, TokenKind::None);  // would read past the end
}

TEST(MacroLanguage, FreeTextArguments) {
    Token pause = Recognise("<PAUSE:010,020Check the form>x", 0);
    ASSERT_EQ(pause.kind, TokenKind::Pause);
    EXPECT_EQ(pause.args, (std::vector<std::string_view>{"010", "020", "Check the form"}));
    EXPECT_EQ(pause.length, 29u);

    Token size = Recognise("<WSIZE:0640,0480\"CURRENT\">", 0);
    ASSERT_EQ(size.kind, TokenKind::WSize);
    EXPECT_TRUE(IsCurrentWindowTitle(size.args[2]));
    EXPECT_FALSE(IsCurrentWindowTitle("CURRENT"));

    Token wait = Recognise("<WAITTXTY:005,hello there>", 0);
    EXPECT_EQ(wait.args, (std::vector<std::string_view>{"005", "hello there"}));

    Token box = Recognise("<TBOX:<HEAD:Title>Body text>rest", 0);
    ASSERT_EQ(box.kind, TokenKind::TBox);
    EXPECT_EQ(box.args, (std::vector<std::string_view>{"Title", "Body text"}));
    EXPECT_EQ(box.length, 28u);

    Token copy = Recognise("<COPYFILE:/a/b.txt;/c/d.txt>", 0);
    EXPECT_EQ(copy.args, (std::vector<std::string_view>{"/a/b.txt", "/c/d.txt"}));

    Token wall = Recognise("<WALLP:0010,0020/pics/sky.bmp>", 0);
    EXPECT_EQ(wall.args, (std::vector<std::string_view>{"0010", "0020", "/pics/sky.bmp"}));

    Token clip = Recognise("<BEGCLIP>a<TAB>b<ENDCLIP>c", 0);
    ASSERT_EQ(clip.kind, TokenKind::BegClip);
    EXPECT_EQ(clip.args[0], "a<TAB>b");
    EXPECT_EQ(clip.length, 25u);

    // Without its "<ENDCLIP>" the scan moves to the text's last character.
    std::string open = "<BEGCLIP>abc";
    Token unclosed = Recognise(open, 0);
    EXPECT_TRUE(unclosed.unterminated);
    EXPECT_EQ(unclosed.length, open.size() - 1);

    // A free text that reaches the end runs to it.
    Token rem = Recognise("<REM:no end", 0);
    EXPECT_EQ(rem.kind, TokenKind::Rem);
    EXPECT_TRUE(rem.unterminated);
    EXPECT_EQ(rem.length, 11u);
    EXPECT_EQ(rem.args[0], "no end");
}

TEST(MacroLanguage, NetworkDialAndEmailLayouts) {
    Token connect = Recognise("<NWCS:<NAME:bob><PASS:secret>X:\\\\srv\\share>", 0);
    ASSERT_EQ(connect.kind, TokenKind::Nwc);
    EXPECT_EQ(connect.args, (std::vector<std::string_view>{"S", "bob", "secret", "X:", "\\\\srv\\share"}));
    Token toggle = Recognise("<NWT:<NAME:><PASS:>Y:\\\\a\\b>", 0);
    ASSERT_EQ(toggle.kind, TokenKind::Nwt);
    EXPECT_EQ(toggle.args[0], "");
    Token unmap = Recognise("<NWDPF:X:>", 0);
    ASSERT_EQ(unmap.kind, TokenKind::Nwd);
    EXPECT_EQ(unmap.args, (std::vector<std::string_view>{"PF", "X:"}));
    EXPECT_EQ(unmap.length, 10u);

    Token dial = Recognise("<DIAL:<NAME:me><PASS:pw>Office>", 0);
    ASSERT_EQ(dial.kind, TokenKind::Dial);
    EXPECT_EQ(dial.args, (std::vector<std::string_view>{"me", "pw", "Office"}));

    // A '>' inside an e-mail field does not end the token.
    std::string mail =
        "<EMAIL:RYR1TOAnn|ann@x.org;\x01"
        "BLBo|b@y>z;\x01S1Body with > sign\x01Subj\x01"
        "A2/tmp/a.txt;\x01>after";
    Token email = Recognise(mail, 0);
    ASSERT_EQ(email.kind, TokenKind::Email);
    EXPECT_EQ(email.length, mail.size() - 5);
    EXPECT_EQ(email.args[0], std::string_view(mail).substr(7, mail.size() - 5 - 8));
    std::string prompt = "<EMAIL:RNR2S2A3>x";
    EXPECT_EQ(Recognise(prompt, 0).length, prompt.size() - 1);
}

TEST(MacroLanguage, LaunchArguments) {
    Token plain = Recognise("<LAUNCH:/usr/bin/xterm>", 0);
    ASSERT_EQ(plain.kind, TokenKind::Launch);
    EXPECT_EQ(plain.args[0], "/usr/bin/xterm");

    std::string with_param = "<LAUNCH:/bin/ed<PARAM>-p x2\x01>rest";
    Token param = Recognise(with_param, 0);
    EXPECT_EQ(param.length, with_param.size() - 4);
    LaunchArgument arg = SplitLaunchArgument(param.args[0]);
    EXPECT_EQ(arg.file, "/bin/ed");
    EXPECT_EQ(arg.parameters, "-p x");
    EXPECT_EQ(arg.window_state, 2);

    Token del = Recognise("<LAUNCHDEL:07/bin/true>", 0);
    EXPECT_EQ(del.args, (std::vector<std::string_view>{"07", "/bin/true"}));

    Token yes2 = Recognise("<LAUNCHYES2:0530Editor<LAUNCH:/bin/ed<PARAM>a.txt>!", 0);
    ASSERT_EQ(yes2.kind, TokenKind::LaunchYes2);
    EXPECT_EQ(yes2.args, (std::vector<std::string_view>{"05", "30", "Editor", "/bin/ed<PARAM>a.txt"}));
    EXPECT_EQ(yes2.length, 50u);
    Token no = Recognise("<LAUNCHNO:01Calc<LAUNCH:calc>", 0);
    EXPECT_EQ(no.args, (std::vector<std::string_view>{"01", "Calc", "calc"}));

    LaunchArgument bare = SplitLaunchArgument("notes.txt");
    EXPECT_EQ(bare.file, "notes.txt");
    EXPECT_EQ(bare.parameters, "");
    EXPECT_EQ(bare.window_state, 0);
}

TEST(MacroLanguage, EveryDateAndTimeFormat) {
    for (size_t i = 0; i < DateFormats().size(); ++i) {
        std::string f(DateFormats()[i]);
        std::string short_form = "<" + f + "{N}>";
        Token s = Recognise(short_form, 0);
        EXPECT_EQ(s.kind, TokenKind::Date) << f;
        EXPECT_EQ(s.format, static_cast<int>(i + 1)) << f;
        EXPECT_EQ(s.length, f.size() + 5);
        EXPECT_EQ(s.args, (std::vector<std::string_view>{"N"}));
        std::string offset_form = "<" + f + "{YP010}>more";
        Token o = Recognise(offset_form, 0);
        EXPECT_EQ(o.kind, TokenKind::DateOffset) << f;
        EXPECT_EQ(o.format, static_cast<int>(i + 1)) << f;
        EXPECT_EQ(o.length, f.size() + 9);
        EXPECT_EQ(o.args, (std::vector<std::string_view>{"Y", "P", "010"}));
    }
    for (size_t i = 0; i < TimeFormats().size(); ++i) {
        std::string f(TimeFormats()[i]);
        for (std::string pad : {"N", "Y"}) {
            std::string token = "<" + f + "{" + pad + "}>";
            Token t = Recognise(token, 0);
            EXPECT_EQ(t.kind, TokenKind::Time) << f;
            EXPECT_EQ(t.format, static_cast<int>(i + 1)) << f;
            EXPECT_EQ(t.length, f.size() + 5);
            EXPECT_EQ(t.args[0], pad);
        }
    }
}

TEST(MacroLanguage, RepeatBodiesPairWithTheirEnd) {
    std::string text = "a<REPEAT:0002>b<ENDREP>c<ENDREP>";
    EXPECT_EQ(FindMatchingEndRep(text, 14), 15u);
    std::string outer = "<REP:0002:000001:000001>x<PROMPTREP>y<ENDREP>z<ENDREP>!";
    EXPECT_EQ(FindMatchingEndRep(outer, 24), outer.size() - 9);
    EXPECT_EQ(FindMatchingEndRep("<REPEAT:0003>no end", 13), std::string_view::npos);
}

TEST(MacroLanguage, NumberFields) {
    EXPECT_EQ(ArgInt("0042"), 42);
    EXPECT_EQ(ArgInt("  -7x"), -7);
    EXPECT_EQ(ArgInt("abc"), 0);
    EXPECT_EQ(ArgInt(""), 0);
    EXPECT_EQ(ArgReal("00.50"), 0.5);
    EXPECT_EQ(ArgReal("-1.25"), -1.25);
    EXPECT_EQ(ArgReal("1.2.3"), std::nullopt);
    EXPECT_EQ(ArgReal("."), std::nullopt);
    EXPECT_EQ(ArgReal("abcde"), std::nullopt);
    // A playback speed of zero or more; anything else leaves the speed as it was.
    EXPECT_EQ(SpeedFactor("00.50"), 0.5);
    EXPECT_EQ(SpeedFactor("00000"), 0.0);
    EXPECT_EQ(SpeedFactor(" 2.5 "), 2.5);
    EXPECT_EQ(SpeedFactor("-1.00"), std::nullopt);
    EXPECT_EQ(SpeedFactor("ab.cd"), std::nullopt);
    EXPECT_EQ(SpeedFactor("     "), std::nullopt);
}

// Truncated and random texts never make the recogniser read past the end or claim more
// than the text holds (run under ASan this also checks every read).
TEST(MacroLanguage, NeverReadsPastTheEnd) {
    for (const auto& token_spec : TokenTable()) {
        std::string sample = SampleOf(token_spec);
        for (size_t n = 1; n <= sample.size(); ++n) {
            std::string cut = sample.substr(0, n);
            Token t = Recognise(cut, 0);
            EXPECT_LE(t.length, cut.size()) << cut;
        }
    }
    std::mt19937 rng(7);
    const std::string alphabet = "<>:{}YNFP0123456789ACDEILMNOPRSTW\x01;";
    for (int i = 0; i < 20000; ++i) {
        std::string s = "<";
        for (int n = rng() % 24; n > 0; --n) s += alphabet[rng() % alphabet.size()];
        for (size_t p = 0; p < s.size();) {
            Step step = NextStep(s, p);
            ASSERT_GE(step.length, 1u);
            ASSERT_LE(p + step.length, s.size());
            p += step.length;
        }
    }
}

}  // namespace
}  // namespace tessaro
