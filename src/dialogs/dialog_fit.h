#pragma once

#include <QList>

class QDialog;
class QPushButton;

// Sizes from the contents what a layout alone leaves too tight.

// Makes the dialog at least as wide as its title needs beside the title bar's icon and buttons,
// which would otherwise cut it short ("Entrée/ M... jour férié"). Call once the layout is set.
void FitToTitle(QDialog &dialog);

// Gives the buttons of a column room around their texts: a column is as wide as its longest
// text, which would otherwise touch its button's edges.
void PadButtons(const QList<QPushButton *> &buttons);
