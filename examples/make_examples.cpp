// Writes the example documents shipped with Quarvel: a sandstone triangle with five groups,
// sample labels and an overlay, and a water-chemistry diamond over four parts. The data are made
// up, from a fixed seed, so every run writes the same files.
//
//     make_examples OUTPUT_FOLDER

#include "core/document.h"
#include "files/document_file.h"
#include "files/field_values.h"

#include <QCoreApplication>
#include <QDir>

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

using namespace quarvel;

namespace {

// A small generator of its own: the standard distributions differ between libraries.
class Numbers
{
public:
    explicit Numbers(std::uint32_t seed) : m_state(seed) {}
    double between(double low, double high)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return low + (high - low) * (m_state >> 8) / double(1u << 24);
    }

private:
    std::uint32_t m_state;
};

struct GroupLook
{
    const char *name;
    const char *labelPrefix;
    ColorRef color;
    int symbol; // a character of the default symbol font
    int size;
};

QString number(double value)
{
    return QString::number(value, 'f', 1);
}

void setTitles(Document &document, const std::array<const char *, 6> &titles)
{
    for (int i = 0; i < 6; ++i)
        setColumnTitle(document.dataSettings, i, titles[static_cast<std::size_t>(i)]);
    document.applyDataSettings();
}

void applyLooks(Document &document, const std::vector<GroupLook> &looks)
{
    document.updateTriangle();
    for (const GroupLook &look : looks) {
        const int index = document.groupList.indexOf(QString::fromUtf8(look.name));
        if (index < 0)
            continue;
        Group &group = document.groupList.group(index);
        group.color = look.color;
        group.symbol = look.symbol;
        group.symbolSize = look.size;
    }
    document.updateTriangle();
}

VectorLine line(Weights from, Weights to, ColorRef color, int width, std::uint8_t style)
{
    VectorLine v;
    v.kind = 'r';
    v.ternOrigin = from;
    v.ternDest = to;
    v.color = color;
    v.width = width;
    v.lineStyle = style;
    return v;
}

VectorLine text(Weights at, const char *words, int size, int angle)
{
    VectorLine v;
    v.kind = 't';
    v.ternOrigin = at;
    v.ternDest = at;
    v.text = QString::fromUtf8(words);
    v.fontName = QStringLiteral("Arial");
    v.fontSize = size;
    v.angle = angle;
    v.color = rgbColor(80, 80, 80);
    return v;
}

// Sandstones by quartz, feldspar and lithic fragments. Quartz is the apex (left axis), feldspar
// the lower-left corner (bottom axis), lithics the lower-right corner (right axis).
std::unique_ptr<Document> sandstones()
{
    auto owned = std::make_unique<Document>(UserLocale::point());
    Document &document = *owned;
    setTitles(document, {"Group label", "Feldspar", "Quartz", "Lithics", "Down", "Sample label"});

    struct Kind
    {
        GroupLook look;
        double quartzLow, quartzHigh;
        double feldsparShareLow, feldsparShareHigh; // of what is not quartz
        int samples;
    };
    const std::vector<Kind> kinds{
        {{"Quartz arenite", "QA", rgbColor(255, 0, 0), 108, 12}, 95.5, 99.0, 0.1, 0.9, 4},
        {{"Subarkose", "SA", rgbColor(0, 0, 255), 110, 11}, 77.0, 93.0, 0.58, 0.9, 6},
        {{"Sublitharenite", "SL", rgbColor(0, 128, 0), 117, 13}, 77.0, 93.0, 0.1, 0.42, 6},
        {{"Arkose", "AK", rgbColor(128, 0, 128), 171, 14}, 8.0, 72.0, 0.78, 0.95, 7},
        {{"Lithic arkose", "LK", rgbColor(128, 128, 0), 164, 12}, 8.0, 72.0, 0.52, 0.72, 6},
        {{"Feldspathic litharenite", "FL", rgbColor(128, 0, 0), 113, 12}, 8.0, 72.0, 0.28, 0.48, 6},
        {{"Litharenite", "LA", rgbColor(0, 128, 128), 161, 12}, 8.0, 72.0, 0.05, 0.22, 7},
    };
    Numbers random(1917);
    int row = 1;
    for (const Kind &kind : kinds) {
        for (int i = 1; i <= kind.samples; ++i, ++row) {
            const double quartz = random.between(kind.quartzLow, kind.quartzHigh);
            const double feldspar = (100 - quartz) * random.between(kind.feldsparShareLow, kind.feldsparShareHigh);
            const double lithics = 100 - quartz - feldspar;
            document.table.setCell(row, 1, QString::fromUtf8(kind.look.name));
            document.table.setCell(row, 2, number(feldspar));
            document.table.setCell(row, 3, number(quartz));
            document.table.setCell(row, 4, number(lithics));
            document.table.setCell(row, 6, QStringLiteral("%1-%2").arg(QString::fromUtf8(kind.look.labelPrefix)).arg(i, 2, 10, QLatin1Char('0')));
        }
    }
    std::vector<GroupLook> looks;
    for (const Kind &kind : kinds)
        looks.push_back(kind.look);
    applyLooks(document, looks);

    // The class boundaries, in weights of the lower-left, lower-right and top corners.
    const ColorRef boundary = rgbColor(128, 128, 128);
    document.overlayList = {
        line({5, 0, 95}, {0, 5, 95}, boundary, 2, 0),
        line({25, 0, 75}, {0, 25, 75}, boundary, 2, 0),
        line({2.5f, 2.5f, 95}, {50, 50, 0}, boundary, 1, 1),
        line({18.75f, 6.25f, 75}, {75, 25, 0}, boundary, 1, 2),
        line({6.25f, 18.75f, 75}, {25, 75, 0}, boundary, 1, 2),
        text({0, 24, 77}, "Q = 75 %", 9, 0),
    };
    document.diagramSettings.sortLegend = 0;
    document.fileInfo = QStringLiteral("Example: sandstones by quartz, feldspar and lithic fragments (made-up data). "
                                       "The grey lines are an overlay: the 95 % and 75 % quartz boundaries and the "
                                       "lines of feldspar to lithics 3:1, 1:1 and 1:3.");
    document.updateTriangle();
    document.modified = false;
    return owned;
}

