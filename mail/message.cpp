#include "mail/message.h"

#include <QIODevice>
#include <QRandomGenerator>
#include <algorithm>

#include "mail/encodings.h"
#include "mail/mail_error.h"

namespace tessaro::mail {
namespace {

constexpr std::size_t kLongLine = 256;
constexpr std::size_t kSubjectCapacity = 255;
constexpr const char* kRemovedFields[] = {
    "From",    "To",           "CC",           "BCC",        "Return-Receipt-To",        "X-Priority",
    "Subject", "Mime-Version", "Content-Type", "X-Encoding", "Content-Transfer-Encoding"};

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string LowerBaseName(const TmsAttItem& item) { return Lower(BaseName(item.FileName)); }
bool IsAltPart(const TmsAttItem& item) { return LowerBaseName(item).rfind("_alt.", 0) == 0; }
std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

const char* EncodingName(std::uint8_t encoding) {
    switch (encoding) {
        case kEnc7bit: return "7bit";
        case kEncQuotedPrintable: return "Quoted-Printable";
        default: return "Base64";
    }
}

class RandomDigits : public BoundarySource {
public:
    std::string NextBoundary() override {
        std::string digits(8, '0');
        for (char& c : digits) c = static_cast<char>('0' + QRandomGenerator::global()->bounded(9));
        return digits;
    }
};

// Writes one message; every line goes out with CR LF, even a lone "." (the transfer
// stuffs dots, not the encoder).
class Encoder {
public:
    Encoder(const TmsMessage& m, BoundarySource& b) : m_(m), boundaries_(b) {
        longLines_ = std::any_of(m.Body.begin(), m.Body.end(),
                                 [](const std::string& l) { return l.size() >= kLongLine; });
        mime_ = m.Encoding == TMsgEncoding::meMIME;
    }

    std::string Run() {
        WriteHeaders();
        const std::string type = m_.ContentType();
        const int count = m_.Attachments.Count();
        if (!mime_)
            UuLayout();
        else if (type == "multipart/mixed")
            Multipart(false);
        else if (type == "multipart/alternative")
            Multipart(true);
        else if (type == "text/html" || type == "text/rtf")
            RichText(type);
        else if (count > 0)
            SingleAttachment();
        else
            TextLayout();
        return std::move(out_);
    }

private:
    void Line(std::string_view s) {
        out_.append(s);
        out_.append("\r\n");
    }
    // Header lines are folded to the protocol's line limit.
    void Header(std::string_view s) { Lines(FoldHeaderLine(s)); }
    void Lines(const std::vector<std::string>& lines) {
        for (const std::string& l : lines) Line(l);
    }

    std::string NameText(const std::string& name) const {
        std::string n = OneLine(name);
        if (m_.CharSet == TCharSet::csISO2022jp && mime_) return EncodedHeaderWord(n);
        if (n.find('.') != std::string::npos && n.find('"') == std::string::npos) return Quoted(n);
        return n;
    }
    std::string Mailbox(const TmsMailAddress& a) const {
        return NameText(a.Name) + " <" + OneLine(a.Address) + ">";
    }
    static std::string Label(const std::string& label) {
        std::string l = label;
        l.resize(std::max<std::size_t>(l.size(), 10), ' ');
        return l;
    }

    void AddressHeader(const char* label, const TmsAddressList& list) {
        for (int i = 0; i < list.Count(); ++i) {
            const std::string head = i == 0 ? Label(std::string(label) + ":") : std::string(10, ' ');
            Header(head + Mailbox(list.Items(i)) + (i + 1 < list.Count() ? "," : ""));
        }
    }

    void WriteHeaders() {
        Header(Label("From:") + Mailbox(m_.Sender));
        AddressHeader("To", m_.Recipients);
        AddressHeader("CC", m_.CC);
        if (m_.ReturnReceipt) Header("Return-Receipt-To: <" + OneLine(m_.Sender.Address) + ">");
        if (m_.Priority == TPriority::ptLow) Line("X-Priority: 5");
        if (m_.Priority == TPriority::ptHigh) Line("X-Priority: 1");
        TmsHeaders extra = m_.Headers;
        for (const char* field : kRemovedFields) extra.DeleteField(field);
        for (const std::string& l : extra.Lines) Header(OneLine(l));
        if (!m_.Subject.empty()) {
            // The subject is a short string: longer text is cut, as the field holds it.
            const std::string subject = OneLine(std::string_view(m_.Subject).substr(0, kSubjectCapacity));
            Header("Subject: " +
                   (m_.CharSet == TCharSet::csISO2022jp && mime_ ? EncodedHeaderWord(subject) : subject));
        }
        if (mime_) Line("Mime-Version: 1.0");
    }

