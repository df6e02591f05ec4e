#include "editor/commands/reboot_dialogs.h"

#include <QTextEdit>

#include "editor/commands/form_parts.h"

namespace tessaro {

using namespace parts;

TDoReboot::TDoReboot(QWidget* owner) : CommandDialog(owner, "TDoReboot", tr("Reboot or Shut Down")) {
    AddRadios(Body(), kRebootChoices, tr("Commands"));
}

void TDoReboot::FocusFirst() {
    if (NewCommand == 1) CheckAndFocus(Radio("Logoff"));
}

void TDoReboot::OkButtonClick() {
    Result = BuildReboot(CheckedKind(kRebootChoices));
    Accept(Result);
}

TDoTBox::TDoTBox(QWidget* owner) : CommandDialog(owner, "TDoTBox", tr("Display A Text Box")) {
    Header = Edit(this, "Header", kTBoxHeaderMax);
    Contents = new QTextEdit(this);
    Contents->setObjectName("Contents");
    Contents->setAcceptRichText(false);
    Body()->addWidget(Label(this, tr("Box Header"), Header));
    Body()->addWidget(Header);
    Body()->addWidget(Label(this, tr("Box Content"), Contents));
    Body()->addWidget(Contents);
    // The memo takes at most 500 characters.
    connect(Contents, &QTextEdit::textChanged, this, [this] {
        const QString text = Contents->toPlainText();
        if (text.size() <= kTBoxContentsMax) return;
        Contents->setPlainText(text.left(kTBoxContentsMax));
        Contents->moveCursor(QTextCursor::End);
    });
}

void TDoTBox::Preset(const std::string& header, const std::string& contents) {
    Header->setText(win::ToQt(header));
    Contents->setPlainText(win::ToQt(contents));
    kept_.reset();
    if (auto memo = win::EntryText(Contents->toPlainText())) kept_ = TBoxKept{std::move(*memo), contents};
}

void TDoTBox::SetDefaults() {
    BoxHeader.clear();
    Header->clear();
    Contents->clear();
    kept_.reset();
}

void TDoTBox::FocusFirst() {
    Header->setFocus(Qt::OtherFocusReason);
    BoxConfirmed = 0;
}

void TDoTBox::OkButtonClick() {
    const auto header = ReadText(Header);
    if (!header) return;
    const auto text = ReadText(Contents);
    if (!text) return;
    Result = BuildTBox(*header, *text, kept_ ? &*kept_ : nullptr);
    if (!Accept(Result)) return;
    BoxConfirmed = 1;
    BoxHeader = Result.fields.BoxHeader;
}

}  // namespace tessaro
