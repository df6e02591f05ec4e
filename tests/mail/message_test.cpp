// The message: content-type rule, header order and golden bytes of every layout.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fixed_boundaries.h"
#include "mail/mail_error.h"
#include "mail/message.h"

using namespace tessaro::mail;
using tessaro::testing::FixedBoundaries;

namespace {

TmsAttItem Att(const std::string& name, const std::string& type, std::uint8_t enc,
               const std::string& content) {
    TmsAttItem a;
    a.FileName = name;
    a.ContentType = type;
    a.Encoding = enc;
    a.Content = content;
    return a;
}

TmsMessage Basic() {
    TmsMessage m;
    m.Sender = {"Ann Smith", "ann@example.org"};
    m.Recipients.Add("bob@example.org", "Bob");
    m.Subject = "Hello";
    return m;
}

std::string Encode(const TmsMessage& m) {
    FixedBoundaries b;
    return m.Encode(b);
}

}  // namespace

TEST(ContentTypeRule, FirstMatchWins) {
    const TmsAttItem txt = Att("/d/a.txt", "text/plain", kEncQuotedPrintable, "x");
    const TmsAttItem doc = Att("/d/b.doc", "application/msword", kEncBase64, "y");
    const struct {
        std::vector<std::string> body;
        std::vector<TmsAttItem> atts;
        bool uu;
        const char* type;
    } table[] = {
        {{"b"}, {txt}, true, ""},
        {{},
         {Att("_alt.1", "text/plain", 2, ""), Att("/x/_ALT.2", "text/html", 2, "")},
         false,
         "multipart/alternative"},
        {{}, {Att("/x/_rtfbody.rtf", "application/rtf", 1, "")}, false, "text/rtf"},
        {{}, {Att("_htmbody.htm", "text/html", 2, "")}, false, "text/html"},
        {{}, {doc}, false, "application/msword"},
        {{}, {}, false, "text/plain"},
        {{}, {txt, doc}, false, "multipart/mixed"},
        {{"b"}, {doc}, false, "multipart/mixed"},
        {{"b"}, {}, false, "text/plain"},
    };
    for (const auto& row : table) {
        TmsMessage m;
        m.Body = row.body;
        for (const auto& a : row.atts) m.Attachments.AddItem(a);
        if (row.uu) m.Encoding = TMsgEncoding::meUU;
        EXPECT_EQ(m.ContentType(), row.type);
    }
    TmsMessage stored;
    stored.Body = {"b"};
    stored.SetContentType("Text/Enriched");
    EXPECT_EQ(stored.ContentType(), "text/enriched");
}

TEST(MessageCheck, SenderThenSomeRecipient) {
    TmsMessage m;
    try {
        m.Check();
        FAIL();
    } catch (const MailError& e) {
        EXPECT_EQ(e.code(), 57100);
    }
    m.Sender.Address = "a@b";
    m.Recipients.Add("", "Nobody");
    try {
        m.Check();
        FAIL();
    } catch (const MailError& e) {
        EXPECT_EQ(std::string(e.what()), "At least one Recipient, CC or BCC must be entered");
    }
    m.BCC.Add("c@d", "");
    EXPECT_NO_THROW(m.Check());
    m.Clear();
    EXPECT_EQ(m.BCC.Count(), 0);
    EXPECT_EQ(m.ContentType(), "text/plain");
}

TEST(Layouts, PlainTextWithHeadersInOrder) {
    TmsMessage m = Basic();
    m.Sender.Name = "A. Smith";
    m.Recipients.Add("c@example.org", "Carl");
    m.Recipients.Add("d@example.org", "Dora");
    m.CC.Add("e@example.org", "Eve");
    m.BCC.Add("hidden@example.org", "Hidden");
    m.ReturnReceipt = true;
    m.Priority = TPriority::ptHigh;
    m.Headers.Lines = {"X-Mailer: Tessaro", "subject: sneaky", "To: x@y", " continued"};
    m.Body = {"line one", ".", ".profile"};
    EXPECT_EQ(Encode(m),
              "From:     \"A. Smith\" <ann@example.org>\r\n"
              "To:       Bob <bob@example.org>,\r\n"
              "          Carl <c@example.org>,\r\n"
              "          Dora <d@example.org>\r\n"
              "CC:       Eve <e@example.org>\r\n"
              "Return-Receipt-To: <ann@example.org>\r\n"
              "X-Priority: 1\r\n"
              "X-Mailer: Tessaro\r\n"
              "Subject: Hello\r\n"
              "Mime-Version: 1.0\r\n"
              "Content-Type: text/plain; charset=\"us-ascii\"\r\n"
              "Content-Transfer-Encoding: 7bit\r\n"
              "\r\n"
              "line one\r\n"
              ".\r\n"
              ".profile\r\n");
}

