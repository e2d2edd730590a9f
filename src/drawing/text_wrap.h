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

} // namespace render
