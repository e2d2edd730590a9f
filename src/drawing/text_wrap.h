#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace render {

// A text broken into lines no wider than a given width.
struct WrappedText {
    QStringList lines;
    bool complete = true; // false when the last line ends with "..." for want of room
};

// Breaks `text` at its spaces into at most `maxLines` lines of at most `width`, as measured by
// `widthOf`. A word wider than a line is broken inside. When the lines run out, the last one
// keeps what fits before "...".
WrappedText WrapWords(const QString &text, int width, int maxLines, const std::function<int(const QString &)> &widthOf);

// A name broken into at most `maxLines` lines of at most `width`, only between words or, with
// `afterHyphens`, after a hyphen ("Marie-" / "Madeleine"); never inside a word. When it does not
// fit, `complete` is false and the last line ends with "…" after as much of the rest as fits.
WrappedText WrapName(const QString &name, int width, int maxLines, bool afterHyphens,
                     const std::function<int(const QString &)> &widthOf);

// The longest start of `text` that fits `width` followed by "…", cut at the end of a word when
// that keeps most of it; "…" alone when nothing fits before it.
QString CutWithEllipsis(const QString &text, int width, const std::function<int(const QString &)> &widthOf);

} // namespace render
