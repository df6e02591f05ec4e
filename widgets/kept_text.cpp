#include "widgets/kept_text.h"

#include <QLineEdit>
#include <QValidator>
#include <algorithm>

namespace tessaro {
namespace {

// A validator rather than the edit's maximum length: the edit cuts whatever setText gives it
// at that maximum, while a validator can tell the program's texts from the user's changes.
class TypedLimit final : public QValidator {
public:
    TypedLimit(QLineEdit& edit, int limit)
        : QValidator(&edit), edit_(edit), limit_(limit), before_(edit.text().size()) {
        connect(&edit, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text.size(); });
    }
    // A change of the user's is the only kind that marks the edit modified before it is
    // checked; setText clears the mark first.
    State validate(QString& input, int&) const override {
        if (!edit_.isModified()) return Acceptable;
        return input.size() <= std::max<qsizetype>(limit_, before_) ? Acceptable : Invalid;
    }
    int Limit() const { return limit_; }
    void SetLimit(int limit) { limit_ = limit; }

private:
    QLineEdit& edit_;
    int limit_;
    qsizetype before_;  // the length of the text before the change being checked
};

TypedLimit* LimitOf(const QLineEdit& edit) {
    for (QObject* child : edit.children())
        if (auto* limit = dynamic_cast<TypedLimit*>(child); limit && edit.validator() == limit) return limit;
    return nullptr;
}

}  // namespace

void LimitTyping(QLineEdit& edit, int typedLimit) {
    if (TypedLimit* limit = LimitOf(edit)) return limit->SetLimit(typedLimit);
    edit.setValidator(new TypedLimit(edit, typedLimit));
}

int TypingLimit(const QLineEdit& edit) {
    const TypedLimit* limit = LimitOf(edit);
    return limit ? limit->Limit() : edit.maxLength();
}

}  // namespace tessaro
