#include "files/text_import.h"

#include "core/codepage.h"
#include "files/file_bytes.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace quarvel {

namespace {

// A line is read with a limit of 499 characters, its LF included; a longer line comes in pieces.
constexpr std::size_t kLineLimit = 499;

// One piece as text-mode reading gives it: CR LF is read as LF, a lone CR is an ordinary
// character. `text` is the piece without its LF; `ended` tells whether it had one.
struct Piece
{
    std::string_view text;
    bool ended = false;
};

// Reads the file front to back. A line that fits the limit is taken where it lies in the file;
// only a longer line, or a last line without LF, is read character by character.
class LineReader
{
public:
    explicit LineReader(std::string_view bytes) : m_bytes(bytes) {}

    bool next(Piece &piece)
    {
        if (m_at >= m_bytes.size())
            return false;
        const char *start = m_bytes.data() + m_at;
        // A CR LF ending counts as one character, so a line of the limit may take one byte more.
        const std::size_t window = std::min(m_bytes.size() - m_at, kLineLimit + 1);
        if (const void *found = std::memchr(start, '\n', window)) {
            const auto lf = static_cast<std::size_t>(static_cast<const char *>(found) - start);
            const bool crlf = lf > 0 && start[lf - 1] == '\r';
            const std::size_t length = lf - (crlf ? 1 : 0); // characters before the LF
            if (length + 1 <= kLineLimit) {
                piece = {std::string_view(start, length), true};
                m_at += lf + 1;
                return true;
            }
        }
        return slowNext(piece);
    }

private:
    bool slowNext(Piece &piece)
    {
        m_line.clear();
        bool ended = false;
        while (m_at < m_bytes.size() && m_line.size() < kLineLimit) {
            char c = m_bytes[m_at++];
            if (c == '\r' && m_at < m_bytes.size() && m_bytes[m_at] == '\n')
                c = m_bytes[m_at++];
            if (c == '\n') {
                ended = true;
                break;
            }
            m_line += c;
        }
        piece = {m_line, ended};
        return true;
    }

    std::string_view m_bytes;
    std::size_t m_at = 0;
    std::string m_line;
};

// The six fields of a piece, or false when the line is rejected.
bool splitLine(const Piece &piece, std::string_view (&fields)[6])
{
    for (auto &f : fields)
        f = {};
    const std::string_view line = piece.text;
    std::size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t tab = line.find('\t', at);
        if (tab == std::string_view::npos)
            return false;
        fields[i] = line.substr(at, tab - at);
        at = tab + 1;
    }
    for (int i = 3; i < 5; ++i) {
        const std::size_t tab = line.find('\t', at);
        if (tab != std::string_view::npos) {
            fields[i] = line.substr(at, tab - at);
            at = tab + 1;
            continue;
        }
        if (!piece.ended)
            return false;
        fields[i] = line.substr(at);
        return true;
    }
    if (!piece.ended)
        return false;
    fields[5] = line.substr(at);
    return true;
}

bool isAscii(std::string_view text)
{
    unsigned char high = 0;
    for (const char c : text)
        high |= static_cast<unsigned char>(c);
    return high < 0x80;
}

// The lines into the table, without the evaluation.
ImportResult importLines(Table &table, std::string_view bytes)
{
    ImportResult result;
    // An empty file is no table either: say so rather than import nothing in silence.
    result.ok = !bytes.empty();
    // Every line ends in an LF but perhaps the last, so this is the table's size for all but
    // files of overlong lines; the table grows once rather than line by line.
    const int rowsBefore = table.rowCount();
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    if (lines + 1 > static_cast<std::size_t>(rowsBefore) && lines < std::size_t(1) << 30)
        table.setRowCount(static_cast<int>(lines + 1));

    LineReader reader(bytes);
    Piece piece;
    std::string_view fields[6];
    std::string utf8[6];
    Table::RowTexts texts;
    while (reader.next(piece)) {
        if (!splitLine(piece, fields)) {
            result.ok = false;
            break;
        }
        const int row = result.rowsImported + 1;
        if (row > table.rowCount() - 1)
            table.setRowCount(row + 1);
        // Plain ASCII is the same in both code pages: taken as it stands.
        const bool ascii = isAscii(piece.text);
        for (int i = 0; i < 6; ++i) {
            if (ascii) {
                texts[static_cast<std::size_t>(i + 1)] = fields[i];
            } else {
                utf8[i] = codePageToUtf8(fields[i]);
                texts[static_cast<std::size_t>(i + 1)] = utf8[i];
            }
        }
        table.setRowUtf8(row, texts);
        result.rowsImported = row;
    }
    table.setRowCount(std::max(rowsBefore, result.rowsImported + 1));
    return result;
}

} // namespace

ImportResult importText(Document &document, std::string_view bytes)
{
    const ImportResult result = importLines(document.table, bytes);
    document.buildGroups();
    document.evaluateSamples();
    return result;
}

ImportResult importTextFile(Document &document, const QString &path)
{
    ImportResult result;
    {
        // The file is mapped, and let go before the evaluation needs its memory.
        const FileBytes file(path);
        if (file.bytes())
            result = importLines(document.table, *file.bytes());
    }
    document.buildGroups();
    document.evaluateSamples();
    return result;
}

} // namespace quarvel
