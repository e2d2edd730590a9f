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

} // namespace

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
