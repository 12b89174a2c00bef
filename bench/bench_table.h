#pragma once

#include "core/document.h"

#include <cstdio>
#include <random>
#include <string>

namespace quarvel::bench {

struct TableShape
{
    bool damaged = false; // one row in 50 with a comma decimal to repair, one in 100 with "n.d."
    bool labels = false;  // a sample label on every row
};

// A table of `rows` samples in 5 groups, three parts each with two decimals.
inline void fillTable(Document &doc, int rows, TableShape shape)
{
    static const char *groups[] = {"Basalt", "Andesite", "Dacite", "Rhyolite", "Trachyte"};
    std::mt19937 random(42);
    std::uniform_real_distribution<double> part(0.5, 80.0);
    doc.table.setRowCount(rows + 1);
    std::string cells[7];
    for (int r = 1; r <= rows; ++r) {
        char buffer[32];
        for (int k = 0; k < 3; ++k) {
            std::snprintf(buffer, sizeof buffer, "%.2f", part(random));
            cells[2 + k] = buffer;
        }
        if (shape.damaged && r % 50 == 0)
            cells[2][cells[2].find('.')] = ',';
        if (shape.damaged && r % 100 == 0)
            cells[3] = "n.d.";
        cells[1] = groups[random() % 5];
        if (shape.labels) {
            std::snprintf(buffer, sizeof buffer, "S%d", r);
            cells[6] = buffer;
        }
        doc.table.setRowUtf8(r, {cells[0], cells[1], cells[2], cells[3], cells[4], cells[5], cells[6]});
    }
}

} // namespace quarvel::bench
