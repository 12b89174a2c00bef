#pragma once

#include <QLocale>
#include <QString>

#include <memory>

class QCollator;
class QCollatorSortKey;

namespace quarvel {

// The few locale services the program uses: the decimal separator of numbers typed in the table
// and the case-insensitive comparison of group names. Taken once from the environment at start-up
// and passed in, so that tests can run the point and the comma locale side by side.
class UserLocale
{
public:
    explicit UserLocale(char decimalSeparator = '.', const QLocale &language = QLocale(QLocale::English));

    // Reads LC_ALL, LC_NUMERIC and LANG the way Qt's system locale does.
    static UserLocale fromEnvironment();
    static UserLocale point() { return UserLocale('.'); }
    static UserLocale comma() { return UserLocale(','); }

    char decimalSeparator() const { return m_decimalSeparator; }

    // Case-insensitive order of the user's language (Éclogite before Straße), also for letters
    // beyond ASCII; 0 exactly when the case keys are equal.
    int compareText(QStringView a, QStringView b) const;
    // Keys that order texts as compareText does, where it calls them different; for sorting many.
    QCollatorSortKey sortKey(QStringView text) const;
    // Equal for two texts that differ only in letter case: é and É are one name, e and é two.
    QString caseKey(QStringView text) const;

private:
    char m_decimalSeparator;
    std::shared_ptr<const QCollator> m_collator;
};

} // namespace quarvel