// Water samples by their main ions: cations in the upper triangle (calcium, magnesium, sodium and
// potassium), anions in the lower one, sharing the calcium-sodium side. Each row fills three parts.
std::unique_ptr<Document> waters()
{
    auto owned = std::make_unique<Document>(UserLocale::point());
    Document &document = *owned;
    setTitles(document, {"Group label", "Ca", "Mg", "Na + K", "Cl + SO4", "Sample label"});
    struct Kind
    {
        GroupLook look;
        bool lower;
        std::array<double, 6> range; // low and high of the three parts, in the row's axis order
    };
    const std::vector<Kind> kinds{
        {{"Spring", "SP", rgbColor(0, 0, 255), 108, 12}, false, {40, 75, 15, 45, 3, 25}},
        {{"Stream", "ST", rgbColor(0, 128, 0), 110, 11}, false, {15, 45, 5, 30, 30, 70}},
        {{"Well", "WE", rgbColor(255, 0, 0), 117, 13}, true, {25, 60, 5, 30, 25, 60}},
        {{"Thermal", "TH", rgbColor(128, 0, 128), 171, 14}, true, {3, 25, 40, 75, 15, 45}},
    };
    Numbers random(2024);
    int row = 1;
    for (const Kind &kind : kinds) {
        for (int i = 1; i <= 6; ++i, ++row) {
            std::array<double, 3> parts{};
            for (int k = 0; k < 3; ++k)
                parts[static_cast<std::size_t>(k)] = random.between(kind.range[static_cast<std::size_t>(2 * k)],
                                                                    kind.range[static_cast<std::size_t>(2 * k + 1)]);
            document.table.setCell(row, 1, QString::fromUtf8(kind.look.name));
            // Upper rows: Ca, Mg, Na + K. Lower rows: Ca, Na + K, Cl + SO4 (Mg left empty).
            document.table.setCell(row, 2, number(parts[0]));
            if (kind.lower) {
                document.table.setCell(row, 4, number(parts[1]));
                document.table.setCell(row, 5, number(parts[2]));
            } else {
                document.table.setCell(row, 3, number(parts[1]));
                document.table.setCell(row, 4, number(parts[2]));
            }
            document.table.setCell(row, 6, QStringLiteral("%1%2").arg(QString::fromUtf8(kind.look.labelPrefix)).arg(i));
        }
    }
    std::vector<GroupLook> looks;
    for (const Kind &kind : kinds)
        looks.push_back(kind.look);
    applyLooks(document, looks);
    document.fileInfo = QStringLiteral("Example: a diamond over four parts (made-up data). Rows with Ca, Mg and Na + K "
                                       "lie in the upper triangle; rows with Ca, Na + K and Cl + SO4 in the lower one.");
    document.updateTriangle();
    document.modified = false;
    return owned;
}

bool save(const Document &document, const QString &path)
{
    const SaveResult result = saveDocument(document, path);
    if (!result.ok || !result.changedTexts.empty()) {
        std::fprintf(stderr, "make_examples: could not write %s as it is\n", qPrintable(path));
        return false;
    }
    std::printf("%s: %d valid samples, %d groups\n", qPrintable(result.fileName), document.validSamples(),
                document.groupList.size());
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_examples OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path()))
        return 1;
    const bool ok = save(*sandstones(), folder.filePath(QStringLiteral("triangle.qvd")))
        && save(*waters(), folder.filePath(QStringLiteral("diamond.qvd")));
    return ok ? 0 : 1;
}
