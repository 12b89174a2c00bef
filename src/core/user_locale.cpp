#include "core/user_locale.h"

#include <QCollator>

namespace quarvel {

UserLocale::UserLocale(char decimalSeparator, const QLocale &language) : m_decimalSeparator(decimalSeparator)
{
    auto collator = std::make_shared<QCollator>(language);
    collator->setCaseSensitivity(Qt::CaseInsensitive);
    m_collator = std::move(collator);
}

UserLocale UserLocale::fromEnvironment()
{
    const QLocale system = QLocale::system();
    const QString point = system.decimalPoint();
    // Separators outside ASCII cannot appear in the 8-bit texts of the table.
    if (point.size() == 1 && point.at(0).unicode() < 0x80)
        return UserLocale(static_cast<char>(point.at(0).unicode()), system);
    return UserLocale('.', system);
}

int UserLocale::compareText(QStringView a, QStringView b) const
{
    const QString keyA = caseKey(a);
    const QString keyB = caseKey(b);
    if (keyA == keyB)
        return 0;
    // The collator may call distinct names equal (ignorable characters); the keys decide then.
    const int order = m_collator->compare(a, b);
    return order != 0 ? order : QString::compare(keyA, keyB);
}

QCollatorSortKey UserLocale::sortKey(QStringView text) const
{
    return m_collator->sortKey(text.toString());
}

QString UserLocale::caseKey(QStringView text) const
{
    return text.toString().toCaseFolded();
}

} // namespace quarvel
