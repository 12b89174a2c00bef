#include "files/text_import.h"

#include "core/codepage.h"

#include <QFile>

#include <string>

namespace quarvel {

namespace {

// A line is read with a limit of 499 characters, its LF included; a longer line comes in pieces.
constexpr std::size_t kLineLimit = 499;

// Text-mode reading: CR LF is read as LF, a lone CR is an ordinary character.
class LineReader
{
public:
    explicit LineReader(std::string_view bytes) : m_bytes(bytes) {}

    bool next(std::string &line)
    {
        line.clear();
        while (m_at < m_bytes.size() && line.size() < kLineLimit) {
            char c = m_bytes[m_at++];
            if (c == '\r' && m_at < m_bytes.size() && m_bytes[m_at] == '\n')
                c = m_bytes[m_at++];
            line += c;
            if (c == '\n')
                break;
        }
        return !line.empty();
    }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
};

// The six fields of a line, or false when the line is rejected.
bool splitLine(std::string_view line, std::string_view (&fields)[6])
{
    for (auto &f : fields)
        f = {};
    const std::size_t lineEnd = line.find('\n');
    std::size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t tab = line.find('\t', at);
        if (tab == std::string_view::npos || tab > lineEnd)
            return false;
        fields[i] = line.substr(at, tab - at);
        at = tab + 1;
    }
    for (int i = 3; i < 5; ++i) {
        const std::size_t tab = line.find('\t', at);
        if (tab != std::string_view::npos && tab < lineEnd) {
            fields[i] = line.substr(at, tab - at);
            at = tab + 1;
            continue;
        }
        if (lineEnd == std::string_view::npos)
            return false;
        fields[i] = line.substr(at, lineEnd - at);
        return true;
    }
    if (lineEnd == std::string_view::npos)
        return false;
    fields[5] = line.substr(at, lineEnd - at);
    return true;
}

} // namespace

ImportResult importText(Document &document, std::string_view bytes)
{
    ImportResult result;
    // An empty file is no table either: say so rather than import nothing in silence.
    result.ok = !bytes.empty();
    LineReader reader(bytes);
    std::string line;
    std::string_view fields[6];
    std::string utf8[6];
    Table &table = document.table;
    while (reader.next(line)) {
        if (!splitLine(line, fields)) {
            result.ok = false;
            break;
        }
        const int row = result.rowsImported + 1;
        if (row > table.rowCount() - 1)
            table.setRowCount(row + 1);
        Table::RowTexts texts;
        for (int i = 0; i < 6; ++i) {
            utf8[i] = codePageToUtf8(fields[i]);
            texts[static_cast<std::size_t>(i + 1)] = utf8[i];
        }
        table.setRowUtf8(row, texts);
        result.rowsImported = row;
    }
    document.buildGroups();
    document.evaluateSamples();
    return result;
}

ImportResult importTextFile(Document &document, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        document.buildGroups();
        document.evaluateSamples();
        return {};
    }
    const QByteArray bytes = file.readAll();
    return importText(document, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace quarvel