TEST(Layouts, LongLinesAndLatinTextGoQuotedPrintable) {
    TmsMessage m = Basic();
    m.Body = {std::string(300, 'a')};
    const std::string longText = Encode(m);
    EXPECT_NE(longText.find("charset=\"us-ascii\"\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n" +
                            std::string(65, 'a') + "=\r\n"),
              std::string::npos);
    m.Body = {"caf\xe9"};
    m.CharSet = TCharSet::csISO8859;
    EXPECT_NE(Encode(m).find(
                  "charset=\"iso-8859-1\"\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\ncaf=E9\r\n"),
              std::string::npos);
}

TEST(Layouts, HeaderValuesCannotBreakLines) {
    TmsMessage m = Basic();
    m.Subject = "Hi\r\nBcc: victim@example.org";
    m.Sender.Name = std::string("Ann\0X", 5);
    const std::string text = Encode(m);
    EXPECT_NE(text.find("Subject: Hi  Bcc: victim@example.org\r\n"), std::string::npos);
    EXPECT_NE(text.find("From:     Ann X <"), std::string::npos);
}

TEST(Layouts, BodyAndOneAttachmentIsMixed) {
    TmsMessage m = Basic();
    m.Body = {"see attached"};
    m.Attachments.AddItem(Att("/home/u/report.doc", "application/msword", kEncBase64, "Man"));
    EXPECT_EQ(Encode(m).substr(Encode(m).find("Mime-Version")),
              "Mime-Version: 1.0\r\n"
              "Content-Type: multipart/mixed; boundary=\"11111111\"\r\n"
              "\r\n"
              "This is a multipart message in MIME format\r\n"
              "\r\n"
              "--11111111\r\n"
              "Content-Type: text/plain; charset=\"us-ascii\"\r\n"
              "Content-Transfer-Encoding: 7bit\r\n"
              "\r\n"
              "see attached\r\n"
              "\r\n"
              "--11111111\r\n"
              "Content-Type: application/msword; name=\"report.doc\"\r\n"
              "Content-Transfer-Encoding: Base64\r\n"
              "Content-Disposition: attachment; filename=\"report.doc\"\r\n"
              "\r\n"
              "TWFu\r\n"
              "\r\n"
              "--11111111--\r\n");
}

TEST(Layouts, EmptyBodyAndOneTextFileIsThatFileAlone) {
    TmsMessage m = Basic();
    m.Attachments.AddItem(Att("notes.txt", "text/plain", kEncQuotedPrintable, "a=b\r\n"));
    const std::string text = Encode(m);
    EXPECT_EQ(text.substr(text.find("Mime-Version")),
              "Mime-Version: 1.0\r\n"
              "Content-Type: text/plain; name=\"notes.txt\"\r\n"
              "Content-Transfer-Encoding: Quoted-Printable\r\n"
              "Content-Disposition: attachment; filename=\"notes.txt\"\r\n"
              "\r\n"
              "a=3Db\r\n");
}

TEST(Layouts, HtmlBodyFileIsTheText) {
    TmsMessage m = Basic();
    m.CharSet = TCharSet::csISO8859;
    m.Attachments.AddItem(Att("/t/_htmbody.htm", "text/html", kEncQuotedPrintable, "<p>caf\xe9</p>"));
    const std::string text = Encode(m);
    EXPECT_EQ(text.substr(text.find("Mime-Version")),
              "Mime-Version: 1.0\r\n"
              "Content-Type: text/html; charset=\"iso-8859-1\"\r\n"
              "Content-Transfer-Encoding: quoted-printable\r\n"
              "\r\n"
              "<p>caf=E9</p>=\r\n");
}

TEST(Layouts, AlternativeGroupNestedInMixed) {
    TmsMessage m = Basic();
    m.Attachments.AddItem(Att("_alt.1", "text/plain", kEncQuotedPrintable, "hi"));
    m.Attachments.AddItem(Att("_alt.2", "text/html", kEncQuotedPrintable, "<b>hi</b>"));
    m.Attachments.AddItem(Att("pic.png", "image/png", kEncBase64, "M"));
    const std::string text = Encode(m);
    EXPECT_EQ(text.substr(text.find("Mime-Version")),
              "Mime-Version: 1.0\r\n"
              "Content-Type: multipart/mixed; boundary=\"11111111\"\r\n"
              "\r\n"
              "This is a multipart message in MIME format\r\n"
              "\r\n"
              "--11111111\r\n"
              "Content-Type:  multipart/alternative; boundary=\"22222222\"\r\n"
              "Content-Transfer-Encoding: 7bit\r\n"
              "\r\n"
              "--22222222\r\n"
              "Content-Type: text/plain\r\n"
              "Content-Transfer-Encoding: Quoted-Printable\r\n"
              "\r\n"
              "hi=\r\n"
              "\r\n"
              "--22222222\r\n"
              "Content-Type: text/html\r\n"
              "Content-Transfer-Encoding: Quoted-Printable\r\n"
              "\r\n"
              "<b>hi</b>=\r\n"
              "\r\n"
              "--22222222--\r\n"
              "--11111111\r\n"
              "Content-Type: image/png; name=\"pic.png\"\r\n"
              "Content-Transfer-Encoding: Base64\r\n"
              "Content-Disposition: attachment; filename=\"pic.png\"\r\n"
              "\r\n"
              "TQ==\r\n"
              "\r\n"
              "--11111111--\r\n");
}

