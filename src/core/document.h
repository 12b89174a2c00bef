#pragma once

#include "core/diagram_geometry.h"
#include "core/document_changes.h"
#include "core/groups.h"
#include "core/samples.h"
#include "core/settings.h"
#include "core/table.h"
#include "core/user_locale.h"
#include "core/user_prompt.h"
#include "core/vector_line.h"

#include <functional>
#include <string_view>
#include <vector>

#include <QString>

namespace quarvel {

struct ParsedNumber
{
    double value = -1.0;
    bool ok = false;
};

// The state of one open document and the operations every part of the program runs on it. The
// document window, when there is one, only calls these and repaints.
class Document
{
public:
    static constexpr int kNewRowCount = 102;
    static inline const QString kStatusPrefix = QStringLiteral("Number of valid samples = ");

    // A new document: default settings, the six titles, 101 empty rows, evaluated. The locale is
    // always the caller's choice: it decides the decimal separator and the letter-case rules.
    explicit Document(const UserLocale &locale);
    Document(const Document &) = delete;
    Document &operator=(const Document &) = delete;

    const UserLocale &locale() const { return m_locale; }

    // Declared first: the members below report to it.
    DocumentChanges changes;

    Table table{kNewRowCount};
    DiagramSettings diagramSettings = DiagramSettings::defaults();
    DataSettings dataSettings = DataSettings::defaults();
    DiagramGeometry geometry;
    GroupList groupList;
    SampleList samples;
    std::vector<VectorLine> overlayList;
    std::int32_t selectedOverlay = -1;
    ModifiedFlag modified{changes};
    QString fileInfo;
    QString caption = QStringLiteral("Untitled");

    void clearGroups();
    void resetGroups();
    void buildGroups();
    void evaluateSamples();
    // Asks the listeners to draw the diagram again (the thumbnail, an image window).
    void drawThumbnail();
    // buildGroups, evaluateSamples, drawThumbnail.
    void updateTriangle();
    // The table part: entry i of columnTitles into the title cell of grid column columnPositions[i].
    void applyDataSettings();

    int findColumn(QStringView title) const;
    ParsedNumber parseNumber(std::string_view text) const;
    ParsedNumber parseNumber(QStringView text) const;

    int validSamples() const { return m_validSamples; }
    // The main window's status bar text after the last evaluation.
    QString statusText() const { return kStatusPrefix + QString::number(m_validSamples); }

    // The unsaved-changes rule of closing: asks only when modified; true when it may close.
    bool mayClose(UserPrompt &prompt) const;

private:
    UserLocale m_locale;
    int m_validSamples = 0;
};

} // namespace quarvel
