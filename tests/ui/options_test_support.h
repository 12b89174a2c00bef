#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QRadioButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace quarvel::test {

// A dialog's control by its object name; a test without it cannot go on.
template <typename W>
W *controlOf(const QObject *dialog, const char *name)
{
    W *widget = dialog->findChild<W *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

// Picks entry index of a drop-down list with the mouse, as a user does: open, click the entry.
inline void chooseEntry(QComboBox *list, int index)
{
    list->showPopup();
    QAbstractItemView *view = list->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()) || view->isVisible());
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!view->isVisible());
}

// Clicks a button where a user does: check boxes and radio buttons on their indicator, which
// stays at the left however wide the layout makes the button.
inline void click(QAbstractButton *button)
{
    if (qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button))
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    else
        QTest::mouseClick(button, Qt::LeftButton);
}

// Selects the whole text of an edit and types text over it; an empty text deletes it.
inline void typeOver(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

inline void typeOver(QComboBox *combo, const QString &text)
{
    typeOver(combo->lineEdit(), text);
}

} // namespace quarvel::test
