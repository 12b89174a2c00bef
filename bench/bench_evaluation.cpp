// Evaluation of a large table: buildGroups + evaluateSamples, and the memory per row.
//   bench_evaluation [rows] [runs]

#include "bench_common.h"
#include "bench_table.h"

#include "core/document.h"

#include <cstdlib>
#include <memory>
#include <random>
#include <string>

using namespace quarvel;

int main(int argc, char **argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const UserLocale locale = UserLocale::point();

    std::unique_ptr<Document> doc;
    const bench::Timing evaluation = bench::medianTimes(
        runs,
        [&] {
            doc.reset();
            doc = std::make_unique<Document>(locale);
            bench::fillTable(*doc, rows, {true, true});
        },
        [&] {
            doc->buildGroups();
            doc->evaluateSamples();
        });
    const double seconds = evaluation.wall;
    const double cpu = evaluation.cpu;

    doc.reset();
    const std::size_t before = bench::allocatedBytes();
    doc = std::make_unique<Document>(locale);
    bench::fillTable(*doc, rows, {true, true});
    const std::size_t afterFill = bench::allocatedBytes();
    doc->buildGroups();
    doc->evaluateSamples();
    const std::size_t afterEvaluation = bench::allocatedBytes();

    std::printf("rows: %d, valid samples: %d\n", rows, doc->validSamples());
    std::printf("buildGroups + evaluateSamples: median %.3f s of %d runs (processor time %.3f s)\n", seconds, runs, cpu);
    std::printf("table: %.1f bytes/row (allocator), %.1f bytes/row (estimate)\n",
                double(afterFill - before) / rows, double(doc->table.memoryUse()) / rows);
    std::printf("samples: %.1f bytes/row\n", double(afterEvaluation - afterFill) / rows);
    std::printf("table + samples: %.1f bytes/row\n", double(afterEvaluation - before) / rows);
    return 0;
}
