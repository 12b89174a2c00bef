// Evaluation of a large table: BuildGroups + EvaluateSamples, and the memory per row.
//   bench_evaluation [rows] [runs]

#include "bench_common.h"

#include "core/document.h"

#include <cstdlib>
#include <memory>
#include <random>
#include <string>

using namespace quarvel;

namespace {

// 5 groups, three parts each; one row in 50 has a comma decimal to repair, one in 100 an error.
void fill(Document &doc, int rows)
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
        if (r % 50 == 0)
            cells[2][cells[2].find('.')] = ',';
        if (r % 100 == 0)
            cells[3] = "n.d.";
        cells[1] = groups[random() % 5];
        cells[5].clear();
        cells[6] = "S" + std::to_string(r);
        doc.table.setRowUtf8(r, {cells[0], cells[1], cells[2], cells[3], cells[4], cells[5], cells[6]});
    }
}

} // namespace

int main(int argc, char **argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const UserLocale locale = UserLocale::point();

    std::unique_ptr<Document> doc;
    const double seconds = bench::medianSeconds(
        runs,
        [&] {
            doc.reset();
            doc = std::make_unique<Document>(locale);
            fill(*doc, rows);
        },
        [&] {
            doc->BuildGroups();
            doc->EvaluateSamples();
        });

    doc.reset();
    const std::size_t before = bench::allocatedBytes();
    doc = std::make_unique<Document>(locale);
    fill(*doc, rows);
    const std::size_t afterFill = bench::allocatedBytes();
    doc->BuildGroups();
    doc->EvaluateSamples();
    const std::size_t afterEvaluation = bench::allocatedBytes();

    std::printf("rows: %d, valid samples: %d\n", rows, doc->validSamples());
    std::printf("BuildGroups + EvaluateSamples: median %.3f s of %d runs\n", seconds, runs);
    std::printf("table: %.1f bytes/row (allocator), %.1f bytes/row (estimate)\n",
                double(afterFill - before) / rows, double(doc->table.memoryUse()) / rows);
    std::printf("samples: %.1f bytes/row\n", double(afterEvaluation - afterFill) / rows);
    std::printf("table + samples: %.1f bytes/row\n", double(afterEvaluation - before) / rows);
    return 0;
}
