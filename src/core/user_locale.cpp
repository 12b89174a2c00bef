#include "core/user_locale.h"

#include <QLocale>

namespace quarvel {

UserLocale UserLocale::fromEnvironment()
{
    const QString point = QLocale::system().decimalPoint();
    // Separators outside Latin-1 cannot appear in the 8-bit texts of the table.
    if (point.size() == 1 && point.at(0).unicode() < 0x80)
        return UserLocale(static_cast<char>(point.at(0).unicode()));
    return UserLocale('.');
}

int UserLocale::compareText(QStringView a, QStringView b) const
{
    return QStringView(a).compare(b, Qt::CaseInsensitive);
}

QString UserLocale::caseKey(QStringView text) const
{
    return text.toString().toCaseFolded();
}

} // namespace quarvel
