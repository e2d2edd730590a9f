#pragma once

#include <QLineEdit>
#include <QTest>

// Replaces the whole text as the user would, key by key.
inline void Type(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}
