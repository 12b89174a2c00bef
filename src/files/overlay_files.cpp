#include "files/overlay_files.h"

#include "files/byte_io.h"
#include "files/document_file.h"
#include "files/file_bytes.h"
#include "files/field_values.h"

#include <QSaveFile>

#include <charconv>

namespace quarvel {

namespace {

OverlayResult wrongFile()
{
    return {false, kWrongFileMessage};
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Six integers separated by white space; whatever follows them on the line is not looked at.
bool readLineNumbers(std::string_view rest, std::int32_t (&n)[6])
{
    std::size_t at = 0;
    for (auto &value : n) {
        while (at < rest.size() && isSpace(rest[at]))
            ++at;
        if (at < rest.size() && rest[at] == '+')
            ++at;
        const auto result = std::from_chars(rest.data() + at, rest.data() + rest.size(), value);
        if (result.ec != std::errc())
            return false;
        at = static_cast<std::size_t>(result.ptr - rest.data());
    }
    return true;
}

} // namespace

QString overlayFileName(const QString &chosenName)
{
    if (chosenName.endsWith(QLatin1String(".xvl")) || chosenName.endsWith(QLatin1String(".XVL")))
        return chosenName;
    return chosenName + QLatin1String(".xvl");
}

OverlaySaveResult saveOverlayFile(const std::vector<VectorLine> &overlay, const QString &chosenName)
{
    OverlaySaveResult result;
    result.fileName = overlayFileName(chosenName);
    result.message = kErrorWrittingFileMessage;
    QSaveFile file(result.fileName);
    if (!file.open(QIODevice::WriteOnly))
        return result;
    ByteWriter out(&file);
    writeOverlay(out, overlay, 3, result.changedTexts);
    if (!out.flush()) {
        file.cancelWriting();
        return result;
    }
    result.ok = file.commit();
    if (result.ok)
        result.message.clear();
    return result;
}

OverlayResult readExtendedOverlay(std::vector<VectorLine> &overlay, std::string_view bytes)
{
    ByteReader in(bytes);
    const auto header = in.take(OverlayHeader::kSize);
    if (!header || header->substr(0, 3) != "XVL")
        return wrongFile();
    const OverlayHeader h = OverlayHeader::read(*header);
    std::size_t size = OverlayRecord::kSize;
    if (h.variant == 5)
        size = OlderOverlayRecord::kShortSize;
    else if (h.variant == 9)
        size = OlderOverlayRecord::kLongSize;
    else if (h.version != 3 || h.variant != 0)
        return wrongFile();

    for (std::int32_t i = 0; i < h.count; ++i) {
        const auto record = in.take(size);
        if (!record)
            break;
        if (size == OverlayRecord::kSize) {
            overlay.push_back(OverlayRecord::read(*record));
            continue;
        }
        VectorLine v = OlderOverlayRecord::read(*record);
        v.width = 1;
        v.angle = 0;
        if (h.variant == 9) {
            v.text = trimmedFieldText(OlderOverlayRecord::text(*record));
            v.fontSize = 10;
        } else {
            v.text.clear();
            v.fontSize = 0;
        }
        overlay.push_back(v);
    }
    return {true, {}};
}

OverlayResult readOverlayText(std::vector<VectorLine> &overlay, std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (line.find_first_not_of(" \t\r\v\f") == std::string_view::npos)
            continue;
        std::int32_t n[6];
        if (!readLineNumbers(line.substr(1), n))
            return {false, kInvalidFileMessage};
        VectorLine v;
        v.kind = 'r';
        v.lineStyle = styleOfLetter(line[0]);
        v.color = 0;
        v.text.clear();
        v.fontSize = 0;
        v.angle = 0;
        v.width = 1;
        v.ternOrigin = {float(n[0]), float(n[2]), float(n[1])};
        v.ternDest = {float(n[3]), float(n[5]), float(n[4])};
        overlay.push_back(v);
    }
    return {true, {}};
}

OverlayResult openOverlay(Document &document, const QString &fileName, OverlayFileType type)
{
    document.selectedOverlay = -1;
    document.overlayList.clear();
    document.modified = true;
    const FileBytes file(fileName);
    if (!file.bytes())
        return {false, type == OverlayFileType::Extended ? kWrongFileMessage : kInvalidFileMessage};
    if (type == OverlayFileType::Extended)
        return readExtendedOverlay(document.overlayList, *file.bytes());
    return readOverlayText(document.overlayList, *file.bytes());
}

} // namespace quarvel
