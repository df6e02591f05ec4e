#include "editor/commands/chooser.h"

#include <QFileDialog>

#include "mail/ui/send_email_dialog.h"
#include "platform/cp1252.h"

namespace tessaro {
namespace {

class DesktopPathChooser final : public PathChooser {
public:
    std::optional<std::string> ChooseFile(QWidget* owner, const QString& title,
                                          const std::string& filter) override {
        const QString path = QFileDialog::getOpenFileName(owner, title, QString(), mail::QtFileFilter(filter),
                                                          nullptr, QFileDialog::ReadOnly);
        if (path.isEmpty()) return std::nullopt;
        return win::Utf8ToCp1252(path.toStdString());
    }
    std::optional<std::string> ChooseFolder(QWidget* owner, const QString& title) override {
        const QString path = QFileDialog::getExistingDirectory(owner, title);
        if (path.isEmpty()) return std::nullopt;
        return win::Utf8ToCp1252(path.toStdString());
    }
};

}  // namespace

PathChooser& SystemPathChooser() {
    static DesktopPathChooser chooser;
    return chooser;
}

}  // namespace tessaro
