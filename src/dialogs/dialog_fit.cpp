#include "dialogs/dialog_fit.h"

#include <QDialog>
#include <QFontMetrics>
#include <QPushButton>

#include <algorithm>

void FitToTitle(QDialog &dialog)
{
    // Title bars write in bold, often a little larger; the icon, the three buttons and the
    // margins take about eight lines' height.
    QFont bold = dialog.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int wanted = metrics.horizontalAdvance(dialog.windowTitle()) * 23 / 20 + 8 * metrics.height();
    dialog.setMinimumWidth(std::max(dialog.minimumSizeHint().width(), wanted));
}

void PadButtons(const QList<QPushButton *> &buttons)
{
    for (QPushButton *button : buttons) {
        const int room = 2 * button->fontMetrics().averageCharWidth();
        button->setMinimumWidth(button->sizeHint().width() + room);
    }
}
