#pragma once
// The e-mail message: sender, recipients, subject, body lines, extra headers and
// attachments, and its encoding into the text sent after DATA.
#include <memory>
#include <string>
#include <vector>

#include "mail/message_parts.h"

class QIODevice;

namespace tessaro::mail {

enum class TMsgEncoding { meMIME, meUU };
enum class TCharSet { csUSASCII, csISO8859, csISO2022jp };
enum class TPriority { ptLow, ptNormal, ptHigh };

// The eight digits of a multipart boundary; tests fix them.
class BoundarySource {
public:
    virtual ~BoundarySource() = default;
    virtual std::string NextBoundary() = 0;
};
// Digits 0 to 8, drawn at random.
std::unique_ptr<BoundarySource> RandomBoundaries();

class TmsMessage {
public:
    TmsMailAddress Sender;
    std::string Subject;
    TMsgEncoding Encoding = TMsgEncoding::meMIME;
    TCharSet CharSet = TCharSet::csUSASCII;
    TmsHeaders Headers;
    std::vector<std::string> Body;
    TmsAttList Attachments;
    TmsAddressList Recipients, CC, BCC;
    bool ReturnReceipt = false;
    TPriority Priority = TPriority::ptNormal;

    // The content-type rule: what the message is sent as.
    std::string ContentType() const;
    void SetContentType(const std::string& type);
    // Raises MailError (Message) 57100 without a sender address, 57101 without any recipient.
    void Check() const;
    void Clear();
    // The whole message text, each line ended by CR LF.
    std::string Encode(BoundarySource& boundaries) const;
    // Writes Encode's text into `out` from its start.
    void SaveToStream(QIODevice& out, BoundarySource& boundaries) const;

private:
    std::string contentType_ = "text/plain";
};

}  // namespace tessaro::mail
