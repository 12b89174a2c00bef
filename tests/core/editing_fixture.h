#pragma once

#include "core/document.h"
#include "core/user_prompt.h"

#include <QStringList>

#include <string>
#include <vector>

namespace quarvel::test {

// Answers every question with one answer and keeps what was asked and shown.
class RecordingPrompt : public UserPrompt
{
public:
    explicit RecordingPrompt(bool answer = true) : m_answer(answer) {}
    bool askOkCancel(const QString &text, const QString &caption) override
    {
        asked << text + QLatin1Char('|') + caption;
        return m_answer;
    }
    void warn(const QString &text, const QString &caption) override { warned << text + QLatin1Char('|') + caption; }

    QStringList asked;
    QStringList warned;

private:
    bool m_answer;
};

// Grid row r, columns 1 to 6, as "a|b|c|d|e|f"; shorter when the last cells are empty.
inline std::string rowText(const Document &doc, int row)
{
    std::string text;
    for (int c = 1; c < Table::kColumns; ++c) {
        if (c > 1)
            text += '|';
        text += std::string(doc.table.cellUtf8(row, c));
    }
    while (text.size() >= 1 && text.back() == '|')
        text.pop_back();
    return text;
}

inline std::vector<std::string> rowTexts(const Document &doc, int first, int last)
{
    std::vector<std::string> rows;
    for (int r = first; r <= last; ++r)
        rows.push_back(rowText(doc, r));
    return rows;
}

} // namespace quarvel::test
