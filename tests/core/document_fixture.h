#pragma once

#include "core/document.h"

#include <QString>

#include <initializer_list>
#include <memory>
#include <vector>

namespace quarvel::test {

// Six texts of a row: group label, data columns 1 to 4, sample label.
using RowCells = std::vector<const char *>;

// A new document whose grid rows 1.. hold the given cells, with groups built and evaluated.
inline std::unique_ptr<Document> documentWith(std::initializer_list<RowCells> rows,
                                              const UserLocale &locale = UserLocale::point(),
                                              const std::function<void(Document &)> &prepare = {})
{
    auto doc = std::make_unique<Document>(locale);
    if (prepare)
        prepare(*doc);
    int r = 1;
    for (const RowCells &cells : rows) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            doc->table.setCell(r, static_cast<int>(i) + 1, QString::fromUtf8(cells[i]));
        ++r;
    }
    doc->buildGroups();
    doc->evaluateSamples();
    return doc;
}

} // namespace quarvel::test
