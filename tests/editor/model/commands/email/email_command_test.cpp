#include "editor/model/commands/email_command.h"

#include <gtest/gtest.h>

#include "editor/script/parse_text.h"
#include "player/commands/email/email_token.h"

namespace tessaro {
namespace {

const std::vector<std::string> kLines{"Ann|ann@x.org", "bare@x.org", "Bob|bob@x.org", "|nameless@x.org"};

EmailForm Form() {
    EmailForm f;
    for (EmailGroup& g : f.groups) g.selected.assign(kLines.size(), false);
    return f;
}

// The token the dialog writes is one e-mail line for the parser, with the same modes, and
// reads back into the same form.
void ExpectRoundTrip(const EmailForm& form, const std::string& expected = "") {
    const std::string token = BuildEmailToken(form, kLines);
    if (!expected.empty()) {
        EXPECT_EQ(token, expected);
    }
    const auto lines = ParseMacroText(token + "typed after");
    ASSERT_EQ(lines.size(), 2u) << token;
    EXPECT_EQ(LineCommand(lines[0]), cmd::EmailSend);
    const auto& rec = std::get<TEmailRec>(lines[0].Record);
    EXPECT_EQ(rec.Token, token);
    EXPECT_EQ(rec.RecipientMode, form.recipientMode);
    EXPECT_EQ(rec.TextMode, form.textMode);
    EXPECT_EQ(rec.AttachMode, form.attachMode);
    EXPECT_EQ(std::get<TTextRec>(lines[1].Record).Text, "typed after");
    EXPECT_EQ(DecodeLStemp(token, kLines), form) << token;
}

TEST(EmailToken, LayoutOfTheParts) {
    EmailForm f = Form();
    f.groups[0].name = "Zed";
    f.groups[0].address = "zed@x.org";
    f.text = "Hello\r\nthere";
    f.subject = "Hi";
    ExpectRoundTrip(f,
                    "<EMAIL:RNR1TOZed|zed@x.org;\x01S1Hello\r\nthere\x01Hi\x01"
                    "A1>");

    f = Form();
    f.receipt = true;
    f.groups[1].selected[1] = true;  // a bare line goes back bare
    f.groups[1].selected[3] = true;
    f.groups[2].address = "only@x.org";  // a typed address without a name
    f.textMode = 4;
    f.fileName = "/tmp/body.txt";
    f.attachMode = 2;
    f.attachments = {"/tmp/a.zip", "/tmp/b c.txt"};
    ExpectRoundTrip(f,
                    "<EMAIL:RYR1CCbare@x.org;|nameless@x.org;\x01"
                    "BL|only@x.org;\x01"
                    "S4/tmp/body.txt\x01\x01"
                    "A2/tmp/a.zip;/tmp/b c.txt;\x01>");
}

TEST(EmailToken, PromptsAndEmptyParts) {
    EmailForm f = Form();
    f.recipientMode = 2;
    f.textMode = 2;
    f.attachMode = 3;
    ExpectRoundTrip(f, "<EMAIL:RNR2S2A3>");
    f = Form();  // nothing typed, nothing chosen: "R1" alone
    f.textMode = 3;
    f.subject = "Clip";
    f.attachMode = 2;  // an empty attachment list
    ExpectRoundTrip(f,
                    "<EMAIL:RNR1S3Clip\x01"
                    "A2\x01>");
    f.textMode = 1;
    f.subject = "";
    ExpectRoundTrip(f,
                    "<EMAIL:RNR1S1\x01\x01"
                    "A2\x01>");
}

TEST(EmailToken, TypedFieldsAreTrimmedAndANameAloneIsNotWritten) {
    EmailForm f = Form();
    f.groups[0].name = "  Ann  ";
    f.groups[0].address = "  a@x ";
    f.groups[1].name = "No address";
    f.subject = "  S ";
    f.fileName = "unused";
    const std::string token = BuildEmailToken(f, kLines);
    EXPECT_EQ(token,
              "<EMAIL:RNR1TOAnn|a@x;\x01S1\x01S\x01"
              "A1>");
}

TEST(EmailToken, SelectionsFollowTheListPositionsAndUnknownEntriesAreKept) {
    EmailForm f = Form();
    f.groups[0].selected = {true, false, true, false};
    f.groups[0].address = "typed@x";
    f.groups[0].others = {"Gone|gone@x", "|old@x"};
    ExpectRoundTrip(f);
    // A list that lost entries: the first unknown entry goes to the edits, the others stay.
    const std::string token = BuildEmailToken(f, kLines);
    const EmailForm later = DecodeLStemp(token, {"Bob|bob@x.org"});
    EXPECT_EQ(later.groups[0].selected, std::vector<bool>{true});
    EXPECT_EQ(later.groups[0].address, "typed@x");
    EXPECT_EQ(later.groups[0].others, (std::vector<std::string>{"Ann|ann@x.org", "Gone|gone@x", "|old@x"}));
    // Written again, nothing is lost.
    const std::string again = BuildEmailToken(later, {"Bob|bob@x.org"});
    EXPECT_EQ(ReadEmailToken(again).to.size(), 5u);
}

TEST(EmailToken, PlayerReadsWhatTheDialogWrites) {
    EmailForm f = Form();
    f.groups[0].selected[0] = true;
    f.groups[0].address = "t@x";
    f.groups[2].selected[2] = true;
    f.text = "Body > with < marks";
    f.subject = "Sub";
    f.attachMode = 2;
    f.attachments = {"/a", "/b"};
    const EmailCommand c = ReadEmailToken(BuildEmailToken(f, kLines));
    EXPECT_FALSE(c.askRecipients);
    ASSERT_EQ(c.to.size(), 2u);
    EXPECT_EQ(c.to[0].address, "t@x");
    EXPECT_EQ(c.to[1].name, "Ann");
    EXPECT_TRUE(c.cc.empty());
    ASSERT_EQ(c.bcc.size(), 1u);
    EXPECT_EQ(c.bcc[0].address, "bob@x.org");
    EXPECT_EQ(c.body, "Body > with < marks");
    EXPECT_EQ(c.subject, "Sub");
    EXPECT_EQ(c.paths, (std::vector<std::string>{"/a", "/b"}));
}

TEST(EmailToken, TruncatedTokensReadAsFarAsTheyGo) {
    EmailForm f = Form();
    f.receipt = true;
    f.groups[0].address = "t@x";
    f.groups[1].selected[2] = true;
    f.text = "text";
    f.subject = "subject";
    f.attachMode = 2;
    f.attachments = {"/a"};
    const std::string token = BuildEmailToken(f, kLines);
    for (std::size_t n = 0; n <= token.size(); ++n) {
        // A copy of exactly n bytes, so a read past its end is caught by the sanitizer.
        const std::string cut = token.substr(0, n);
        const EmailForm g = DecodeLStemp(cut, kLines);
        EXPECT_EQ(g.groups[0].selected.size(), kLines.size());
        EXPECT_TRUE(g.textMode >= 1 && g.textMode <= 4);
        EXPECT_TRUE(g.attachMode >= 1 && g.attachMode <= 3);
    }
    const EmailForm g = DecodeLStemp("<EMAIL:RYR1TO", kLines);
    EXPECT_TRUE(g.receipt);
    EXPECT_EQ(g.recipientMode, 1);
    EXPECT_EQ(g.textMode, 1);
    EXPECT_EQ(g.attachMode, 1);
    const EmailForm h = DecodeLStemp("<EMAIL:RNR1TOa|b@x;S1 no end", kLines);
    EXPECT_EQ(h.groups[0].address, "b@x");
    EXPECT_EQ(h.groups[0].others, std::vector<std::string>{"S1 no end"});
    EXPECT_EQ(DecodeLStemp("", kLines), DecodeLStemp("<EMAIL:", kLines));
}

TEST(EmailToken, CharactersThatBreakTheTokenAreFound) {
    using Field = EmailFault::Field;
    EmailForm f = Form();
    EXPECT_FALSE(CheckEmailForm(f));
    f.groups[1].name = "A;B";
    EXPECT_FALSE(CheckEmailForm(f));  // not written without an address
    f.groups[1].address = "a@x";
    auto fault = CheckEmailForm(f);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->field, Field::Name);
    EXPECT_EQ(fault->group, 1);
    EXPECT_EQ(fault->character, ';');
    f.groups[1].name = "A|B";
    EXPECT_EQ(CheckEmailForm(f)->character, '|');
    f.groups[1].name = "A";
    f.groups[1].address = "a@x;b@x";
    EXPECT_EQ(CheckEmailForm(f)->field, Field::Address);
    f.groups[1].address = "a|weird@x";  // an address may hold "|"
    EXPECT_FALSE(CheckEmailForm(f));
    f.recipientMode = 2;
    f.groups[1].address = "a;b";
    EXPECT_FALSE(CheckEmailForm(f));  // not written when asked at play time
    f.text = std::string("x\x01y");
    EXPECT_EQ(CheckEmailForm(f)->field, Field::Text);
    f.text = "; > | are fine in the text";
    f.subject = "s\x01";
    EXPECT_EQ(CheckEmailForm(f)->field, Field::Subject);
    f.textMode = 2;  // no subject is written
    EXPECT_FALSE(CheckEmailForm(f));
    f.attachMode = 2;
    f.attachments = {"/ok", "/a;b"};
    fault = CheckEmailForm(f);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->field, Field::Attachment);
    EXPECT_EQ(fault->group, 1);
}

}  // namespace
}  // namespace tessaro
