#pragma once
// The frame every command dialog's logic plugs into. A family provides, beside its own
// header (see delay_forms.h for the complete example):
//
//   struct XForm   { ... };            // the controls' values, Windows-1252 text as typed
//   struct XFields { ... };            // the typed result fields, in the dialog's order
//   XForm XDefaults();                 // what FormShow puts in with NewCommand 1
//   XForm XPreset(const TSomeRec&);    // the controls for an existing line's record
//   FormResult<XFields> BuildX(const XForm&);
//
// and, where it has radio buttons, one RadioChoice table that drives the form, the
// builder, the preset and the tests. A builder reads the text fields with FieldText and
// the number readers below, refuses with Fail(message, control) and finishes with
// Finish(fields, code, record): CommandText is then the serialiser's text of that record,
// so a dialog and a saved script can never write the same command two ways.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "editor/script/script_line.h"
#include "editor/script/script_writer.h"
#include "macro/macro_language.h"

namespace tessaro {

// What a refused OK shows: the message (box captioned "Error") and the control, by its
// object name, that gets the focus back (empty: the focus stays where it is).
struct FormError {
    std::string message;
    std::string focus;
    bool operator==(const FormError&) const = default;
};

template <class Fields>
struct FormResult {
    std::optional<FormError> error;  // set: the dialog stays open, nothing below counts
    Fields fields{};
    int code = 0;  // the command code of the line the dialog made
    LineRecord record;
    std::string CommandText;

    bool ok() const { return !error; }
};

template <class Fields>
FormResult<Fields> Fail(std::string message, std::string focus) {
    FormResult<Fields> r;
    r.error = FormError{std::move(message), std::move(focus)};
    return r;
}

// The serialiser's text of the record; a record it cannot write is refused as a whole.
std::optional<FormError> WriteCommand(int code, const LineRecord& record, std::string& text);

template <class Fields>
FormResult<Fields> Finish(Fields fields, int code, LineRecord record) {
    FormResult<Fields> r;
    if (auto bad = WriteCommand(code, record, r.CommandText)) {
        r.error = std::move(bad);
        r.CommandText.clear();
        return r;
    }
    r.fields = std::move(fields);
    r.code = code;
    r.record = std::move(record);
    return r;
}

// Whose text a builder writes where its callers write a command differently: the command
// dialog, or the quick wizard with its older, shorter forms that the player reads as well.
enum class TextForm { Dialog, Wizard };

// As Finish, for a text the family writes itself because the serialiser writes only the
// dialog's form; the record is the one the parser reads back from that text.
template <class Fields>
FormResult<Fields> FinishText(Fields fields, int code, LineRecord record, std::string text) {
    FormResult<Fields> r;
    r.fields = std::move(fields);
    r.code = code;
    r.record = std::move(record);
    r.CommandText = std::move(text);
    return r;
}

// One radio button of a family: its object name and caption, the kind the dialog reports,
// the command code of the line it makes and the token that line starts with (None where
// the token depends on more than the choice).
struct RadioChoice {
    std::string_view control;
    std::string_view caption;
    std::int32_t kind;
    int code;
    TokenKind token;
};

const RadioChoice* ChoiceOfKind(std::span<const RadioChoice> table, std::int32_t kind);
const RadioChoice* ChoiceOfControl(std::span<const RadioChoice> table, std::string_view control);
const RadioChoice* ChoiceOfCode(std::span<const RadioChoice> table, int code);

// ---- Readers of typed fields -------------------------------------------------------

// An edit field as OK reads it: blanks trimmed at both ends. Nothing is cut: typing stops at
// each field's limit, and a longer text there came from the line being edited.
std::string FieldText(std::string_view typed);

// The whole text as a 32-bit whole number in the "C" locale: an optional sign and
// decimal digits only. "", "1x", "0x10", "1e3", "0,5" and 2147483648 give nullopt.
std::optional<std::int32_t> WholeNumber(std::string_view text);

// The whole text as a decimal real in the "C" locale ("0.5", ".5", "-2", "60.00"); no
// exponent, no comma, nothing else.
std::optional<double> RealNumber(std::string_view text);

// A whole number within [low, high]; nullopt for text that is not one or lies outside.
std::optional<std::int32_t> WholeInRange(std::string_view text, std::int32_t low, std::int32_t high);

// ---- Files named in a command -------------------------------------------------------

// A regular file (not a directory) at that path (Windows-1252, taken as UTF-8 on disk).
bool RegularFileExists(std::string_view path);

// A program to launch: a path holding "/" must be a regular file; a bare name counts when
// a regular file of that name lies in a folder of PATH.
bool ProgramExists(std::string_view path);

// ---- The free-text check every dialog uses --------------------------------------------

// Refusal for a text that holds a character the macro text cannot carry there.
std::string BadCharacterMessage(char c);

// Free text ends its token at the first of `stops`; such a text is refused naming it.
std::optional<FormError> CheckFreeText(std::string_view text, std::string_view focus,
                                       std::string_view stops = ">");

// A password is stored substituted (SwapPasswordChars): a "W" would become the ">" that
// ends the token, so it is refused; "U" becomes "<", which ends nothing.
std::optional<FormError> CheckPassword(std::string_view password, std::string_view focus);

}  // namespace tessaro
