// The tokens that are walked rather than matched: e-mail, launching, dates and times.
#include <array>

#include "editor/script/command_table.h"
#include "editor/script/display_text.h"
#include "editor/script/parse_token.h"
#include "editor/script/text_util.h"
#include "macro/macro_language.h"

namespace tessaro::parse {

namespace {

constexpr char kFieldEnd = '\x01';

// Walks an e-mail token field by field, copying every character it passes.
class EmailWalk {
public:
    explicit EmailWalk(const Cursor& c, std::size_t k) : c_(c), k_(k) {}

    // The next two characters, or nothing when the text ends before them.
    std::optional<std::string_view> Code() {
        const std::string_view code = c_.Field(k_, 2);
        if (code.size() != 2) return std::nullopt;
        k_ += 2;
        return code;
    }
    // A value and its closing byte 0x01.
    bool Value() {
        const auto value = c_.Until(k_, kFieldEnd);
        if (!value) return false;
        k_ = value->next;
        return true;
    }
    std::size_t Offset() const { return k_; }

private:
    const Cursor& c_;
    std::size_t k_;
};

std::optional<int> ModeOf(std::string_view code, char letter, int count) {
    if (code.size() == 2 && code[0] == letter && code[1] >= '1' && code[1] < '1' + count)
        return code[1] - '0';
    return std::nullopt;
}

}  // namespace

std::optional<Made> EmailToken(const Cursor& c, std::string_view literal) {
    static constexpr std::array<std::string_view, 3> kGroups = {"TO", "CC", "BL"};
    EmailWalk walk(c, literal.size());
    TEmailRec rec{.Token = {}, .RecipientMode = 0, .TextMode = 0, .AttachMode = 0};
    if (!walk.Code()) return std::nullopt;  // the receipt flag
    auto code = walk.Code();
    if (!code) return std::nullopt;
    if (*code == "R1") {
        rec.RecipientMode = 1;
        code = walk.Code();
        for (const std::string_view group : kGroups) {
            if (!code) return std::nullopt;
            if (*code != group) continue;
            if (!walk.Value()) return std::nullopt;
            code = walk.Code();
        }
    } else {
        rec.RecipientMode = 2;
        code = walk.Code();
    }
    if (!code) return std::nullopt;
    rec.TextMode = ModeOf(*code, 'S', 4).value_or(0);
    const int values = rec.TextMode == 1 ? 2 : rec.TextMode == 3 ? 1 : rec.TextMode == 4 ? 2 : 0;
    for (int i = 0; i < values; ++i) {
        if (!walk.Value()) return std::nullopt;
    }
    code = walk.Code();
    if (!code) return std::nullopt;
    rec.AttachMode = ModeOf(*code, 'A', 3).value_or(0);
    if (rec.AttachMode == 2 && !walk.Value()) return std::nullopt;
    // The serialiser writes the token as copied, ">" included: one missing here would be
    // written where another character stood.
    if (!c.CharIs(walk.Offset(), '>')) return std::nullopt;
    const std::size_t length = walk.Offset() + 1;
    rec.Token = std::string(c.Field(0, length));

    return Made{length, tessaro::MakeLine(cmd::EmailSend, std::move(rec)), cmd::EmailSend};
}

}  // namespace tessaro::parse

namespace tessaro::parse {

namespace {

constexpr std::string_view kParam = "<PARAM";

// The program part: path, "<PARAM>" and parameters, and a run style digit before 0x01.
struct ProgramPart {
    std::string path, parameters;
    std::int32_t runStyle = 0;
    std::size_t next = 0;
};

std::optional<ProgramPart> ReadProgramPart(const Cursor& c, std::size_t k) {
    const auto path = c.Until(k, '>');
    if (!path) return std::nullopt;
    ProgramPart part{std::string(path->text), {}, 0, path->next};
    std::string* last = &part.path;
    // Only a path that ends in "<PARAM" stopped at the ">" of "<PARAM>".
    if (part.path.ends_with(kParam)) {
        part.path.resize(part.path.size() - kParam.size());
        // A second "<PARAM" could not be told from the first once written back.
        if (part.path.ends_with(kParam)) return std::nullopt;
        const auto parameters = c.Until(path->next, '>');
        if (!parameters) return std::nullopt;
        part.parameters = std::string(parameters->text);
        part.next = parameters->next;
        last = &part.parameters;
    }
    // A digit before a final 0x01 is the run style; anything else there stays as typed.
    const std::size_t n = last->size();
    if (n >= 2 && (*last)[n - 1] == kFieldEnd && (*last)[n - 2] >= '0' && (*last)[n - 2] <= '9') {
        part.runStyle = (*last)[n - 2] - '0';
        last->resize(n - 2);
    }
    return part;
}

}  // namespace

std::optional<Made> LaunchToken(const Cursor& c, std::string_view literal, const LaunchShape& shape) {
    TLaunchRec rec;
    rec.Kind = shape.kind;
    rec.Value2 = 12;
    std::size_t k = literal.size();
    if (shape.value1At) {
        rec.Value1 = c.Int(shape.value1At, 2);
        k = shape.value1At + 2;
    }
    if (shape.value2At) {
        rec.Value2 = c.Int(shape.value2At, 2);
        k = shape.value2At + 2;
    }
    for (std::size_t i = literal.size(); i < k; ++i) {
        if (c.CharIs(i, '>')) return std::nullopt;
    }
    if (shape.kind != 2) {
        // The window title runs to the "<" of the "<LAUNCH:" that the serialiser writes
        // back, so that literal must stand there.
        const std::string_view launch = SpecOf(TokenKind::Launch).prefix;
        const auto title = c.Until(k, '<');
        if (!title || c.Field(title->next - 1, launch.size()) != launch) return std::nullopt;
        rec.WindowTitle = std::string(title->text);
        k = title->next - 1 + launch.size();
    }
    auto part = ReadProgramPart(c, k);
    if (!part) return std::nullopt;
    rec.ProgramPath = std::move(part->path);
    rec.Parameters = std::move(part->parameters);
    rec.Value3 = part->runStyle;
    if (shape.code != cmd::ActivateOrLaunch)
        return Made{part->next, tessaro::MakeLine(shape.code, std::move(rec)), shape.code};
    // The parser names only the program, where the editors add the window title.
    std::string display =
        std::string(CommandName(shape.code)) + ": " + std::string(FileNamePart(rec.ProgramPath));
    return Made{part->next, MakeLine(shape.code, std::move(display), std::move(rec)), shape.code};
}

}  // namespace tessaro::parse
