// Writes the seed corpus of every fuzz target: small files of each layout, built by the test
// fixtures or by the program's own writers.

#include "files/document_file.h"
#include "files/layout_fixtures.h"
#include "files/overlay_files.h"

#include <QBuffer>
#include <QDir>

#include <cstdio>

using namespace quarvel;
using namespace quarvel::test;

namespace {

void seed(const QString &root, const char *target, const char *name, const std::string &bytes)
{
    QDir().mkpath(root + QLatin1Char('/') + QLatin1String(target));
    writeTestFile(root + QLatin1Char('/') + QLatin1String(target) + QLatin1Char('/') + QLatin1String(name), bytes);
}

std::string currentFile()
{
    Document doc(UserLocale::point());
    doc.table.setRowCount(4);
    doc.table.setCell(1, 1, QStringLiteral("A"));
    doc.table.setCell(1, 2, QStringLiteral("20"));
    doc.table.setCell(1, 3, QStringLiteral("30"));
    doc.table.setCell(1, 4, QStringLiteral("50"));
    doc.table.setCell(2, 1, QStringLiteral("B"));
    doc.table.setCell(2, 2, QStringLiteral("1"));
    doc.table.setCell(2, 4, QStringLiteral("1"));
    doc.table.setCell(2, 5, QStringLiteral("2"));
    VectorLine label;
    label.kind = 't';
    label.text = QStringLiteral("label");
    doc.overlayList = {VectorLine(), label};
    doc.fileInfo = QStringLiteral("seed");
    doc.buildGroups();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    std::vector<ChangedText> changes;
    writeDocument(doc, buffer, changes);
    return buffer.data().toStdString();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_corpus DIR\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const std::vector<TextRow> rows = {{"A", "20", "30", "50", "", "a"}, {"", "", "", "", "", ""}, {"B", "1", "", "1", "2", "b"}};
    seed(root, "fuzz_current", "current.qvd", currentFile());
    seed(root, "fuzz_current", "v40.qvd", version40File(rows).str());
    seed(root, "fuzz_current", "v30.qvd", version30File({{"A", 20, 30, 50, "a"}}).str());
    seed(root, "fuzz_render", "current.qvd", currentFile());
    seed(root, "fuzz_render", "v40.qvd", version40File(rows).str());
    seed(root, "fuzz_version30", "v30.qvd", version30File({{"A", 20, 30, 50, "a"}, {"B", 12.5, 1e-7, 1e20, "b"}}).str());
    seed(root, "fuzz_version40", "v40.qvd", version40File(rows).str());
    seed(root, "fuzz_tagged", "tagged.qvo", taggedFile(rows).str());
    seed(root, "fuzz_untagged", "simple.qvo", untaggedFile(rows, false).str());
    seed(root, "fuzz_untagged", "extended.qvo", untaggedFile(rows, true).str());
    seed(root, "fuzz_first_version", "first.ter",
         firstFormatFile({{"c", {"10", "20", "70", "30", "30", "40"}}}, rows).str());

    Bytes xvl = overlayHeader(3, 0, 2);
    xvl << overlayRecord('t', 0, 0xFF, 0, 1, 12, 30, {10, 20, 70}, "Arial", "text")
        << overlayRecord('e', 1, 0, 3, 2, 0, 0, {1, 2, 3, 4, 5, 6});
    seed(root, "fuzz_extended_overlay", "variant0.xvl", xvl.str());
    Bytes v5 = overlayHeader(3, 5, 1);
    v5 << numberOverlayRecord(98, 'b', 1, kNumberTexts);
    seed(root, "fuzz_extended_overlay", "variant5.xvl", v5.str());
    Bytes v9 = overlayHeader(3, 9, 1);
    v9 << numberOverlayRecord(353, 'r', 2, kNumberTexts, "label");
    seed(root, "fuzz_extended_overlay", "variant9.xvl", v9.str());

    seed(root, "fuzz_overlay_text", "lines.ovl", "C 10 20 70 30 40 30\na 1 2 3 4 5 6\r\nx -1 0 0 1 1 1");
    seed(root, "fuzz_text_import", "table.txt", "A\t20\t30\t50\t\ta\nB\t12,5\t\t1\t2\r\nC\t1\t2\t3\t4\t5\t6\n\t\t\t\n");
    return 0;
}
