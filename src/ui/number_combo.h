#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

namespace quarvel {

// What an editable number combo puts in place of text it cannot store.
struct NumberRule
{
    int low = 0;
    int high = 0;
    QString below;
    QString above;
    QString notANumber;
};

// text itself when it is a whole number within the rule's range, else its replacement.
QString checkedNumberText(const QString &text, const NumberRule &rule);
// The whole number in text brought into low..high; fallback when it is none.
int wholeNumberWithin(const QString &text, int low, int high, int fallback);

// An editable combo of numbers whose text is checked after every change and replaced at once
// when the rule refuses it, so that storing never meets a value out of range.
QComboBox *makeNumberCombo(const QStringList &items, const NumberRule &rule);

} // namespace quarvel
