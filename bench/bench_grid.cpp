// The data grid's work on a large document, below the widgets: open a document file and put the
// table model over it, read the rows at the end as a view scrolled there does, type one cell, and
// re-evaluate as leaving the grid does; then copy, paste and sort the whole table.
//   bench_grid [rows] [runs]

#include "bench_common.h"
#include "bench_table.h"

#include "core/table_editing.h"
#include "core/table_model.h"
#include "files/document_file.h"
#include "files/open_save_commands.h"

#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

using namespace quarvel;

namespace {

class AlwaysOk : public UserPrompt
{
public:
    bool askOkCancel(const QString &, const QString &) override { return true; }
    void warn(const QString &, const QString &) override {}
};

// What a view scrolled to the end asks for: the visible rows' cells and status, 40 rows of 6.
std::size_t readEnd(const TableModel &model)
{
    std::size_t characters = 0;
    const int rows = model.rowCount();
    for (int r = rows - 40; r < rows; ++r) {
        characters += static_cast<std::size_t>(model.headerData(r, Qt::Vertical).toString().size());
        for (int c = 0; c < model.columnCount(); ++c)
            characters += static_cast<std::size_t>(model.index(r, c).data().toString().size());
    }
    return characters;
}

} // namespace

int main(int argc, char **argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const UserLocale locale = UserLocale::point();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.qvd"));
    {
        Document source(locale);
        bench::fillTable(source, rows, {true, true});
        if (!saveDocument(source, path).ok) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }

    std::unique_ptr<Document> doc;
    std::unique_ptr<TableModel> model;
    const double open = bench::medianSeconds(
        runs,
        [&] {
            model.reset();
            doc.reset();
        },
        [&] {
            doc = openDocumentFile(path, OpenFileType::Current, locale).document;
            model = std::make_unique<TableModel>(*doc);
        });

    model.reset();
    const std::size_t beforeModel = bench::allocatedBytes();
    model = std::make_unique<TableModel>(*doc);
    const std::size_t modelBytes = bench::allocatedBytes() - beforeModel;

    std::size_t characters = 0;
    const double end = bench::medianSeconds(runs, {}, [&] { characters += readEnd(*model); });

    int edits = 0;
    const double edit = bench::medianSeconds(runs, {}, [&] {
        model->setData(model->index(model->rowCount() - 2, 1), QString::number(10 + ++edits));
    });
    const double evaluate = bench::medianSeconds(runs, {}, [&] { doc->updateTriangle(); });

    QString text;
    const double copy = bench::medianSeconds(runs, {}, [&] { text = selectionText(doc->table, {1, 1, 6, rows}); });
    const double paste = bench::medianSeconds(runs, {}, [&] {
        pasteText(*doc, text, CellRange::cell(1, 1), PasteMode::Overwrite);
    });
    AlwaysOk ok;
    const double sort = bench::medianSeconds(1, {}, [&] { sortData(*doc, ok); });

    std::printf("rows: %d, valid samples: %d, model rows: %d\n", rows, doc->validSamples(), model->rowCount());
    std::printf("open + model: median %.3f s of %d runs\n", open, runs);
    std::printf("rows at the end (40 x 6 cells and status): median %.1f us\n", end * 1e6);
    std::printf("the model: %zu bytes allocated when made (object of %zu bytes), none per row\n", modelBytes,
                sizeof(TableModel));
    std::printf("one typed cell through the model: median %.1f us\n", edit * 1e6);
    std::printf("updateTriangle (buildGroups, evaluateSamples, reports to the model): median %.3f s\n", evaluate);
    std::printf("copy of the whole table (%.1f MB of text): median %.3f s\n", text.size() * 2 / 1e6, copy);
    std::printf("paste of it over the table, with the refresh: median %.3f s\n", paste);
    std::printf("sort of the whole table, with the refresh: %.3f s\n", sort);
    return characters > 0 ? 0 : 1;
}