    std::string BodyText() const {
        std::string text;
        for (const std::string& l : m_.Body) text += l + "\r\n";
        return text;
    }

    void TextPart() {
        const bool qp = m_.CharSet == TCharSet::csISO8859 || longLines_;
        switch (m_.CharSet) {
            case TCharSet::csISO8859: Line("Content-Type: text/plain; charset=\"iso-8859-1\""); break;
            case TCharSet::csISO2022jp: Line("Content-Type: text/plain; charset=\"iso-2022-jp\""); break;
            case TCharSet::csUSASCII: Line("Content-Type: text/plain; charset=\"us-ascii\""); break;
        }
        Line(qp ? "Content-Transfer-Encoding: quoted-printable" : "Content-Transfer-Encoding: 7bit");
        Line("");
        if (qp)
            Lines(EncodeQuotedPrintable(BodyText()));
        else
            Lines(m_.Body);
    }

    void TextLayout() { TextPart(); }

    void RichText(const std::string& type) {
        Line(std::string(type == "text/html" ? "Content-Type: text/html" : "Content-Type: text/rtf") +
             (m_.CharSet != TCharSet::csUSASCII ? "; charset=\"iso-8859-1\"" : ""));
        Line("Content-Transfer-Encoding: quoted-printable");
        Line("");
        // A message that is only its html or rtf file: that file is the text.
        if (m_.Body.empty() && m_.Attachments.Count() == 1)
            Lines(EncodeQuotedPrintableExact(m_.Attachments.Items(0).Content));
        else
            Lines(EncodeQuotedPrintable(BodyText()));
    }

    // An attachment arrives as the file is: its own line ends, none added. False when the
    // content (7bit) ended without a line end and the line end written after it is its own.
    bool Content(const TmsAttItem& item) {
        switch (item.Encoding) {
            case kEncQuotedPrintable: Lines(EncodeQuotedPrintableExact(item.Content)); return true;
            case kEnc7bit: {
                Lines(SplitTextLines(item.Content));
                const std::string& c = item.Content;
                return c.empty() || c.back() == '\n' || c.back() == '\r';
            }
            default: Lines(EncodeBase64Lines(item.Content)); return true;
        }
    }

    void SingleAttachment() {
        const TmsAttItem& item = m_.Attachments.Items(0);
        const bool only = m_.Attachments.Count() == 1;
        const std::string lower = LowerBaseName(item);
        const std::string name = OneLine(BaseName(item.FileName));
        const bool html = only && lower == "_htmbody.htm";
        const bool rtf = only && lower == "_rtfbody.rtf";
        if (html)
            Line("Content-Type: text/html");
        else if (rtf)
            Line("Content-Type: text/rtf");
        else
            Header("Content-Type: " + OneLine(item.ContentType) + "; name=" + Quoted(name));
        Line(std::string("Content-Transfer-Encoding: ") + EncodingName(item.Encoding));
        if (!html && !rtf) Header("Content-Disposition: attachment; filename=" + Quoted(name));
        Line("");
        Content(item);
    }

