#pragma once

#include "core/settings.h"
#include "ui/color_list.h"
#include "ui/copy_settings.h"
#include "ui/font_choice.h"

#include <array>

#include <QDialog>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace quarvel {

class Document;

// The font and colour dialogs the option dialogs open; tests answer in place of the user.
struct OptionsDialogChoosers
{
    FontChooser chooseFont = chooseScalableFont;
    ColorChooser chooseColor = chooseColorInDialog;
};

// The triangle options dialog: edits the diagram settings of a document on seven pages. Apply
// applies and stays open, Cancel undoes the last Apply, the title-bar close changes nothing.
// One dialog serves the whole run; it also holds the copy settings that the image window reads.
class TriangleOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    // The pages in their order; LastShown keeps the page the dialog showed last.
    enum Page { LastShown = -1, TrianglePage, DataPage, AxisPage, TicksAndNumbersPage, LegendPage, SubtrianglePage,
                AdvancedPage };

    explicit TriangleOptionsDialog(CopySettings &copySettings, QWidget *parent = nullptr,
                                   OptionsDialogChoosers choosers = {});

    // Shows the dialog modally on document at page; returns when it is closed.
    int showOptions(Document &document, int page = LastShown);
    // What showOptions does before it runs the dialog: switch the page, load the controls.
    void prepare(Document &document, int page = LastShown);

    const CopySettings &copySettings() const { return m_copySettings; }

signals:
    // The document's settings were stored (or restored) and it was refreshed; the groups panel
    // and data grid repaint, the image window redraws.
    void documentRefreshed(quarvel::Document *document);
    // "Label font" gave the document's data-grid font a new charset; the grid takes its font.
    void dataGridFontChanged(quarvel::Document *document);

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    QWidget *makeTrianglePage();
    QWidget *makeDataPage();
    QWidget *makeAxisPage();
    QWidget *makeTicksPage();
    QWidget *makeLegendPage();
    QWidget *makeSubtrianglePage();
    QWidget *makeAdvancedPage();
    QPushButton *makeFontButton(const char *objectName, const QString &caption, FontSpec &font, FontSample *sample,
                                bool setsDataGridCharset);

    void loadSettings(const Document &document);
    void storeSettings(DiagramSettings &settings) const;
    void refreshDocument();
    void okClicked();
    void applyClicked();
    void cancelClicked();

    void axisListChanged(int list);
    void resetAxes();
    void updateEnabling();
    void copySettingsChanged();

    CopySettings &m_copySettings;
    OptionsDialogChoosers m_choosers;
    Document *m_document = nullptr;
    DiagramSettings m_undoCopy{};
    bool m_applied = false;
    std::array<int, 4> m_previousAxes{0, 1, 2, 3};
    // The fonts as the font dialogs hold them between a choice and OK or Apply.
    FontSpec m_axisLabelFont = FontSpec::make("Arial", 9);
    FontSpec m_numberFont = FontSpec::make("Arial", 9);
    FontSpec m_legendFont = FontSpec::make("Arial", 9);
    FontSpec m_sampleLabelFont = FontSpec::make("Arial", 12);

    QTabWidget *m_pages = nullptr;

    QButtonGroup *m_borderWidth = nullptr;
    QCheckBox *m_drawGrid = nullptr;
    ColorList *m_gridColor = nullptr;
    QCheckBox *m_matchPointColor = nullptr;
    FontSample *m_sampleLabelSample = nullptr;

    std::array<QLabel *, 4> m_columnTitles{};
    std::array<QComboBox *, 4> m_columnAxis{};

    QCheckBox *m_drawAxisLabels = nullptr;
    QPushButton *m_axisLabelFontButton = nullptr;
    FontSample *m_axisLabelSample = nullptr;
    QRadioButton *m_labelsCentered = nullptr;
    QRadioButton *m_labelsAtExtreme = nullptr;
    QSlider *m_axisDivisions = nullptr;
    QLabel *m_axisDivisionsText = nullptr;
    QRadioButton *m_clockwise = nullptr;
    QRadioButton *m_counterclockwise = nullptr;

    QCheckBox *m_innerTicks = nullptr;
    QCheckBox *m_ticksBothSides = nullptr;
    QCheckBox *m_ticksBottom = nullptr;
    QCheckBox *m_ticksLeft = nullptr;
    QCheckBox *m_ticksRight = nullptr;
    QSlider *m_tickLength = nullptr;
    QCheckBox *m_numbersBottom = nullptr;
    QCheckBox *m_numbersLeft = nullptr;
    QCheckBox *m_numbersRight = nullptr;
    QComboBox *m_decimals = nullptr;
    QCheckBox *m_numbersAligned = nullptr;
    FontSample *m_numberSample = nullptr;

    QCheckBox *m_drawLegend = nullptr;
    QCheckBox *m_legendBorder = nullptr;
    QCheckBox *m_symbolsFirst = nullptr;
    QCheckBox *m_sortLegend = nullptr;
    QComboBox *m_legendColumns = nullptr;
    QPushButton *m_legendFontButton = nullptr;
    FontSample *m_legendSample = nullptr;

    QCheckBox *m_drawClippingLine = nullptr;

    QRadioButton *m_copyAsMetafile = nullptr;
    QRadioButton *m_copyAsBitmap = nullptr;
    QCheckBox *m_convertSymbols = nullptr;
    QCheckBox *m_fixDotLines = nullptr;
    QSlider *m_baseSize = nullptr;
    QButtonGroup *m_diagramKind = nullptr;
};

} // namespace quarvel
