#include "widgets/label_text.h"

namespace tessaro {

namespace {

// Calls plain(text) for runs of ordinary characters, mnemonic(ch) for the marked letter
// and lineBreak() for each break.
template <typename Plain, typename Mnemonic, typename Break>
void WalkCaption(const QString& caption, Plain plain, Mnemonic mnemonic, Break lineBreak) {
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i];
        if (c == '&' && i + 1 < caption.size()) {
            const QChar next = caption[++i];
            if (next == '&')
                plain(QString(next));
            else if (next == '\n' || next == '\r')
                --i;  // a mark before a break marks nothing
            else
                mnemonic(next);
        } else if (c == '\n' || c == '\r') {
            // LF CR, CR LF, LF or CR: one break.
            const QChar other = c == '\n' ? QChar('\r') : QChar('\n');
            if (i + 1 < caption.size() && caption[i + 1] == other) ++i;
            lineBreak();
        } else if (c != '&') {
            plain(QString(c));
        }
    }
}

}  // namespace

QString CaptionShown(const QString& caption) {
    QString out;
    WalkCaption(
        caption, [&](const QString& s) { out += s; }, [&](QChar c) { out += c; }, [&] { out += '\n'; });
    return out;
}

QString CaptionUnderlined(const QString& caption) {
    QString out;
    WalkCaption(
        caption, [&](const QString& s) { out += s.toHtmlEscaped(); },
        [&](QChar c) { out += "<u>" + QString(c).toHtmlEscaped() + "</u>"; }, [&] { out += "<br>"; });
    return out;
}

}  // namespace tessaro
