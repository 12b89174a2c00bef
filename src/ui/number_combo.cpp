#include "ui/number_combo.h"

#include <algorithm>

#include <QComboBox>
#include <QLineEdit>

namespace quarvel {

QString checkedNumberText(const QString &text, const NumberRule &rule)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        return rule.notANumber;
    if (value > rule.high)
        return rule.above;
    if (value < rule.low)
        return rule.below;
    return text;
}

int wholeNumberWithin(const QString &text, int low, int high, int fallback)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::clamp(value, low, high) : fallback;
}

QComboBox *makeNumberCombo(const QStringList &items, const NumberRule &rule)
{
    auto *combo = new QComboBox;
    combo->setEditable(true);
    combo->addItems(items);
    // Typed text is a value, never a new item; completion would write digits the user did not type.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    QObject::connect(combo, &QComboBox::editTextChanged, combo, [combo, rule](const QString &text) {
        const QString checked = checkedNumberText(text, rule);
        if (checked != text)
            combo->setEditText(checked);
    });
    return combo;
}

} // namespace quarvel
