#include "core/document.h"

#include "core/codepage.h"
#include "core/number_format.h"

#include <cstring>

namespace quarvel {

Document::Document(const UserLocale &locale) : groupList(locale), m_locale(locale)
{
    for (int i = 0; i < 6; ++i)
        table.setCell(0, i + 1, dataSettings.title(i));
    geometry.layoutWithDefaults(800, 600, diagramSettings);
    resetGroups();
    buildGroups();
    evaluateSamples();
}

void Document::clearGroups()
{
    groupList.clear();
}

void Document::resetGroups()
{
    clearGroups();
    buildGroups();
}

void Document::drawThumbnail()
{
    changes.pictureChanged();
}

void Document::updateTriangle()
{
    buildGroups();
    evaluateSamples();
    drawThumbnail();
}

void Document::applyDataSettings()
{
    const std::array<int, 6> columns = dataSettings.gridColumns();
    for (int i = 0; i < 6; ++i) {
        if (table.rowCount() > 0)
            table.setCell(0, columns[static_cast<std::size_t>(i)], dataSettings.title(i));
    }
    changes.cellsChanged({0, 0, Table::kColumns - 1, 0});
}

int Document::findColumn(QStringView title) const
{
    if (table.rowCount() == 0)
        return -1;
    for (int c = 0; c < Table::kColumns; ++c) {
        if (table.cell(0, c) == title)
            return c;
    }
    return -1;
}

ParsedNumber Document::parseNumber(std::string_view text) const
{
    std::size_t p = text.find('.');
    if (p == std::string_view::npos)
        p = text.find(',');
    std::optional<double> value;
    if (p == std::string_view::npos) {
        value = textToFloat(text, m_locale);
    } else {
        std::string repaired(text);
        repaired[p] = m_locale.decimalSeparator();
        value = textToFloat(repaired, m_locale);
    }
    if (!value)
        return {};
    return {*value, true};
}

ParsedNumber Document::parseNumber(QStringView text) const
{
    const QByteArray bytes = text.toUtf8();
    return parseNumber(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool Document::mayClose(UserPrompt &prompt) const
{
    if (!modified)
        return true;
    return prompt.askOkCancel(QStringLiteral("Data not Saved. Close anyway?"), QStringLiteral("Warning"));
}

} // namespace quarvel