    void Multipart(bool alternative) {
        const auto& atts = m_.Attachments;
        const bool bodyEmpty = m_.Body.empty();
        bool html = atts.Count() > 0 && bodyEmpty && LowerBaseName(atts.Items(0)) == "_htmbody.htm";
        bool rtf = atts.Count() > 0 && bodyEmpty && LowerBaseName(atts.Items(0)) == "_rtfbody.rtf";
        std::string boundary = boundaries_.NextBoundary();
        Line("Content-Type: " + m_.ContentType() + "; boundary=" + Quoted(boundary));
        Line("");
        Line(MailErrorText(57106));
        Line("");
        Line("--" + boundary);
        bool group = atts.Count() > 0 && IsAltPart(atts.Items(0));
        std::string outer;
        if (group && !alternative) {
            outer = boundary;
            boundary = boundaries_.NextBoundary();
            Line("Content-Type:  multipart/alternative; boundary=" + Quoted(boundary));
            Line("Content-Transfer-Encoding: 7bit");
            Line("");
            Line("--" + boundary);
        }
        if (!bodyEmpty) {
            TextPart();
            Line("");
            Line("--" + boundary);
        }
        for (int i = 0; i < atts.Count(); ++i) {
            const TmsAttItem& item = atts.Items(i);
            // The line end before this boundary line is the last part's own last one.
            if (i > 0) {
                Line("--" + boundary);
                html = rtf = false;
            }
            const bool named = !(alternative || group || html || rtf);
            const std::string name = OneLine(BaseName(item.FileName));
            Header("Content-Type: " + OneLine(item.ContentType) + (named ? "; name=" + Quoted(name) : ""));
            Line(std::string("Content-Transfer-Encoding: ") + EncodingName(item.Encoding));
            if (named) Header("Content-Disposition: attachment; filename=" + Quoted(name));
            Line("");
            // The line end before a boundary is the boundary's: content that ends without
            // one and cannot say so (7bit) is not given one more.
            if (Content(item)) Line("");
            if (i + 1 == atts.Count()) {
                Line("--" + boundary + "--");
            } else if (group && !IsAltPart(atts.Items(i + 1))) {
                group = false;
                Line("--" + boundary + "--");
                if (!outer.empty()) boundary = outer;
            }
        }
        if (atts.Count() == 0) Line("--" + boundary + "--");
    }

    void UuLayout() {
        Line("");
        Lines(m_.Body);
        for (int i = 0; i < m_.Attachments.Count(); ++i) {
            const TmsAttItem& item = m_.Attachments.Items(i);
            Line("");
            Line("begin 600 " + OneLine(BaseName(item.FileName)));
            Lines(EncodeUuLines(item.Content));
            Line("`");
            Line("end");
        }
    }

    const TmsMessage& m_;
    BoundarySource& boundaries_;
    std::string out_;
    bool longLines_ = false;
    bool mime_ = true;
};

}  // namespace

std::unique_ptr<BoundarySource> RandomBoundaries() { return std::make_unique<RandomDigits>(); }

std::string TmsMessage::ContentType() const {
    const int count = Attachments.Count();
    if (Encoding == TMsgEncoding::meUU) return {};
    if (count > 0) {
        bool allAlt = true;
        for (int i = 0; i < count; ++i) allAlt = allAlt && IsAltPart(Attachments.Items(i));
        if (allAlt) return "multipart/alternative";
    }
    if (count == 1 && Body.empty()) {
        const std::string name = LowerBaseName(Attachments.Items(0));
        if (name == "_rtfbody.rtf") return "text/rtf";
        if (name == "_htmbody.htm") return "text/html";
    }
    if (Body.empty()) {
        if (count == 1) return Lower(Attachments.Items(0).ContentType);
        return count == 0 ? "text/plain" : "multipart/mixed";
    }
    if (count > 0) return "multipart/mixed";
    return contentType_.empty() ? "text/plain" : contentType_;
}

void TmsMessage::SetContentType(const std::string& type) { contentType_ = Lower(type); }

void TmsMessage::Check() const {
    if (Sender.Address.empty())
        throw MailError(MailErrorKind::Message, kSenderRequired, MailErrorText(kSenderRequired));
    if (!Recipients.HasAddress() && !CC.HasAddress() && !BCC.HasAddress())
        throw MailError(MailErrorKind::Message, kRecipientRequired, MailErrorText(kRecipientRequired));
}

void TmsMessage::Clear() {
    Body.clear();
    Attachments.Clear();
    Sender = {};
    Headers.Lines.clear();
    Subject.clear();
    contentType_.clear();
    Encoding = TMsgEncoding::meMIME;
    CharSet = TCharSet::csUSASCII;
    CC.Clear();
    BCC.Clear();
    Recipients.Clear();
}

std::string TmsMessage::Encode(BoundarySource& boundaries) const { return Encoder(*this, boundaries).Run(); }

void TmsMessage::SaveToStream(QIODevice& out, BoundarySource& boundaries) const {
    const std::string text = Encode(boundaries);
    out.seek(0);
    if (out.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
        throw MailError(MailErrorKind::File, 0, "The message could not be written to a temporary file");
}

}  // namespace tessaro::mail
