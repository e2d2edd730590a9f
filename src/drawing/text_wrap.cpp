#include "drawing/text_wrap.h"

namespace render {

namespace {

const QString kEllipsis = QStringLiteral("...");

// The longest start of `word` that fits, at least one character so that the wrapping always
// moves on.
qsizetype FittingPrefix(const QString &word, int width, const std::function<int(const QString &)> &widthOf)
{
    qsizetype length = word.size();
    while (length > 1 && widthOf(word.left(length)) > width)
        --length;
    return length;
}

const QChar kEllipsisChar(0x2026);

// The pieces a name may be broken into: each word with the space after it, a hyphenated word
// broken after each hyphen when asked.
QStringList NamePieces(const QString &name, bool afterHyphens)
{
    QStringList pieces;
    QString piece;
    for (const QChar c : name) {
        piece += c;
        if (c == QLatin1Char(' ') || (afterHyphens && c == QLatin1Char('-'))) {
            pieces << piece;
            piece.clear();
        }
    }
    if (!piece.isEmpty())
        pieces << piece;
    return pieces;
}

} // namespace

QString CutWithEllipsis(const QString &text, int width, const std::function<int(const QString &)> &widthOf)
{
    const QString ellipsis(kEllipsisChar);
    qsizetype length = text.size();
    while (length > 0 && widthOf(text.left(length).trimmed() + ellipsis) > width)
        --length;
    QString kept = text.left(length);
    // "Jean-Baptiste…" reads better than "Jean-Baptiste d…".
    const qsizetype space = kept.lastIndexOf(QLatin1Char(' '));
    if (length < text.size() && text.at(length) != QLatin1Char(' ') && space >= 3 && space * 2 >= length)
        kept.truncate(space);
    while (!kept.isEmpty() && QStringLiteral(" -',").contains(kept.back()))
        kept.chop(1);
    return kept + ellipsis;
}

WrappedText WrapName(const QString &name, int width, int maxLines, bool afterHyphens,
                     const std::function<int(const QString &)> &widthOf)
{
    WrappedText result;
    if (maxLines < 1) {
        result.complete = name.trimmed().isEmpty();
        return result;
    }
    const QStringList pieces = NamePieces(name.simplified(), afterHyphens);
    QString line;
    qsizetype i = 0;
    for (; i < pieces.size(); ++i) {
        if (widthOf((line + pieces[i]).trimmed()) <= width) {
            line += pieces[i];
            continue;
        }
        if (line.isEmpty() || result.lines.size() + 1 >= maxLines)
            break; // a word wider than a line, or no line left for it
        result.lines << line.trimmed();
        line = pieces[i];
        if (widthOf(line.trimmed()) > width) {
            line.clear();
            break;
        }
    }
    if (i == pieces.size()) {
        if (!line.isEmpty())
            result.lines << line.trimmed();
        return result;
    }
    // What is left goes on the last line, cut before "…".
    result.complete = false;
    QString rest = line;
    for (qsizetype k = i; k < pieces.size(); ++k)
        rest += pieces[k];
    if (result.lines.size() >= maxLines)
        result.lines.removeLast();
    result.lines << CutWithEllipsis(rest.trimmed(), width, widthOf);
    return result;
}

WrappedText WrapWords(const QString &text, int width, int maxLines, const std::function<int(const QString &)> &widthOf)
{
    WrappedText result;
    if (maxLines < 1) {
        result.complete = text.trimmed().isEmpty();
        return result;
    }
    QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString line;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString candidate = line.isEmpty() ? words[i] : line + QLatin1Char(' ') + words[i];
        if (widthOf(candidate) <= width) {
            line = candidate;
            continue;
        }
        if (!line.isEmpty()) {
            result.lines << line;
            line.clear();
            --i; // the word starts the next line
        } else {
            // Alone and still too wide: its first part fills this line, the rest goes on.
            const qsizetype cut = FittingPrefix(words[i], width, widthOf);
            result.lines << words[i].left(cut);
            words[i] = words[i].mid(cut);
            if (!words[i].isEmpty())
                --i;
        }
        if (result.lines.size() == maxLines) {
            const bool moreWords = i + 1 < words.size();
            if (moreWords) {
                QString &last = result.lines.last();
                while (!last.isEmpty() && widthOf(last + kEllipsis) > width)
                    last.chop(1);
                last = last.trimmed() + kEllipsis;
                result.complete = false;
            }
            return result;
        }
    }
    if (!line.isEmpty())
        result.lines << line;
    return result;
}

} // namespace render
