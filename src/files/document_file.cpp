#include "files/document_file.h"

#include "core/codepage.h"
#include "files/byte_io.h"
#include "files/qvd_shared_sections.h"
#include "files/file_bytes.h"
#include "files/field_values.h"
#include "files/earlier_qvd_layouts.h"
#include "files/overlay_records.h"

#include <QSaveFile>

#include <cstring>

namespace quarvel {

namespace {

constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kRowSize = 144;
constexpr std::size_t kFileInfoSize = 255;

// Offset and longest text of the six row texts: group label, data columns 1 to 4, sample label.
// The sample label may fill its 22 bytes because the zero word behind it ends it.
constexpr std::size_t kRowTextOffset[6] = {0, 30, 50, 70, 90, 110};
constexpr std::size_t kRowTextWidth[6] = {30, 20, 20, 20, 20, 22};
constexpr std::size_t kRowTextMax[6] = {29, 19, 19, 19, 19, 22};
constexpr std::size_t kGroupNameMax = 30;

bool readCurrent(Document &document, std::string_view bytes)
{
    ByteReader in(bytes);
    in.skip(kHeaderSize);
    const auto diagram = in.take(sizeof(DiagramSettings));
    const auto data = in.take(sizeof(DataSettings));
    if (!diagram || !data)
        return false;
    std::memcpy(static_cast<void *>(&document.diagramSettings), diagram->data(), sizeof(DiagramSettings));
    std::memcpy(static_cast<void *>(&document.dataSettings), data->data(), sizeof(DataSettings));

    if (!readOverlaySection(in, document))
        return false;
    if (!readGroups(in, document, kRowSize, 132, {kRowSize, kGroupNameMax + 1, 132, -1}))
        return false;
    if (!readFileInfoAndCorners(in, document))
        return false;

    Table &table = document.table;
    const std::array<int, 6> columns = document.dataSettings.gridColumns();
    prepareRows(table, in, kRowSize);
    CellText converted[6];
    int row = 1;
    while (const auto record = in.take(kRowSize)) {
        Table::RowTexts texts;
        for (std::size_t i = 0; i < 6; ++i)
            texts[static_cast<std::size_t>(columns[i])] =
                converted[i].toUtf8(textAt(*record, kRowTextOffset[i], kRowTextWidth[i]));
        table.setRowUtf8(row++, texts);
    }
    table.setRowCount(row + 1);
    for (int i = 0; i < 6; ++i)
        table.setCell(0, columns[static_cast<std::size_t>(i)], document.dataSettings.title(i));
    return true;
}

void writeRows(const Document &document, ByteWriter &out, std::vector<ChangedText> &changes)
{
    const Table &table = document.table;
    const std::array<int, 6> columns = document.dataSettings.gridColumns();
    CellText converted;
    for (int row = 1; row < table.rowCount(); ++row) {
        RecordBuilder<kRowSize> record;
        for (std::size_t i = 0; i < 6; ++i) {
            bool lossy = false;
            const std::string_view text = converted.toCodePage(table.cellUtf8(row, columns[i]), lossy);
            if (!record.text(kRowTextOffset[i], text, kRowTextMax[i]) || lossy)
                changes.push_back({ChangedText::Place::Cell, row, columns[i]});
        }
        out.bytes(record.view());
    }
}

} // namespace

QString layoutName(DocumentLayout layout)
{
    switch (layout) {
    case DocumentLayout::Current: return QStringLiteral("qvd");
    case DocumentLayout::Version40: return QStringLiteral("qvd-4.0");
    case DocumentLayout::Version30: return QStringLiteral("qvd-3.0");
    case DocumentLayout::Tagged: return QStringLiteral("qvo");
    case DocumentLayout::Untagged: return QStringLiteral("qvo-untagged");
    case DocumentLayout::FirstVersion: return QStringLiteral("ter");
    }
    return {};
}

void applyRowMinimum(Table &table)
{
    if (table.rowCount() < kMinimumGridRows)
        table.setRowCount(kMinimumGridRows);
}

ReadResult readDocument(Document &document, std::string_view bytes)
{
    ReadResult result;
    ByteReader in(bytes);
    const auto header = in.take(kHeaderSize);
    if (!header)
        return result;
    // Any one of the three letters is taken as the magic: files of earlier versions were written
    // with damaged magics that must still open.
    if ((*header)[0] != 'q' && (*header)[1] != 'v' && (*header)[2] != 'd')
        return result;
    const std::int32_t first = i32At(*header, 4);
    const std::int32_t second = i32At(*header, 8);
    if (first == 3 && second == 0) {
        result.layout = DocumentLayout::Version30;
        result.ok = readVersion30(document, bytes);
    } else if (first == 4 && second == 0) {
        result.layout = DocumentLayout::Version40;
        result.ok = readVersion40(document, bytes);
    } else if (first == 4 && second == 5) {
        result.layout = DocumentLayout::Current;
        result.ok = readCurrent(document, bytes);
    }
    if (result.ok)
        applyRowMinimum(document.table);
    return result;
}

ReadResult openDocument(Document &document, const QString &fileName)
{
    const FileBytes file(fileName);
    if (!file.bytes())
        return {};
    return readDocument(document, *file.bytes());
}

QString documentFileName(const QString &chosenName)
{
    if (chosenName.endsWith(QLatin1String(".qvd")) || chosenName.endsWith(QLatin1String(".QVD")))
        return chosenName;
    return chosenName + QLatin1String(".qvd");
}

bool writeDocument(const Document &document, QIODevice &device, std::vector<ChangedText> &changes)
{
    ByteWriter out(&device);
    out.bytes(std::string_view("qvd\0", 4));
    out.i32(4);
    out.i32(5);
    out.bytes(std::string_view(reinterpret_cast<const char *>(&document.diagramSettings), sizeof(DiagramSettings)));
    out.bytes(std::string_view(reinterpret_cast<const char *>(&document.dataSettings), sizeof(DataSettings)));

    std::vector<OverlayTextChange> overlayChanges;
    writeOverlay(out, document.overlayList, 4, overlayChanges);
    for (const OverlayTextChange &c : overlayChanges)
        changes.push_back({c.fontName ? ChangedText::Place::OverlayFontName : ChangedText::Place::OverlayText, c.object, 0});

    const GroupList &groups = document.groupList;
    RecordBuilder<kRowSize> groupHeader;
    groupHeader.i32(132, groups.size());
    out.bytes(groupHeader.view());
    for (int i = 0; i < groups.size(); ++i) {
        RecordBuilder<kRowSize> record;
        bool lossy = false;
        if (!record.text(0, toCodePage(groups.name(i), &lossy), kGroupNameMax) || lossy)
            changes.push_back({ChangedText::Place::GroupName, i, 0});
        record.i32(132, groups.group(i).symbol);
        record.i32(136, groups.group(i).color);
        record.i32(140, groups.group(i).symbolSize);
        out.bytes(record.view());
    }

    // The last byte stays a NUL so that every reader finds the end of the text.
    RecordBuilder<kFileInfoSize> info;
    bool lossy = false;
    if (!info.text(0, toCodePage(document.fileInfo, &lossy), kFileInfoSize - 1) || lossy)
        changes.push_back({ChangedText::Place::FileInfo, 0, 0});
    out.bytes(info.view());

    for (const Weights &corner : document.geometry.clipCorners) {
        for (float w : corner)
            out.f32(w);
    }
    writeRows(document, out, changes);
    return out.flush();
}

SaveResult saveDocument(const Document &document, const QString &chosenName)
{
    SaveResult result;
    result.fileName = documentFileName(chosenName);
    QSaveFile file(result.fileName);
    if (!file.open(QIODevice::WriteOnly))
        return result;
    if (!writeDocument(document, file, result.changedTexts)) {
        file.cancelWriting();
        return result;
    }
    result.ok = file.commit();
    return result;
}

} // namespace quarvel