TEST(Layouts, AllAlternativeIsOneAlternativeGroup) {
    TmsMessage m = Basic();
    m.Attachments.AddItem(Att("_alt.1", "text/plain", kEnc7bit, "hi"));
    m.Attachments.AddItem(Att("_alt.2", "text/html", kEnc7bit, "<b>hi</b>"));
    const std::string text = Encode(m);
    EXPECT_NE(text.find("Content-Type: multipart/alternative; boundary=\"11111111\"\r\n"), std::string::npos);
    EXPECT_EQ(text.find("22222222"), std::string::npos);
    EXPECT_NE(text.find("--11111111\r\nContent-Type: text/html\r\nContent-Transfer-Encoding: "
                        "7bit\r\n\r\n<b>hi</b>\r\n--11111111--\r\n"),
              std::string::npos);
}

TEST(Layouts, UuencodeHasNoMimeHeaders) {
    TmsMessage m = Basic();
    m.Encoding = TMsgEncoding::meUU;
    m.Body = {"body"};
    m.Attachments.AddItem(Att("/x/cat.bin", "application/octet-stream", kEncBase64, "Cat"));
    EXPECT_EQ(Encode(m),
              "From:     Ann Smith <ann@example.org>\r\n"
              "To:       Bob <bob@example.org>\r\n"
              "Subject: Hello\r\n"
              "\r\n"
              "body\r\n"
              "\r\n"
              "begin 600 cat.bin\r\n"
              "#0V%T\r\n"
              "`\r\n"
              "end\r\n");
}

TEST(Layouts, JapaneseNamesAndSubjectAreEncodedWords) {
    TmsMessage m = Basic();
    m.CharSet = TCharSet::csISO2022jp;
    m.Subject = "\x1b$B";
    const std::string text = Encode(m);
    EXPECT_NE(text.find("Subject: =?ISO-2022-JP?B?GyRC?=\r\n"), std::string::npos);
    EXPECT_NE(text.find("charset=\"iso-2022-jp\"\r\nContent-Transfer-Encoding: 7bit"), std::string::npos);
}

TEST(Attachments, RegularFilesOnlyWithTypeByExtension) {
    const auto dir = std::filesystem::temp_directory_path() / ("mailatt" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string txt = (dir / "a.txt").string();
    std::ofstream(txt, std::ios::binary) << "hello";
    const std::string bin = (dir / "b.qqqzz").string();
    std::ofstream(bin, std::ios::binary) << "x";
    TmsAttList list;
    list.Add(txt);
    list.Add(bin);
    EXPECT_EQ(list.Items(0).ContentType, "text/plain");
    EXPECT_EQ(list.Items(0).Encoding, kEncQuotedPrintable);
    EXPECT_EQ(list.Items(0).Content, "hello");
    EXPECT_EQ(list.Items(1).ContentType, "application/octet-stream");
    EXPECT_EQ(list.Items(1).Encoding, kEncBase64);
    for (const std::string& bad : {dir.string(), std::string("/dev/zero"), (dir / "missing").string()}) {
        EXPECT_THROW(list.Add(bad), MailError) << bad;
    }
    EXPECT_EQ(list.Count(), 2);
    std::filesystem::remove_all(dir);
}

TEST(Headers, FieldValueAndDelete) {
    TmsHeaders h;
    h.Lines = {"To: a@b", " c@d", "Subject: hi there  "};
    EXPECT_EQ(h.GetFieldValue("to"), "a@b c@d");
    EXPECT_EQ(h.GetFieldValue("SUBJECT:"), "hi there");
    EXPECT_EQ(h.GetFieldValue("Cc"), "");
    h.DeleteField("To");
    EXPECT_EQ(h.Lines, std::vector<std::string>{"Subject: hi there  "});
    h.DeleteField("X-None");
    EXPECT_EQ(h.Lines.size(), 1u);
    EXPECT_EQ(EncodingOfContentType("TEXT/HTML"), kEncQuotedPrintable);
    EXPECT_EQ(EncodingOfContentType("message/rfc822"), kEnc7bit);
    EXPECT_EQ(EncodingOfContentType("image/png"), kEncBase64);
}
