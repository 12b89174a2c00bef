// Document files and text import at scale: save and open a document of a million rows, import a
// text file of a million lines.
//   bench_files [rows] [runs]

#include "bench_common.h"

#include "files/document_file.h"
#include "files/open_save_commands.h"
#include "files/file_bytes.h"
#include "files/text_import.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>

using namespace quarvel;

namespace {

// Lines as a user's table holds them: 5 groups, three parts with two decimals, a sample label.
std::string tableText(int rows)
{
    static const char *groups[] = {"Basalt", "Andesite", "Dacite", "Rhyolite", "Trachyte"};
    std::mt19937 random(7);
    std::uniform_real_distribution<double> part(0.5, 80.0);
    std::string text;
    text.reserve(static_cast<std::size_t>(rows) * 40);
    char line[128];
    for (int r = 1; r <= rows; ++r) {
        std::snprintf(line, sizeof line, "%s\t%.2f\t%.2f\t%.2f\t\tS%d\n", groups[random() % 5], part(random),
                      part(random), part(random), r);
        text += line;
    }
    return text;
}

void writeFile(const QString &path, const std::string &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

} // namespace

int main(int argc, char **argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const UserLocale locale = UserLocale::point();
    QTemporaryDir dir;
    const QString textPath = dir.filePath(QStringLiteral("table.txt"));
    const QString documentPath = dir.filePath(QStringLiteral("table.qvd"));
    writeFile(textPath, tableText(rows));

    std::unique_ptr<Document> doc;
    const bench::Timing importing = bench::medianTimes(
        runs, [&] { doc = std::make_unique<Document>(locale); },
        [&] { importTextFile(*doc, textPath); });
    const double import = importing.wall, importCpu = importing.cpu;

    bool saved = true;
    const bench::Timing saving =
        bench::medianTimes(runs, {}, [&] { saved = saveDocument(*doc, documentPath).ok && saved; });
    const double save = saving.wall, saveCpu = saving.cpu;
    const qint64 fileSize = QFile(documentPath).size();

    std::unique_ptr<Document> opened;
    const double read = bench::medianSeconds(
        runs, [&] { opened = std::make_unique<Document>(locale); },
        [&] { openDocument(*opened, documentPath); });
    const bench::Timing opening = bench::medianTimes(
        runs, [&] { opened.reset(); },
        [&] { opened = openDocumentFile(documentPath, OpenFileType::Current, locale).document; });
    const double open = opening.wall, openCpu = opening.cpu;

    doc.reset();
    opened.reset();
    const std::size_t before = bench::allocatedBytes();
    opened = openDocumentFile(documentPath, OpenFileType::Current, locale).document;
    const std::size_t after = bench::allocatedBytes();

    std::printf("rows: %d, valid samples after open: %d, saved: %s, file: %.1f MB\n", rows,
                opened ? opened->validSamples() : -1, saved ? "yes" : "NO", double(fileSize) / 1e6);
    std::printf("import text file (with buildGroups + evaluateSamples): median %.3f s of %d runs (processor %.3f s)\n",
                import, runs, importCpu);
    std::printf("saveDocument: median %.3f s of %d runs (processor %.3f s)\n", save, runs, saveCpu);
    std::printf("openDocument (reading only): median %.3f s of %d runs\n", read, runs);
    std::printf("Open (reading, titles, buildGroups, evaluateSamples): median %.3f s of %d runs (processor %.3f s)\n",
                open, runs, openCpu);
    std::printf("opened document: %.1f bytes/row\n", double(after - before) / rows);
    return 0;
}
