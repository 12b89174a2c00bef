#pragma once

#include <QString>

namespace quarvel {

// The few locale services the program uses: the decimal separator of numbers typed in the table
// and the case-insensitive comparison of group names. Taken once from the environment at start-up
// and passed in, so that tests can run the point and the comma locale side by side.
class UserLocale
{
public:
    explicit UserLocale(char decimalSeparator = '.') : m_decimalSeparator(decimalSeparator) {}

    // Reads LC_ALL, LC_NUMERIC and LANG the way Qt's system locale does.
    static UserLocale fromEnvironment();
    static UserLocale point() { return UserLocale('.'); }
    static UserLocale comma() { return UserLocale(','); }

    char decimalSeparator() const { return m_decimalSeparator; }

    // Case-insensitive comparison, also for letters beyond ASCII (é and É are equal).
    int compareText(QStringView a, QStringView b) const;
    bool sameText(QStringView a, QStringView b) const { return compareText(a, b) == 0; }
    // A key that is equal for two texts exactly when sameText() holds.
    QString caseKey(QStringView text) const;

private:
    char m_decimalSeparator;
};

} // namespace quarvel
