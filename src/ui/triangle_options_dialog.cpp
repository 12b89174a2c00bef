#include "ui/triangle_options_dialog.h"

#include "core/document.h"
#include "ui/number_combo.h"

#include <algorithm>
#include <cmath>

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace quarvel {

namespace {

const char *const kAxisNames[4] = {"Bottom Axis", "Left Axis", "Right Axis", "Down Axis"};

const char *const kExplanation[] = {
    "Here you can assign any of the four data colums to the axis of the triangle. The axis ",
    "named 'bottom', 'left' and 'right' are used to construct a ternary diagram. To ",
    "construct a diamond diagram, the upper triangle uses the same axis than the ",
    "ternary diagram, and the down triangle uses the axis named  'bottom', 'right' and ",
    "'down'. The axis 'bottom' and 'right' are common to both triangles.",
    "",
    "About axis orientation, the usual option if 'clockwise' , but if  you select ",
    "'counterclockwise' you will see that the axis are mirrowed and the left axis is drawn ",
    "at the right side of the triangle.",
    "",
    "In diamond diagrams, the upper triangle is by default clockwise and the lower ",
    "triangle is counterclockwise. If you select 'counterclockwise' for a diamond diagram, ",
    "this situation is reversed.",
};

template <typename W>
W *named(W *widget, const char *objectName)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

QCheckBox *checkBox(const char *objectName, const char *caption, bool checked)
{
    auto *box = named(new QCheckBox(QString::fromLatin1(caption)), objectName);
    box->setChecked(checked);
    return box;
}

QRadioButton *radioButton(const char *objectName, const char *caption)
{
    return named(new QRadioButton(QString::fromLatin1(caption)), objectName);
}

QSlider *slider(const char *objectName, int low, int high, int value)
{
    auto *bar = named(new QSlider(Qt::Horizontal), objectName);
    bar->setRange(low, high);
    bar->setValue(value);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(1);
    bar->setPageStep(1);
    bar->setMinimumWidth(180);
    return bar;
}

// A slider between the marks "-" and "+".
QWidget *betweenMarks(QSlider *bar)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("-")));
    layout->addWidget(bar, 1);
    layout->addWidget(new QLabel(QStringLiteral("+")));
    return row;
}

QGroupBox *group(const char *title, QLayout *layout)
{
    auto *box = new QGroupBox(QString::fromLatin1(title));
    box->setLayout(layout);
    return box;
}

QVBoxLayout *column(std::initializer_list<QWidget *> widgets)
{
    auto *layout = new QVBoxLayout;
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
    return layout;
}

// A page whose groups stand in a column at the top.
QWidget *page(std::initializer_list<QWidget *> widgets)
{
    auto *widget = new QWidget;
    auto *layout = column(widgets);
    layout->addStretch(1);
    widget->setLayout(layout);
    return widget;
}

std::uint8_t flag(const QAbstractButton *button)
{
    return button->isChecked() ? 1 : 0;
}

} // namespace

TriangleOptionsDialog::TriangleOptionsDialog(CopySettings &copySettings, QWidget *parent,
                                             OptionsDialogChoosers choosers)
    : QDialog(parent)
    , m_copySettings(copySettings)
    , m_choosers(std::move(choosers))
{
    setObjectName(QStringLiteral("FOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);

    m_pages = named(new QTabWidget, "PageControl1");
    // All seven page titles stay in sight: the dialog grows to them instead of scrolling them.
    m_pages->setUsesScrollButtons(false);
    m_pages->addTab(makeTrianglePage(), QStringLiteral("Triangle"));
    m_pages->addTab(makeDataPage(), QStringLiteral("Data"));
    m_pages->addTab(makeAxisPage(), QStringLiteral("Axis"));
    m_pages->addTab(makeTicksPage(), QStringLiteral("Ticks and Numbers"));
    m_pages->addTab(makeLegendPage(), QStringLiteral("Legend"));
    m_pages->addTab(makeSubtrianglePage(), QStringLiteral("Subtriangle"));
    m_pages->addTab(makeAdvancedPage(), QStringLiteral("Advanced"));

    auto *buttons = new QDialogButtonBox;
    QPushButton *ok = named(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), "OKBtn");
    QPushButton *cancel =
        named(buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole), "CancelBtn");
    QPushButton *apply = named(buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::ApplyRole), "ApplyBtn");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TriangleOptionsDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &TriangleOptionsDialog::cancelClicked);
    connect(apply, &QPushButton::clicked, this, &TriangleOptionsDialog::applyClicked);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);

    m_sampleLabelSample->showFont(chosenFontOf(m_sampleLabelFont));
    m_axisLabelSample->showFont(chosenFontOf(m_axisLabelFont));
    m_numberSample->showFont(chosenFontOf(m_numberFont));
    m_legendSample->showFont(chosenFontOf(m_legendFont));
    updateEnabling();
}

QPushButton *TriangleOptionsDialog::makeFontButton(const char *objectName, const QString &caption, FontSpec &font,
                                                   FontSample *sample, bool setsDataGridCharset)
{
    auto *button = named(new QPushButton(caption), objectName);
    connect(button, &QPushButton::clicked, this, [this, &font, sample, setsDataGridCharset] {
        const std::optional<ChosenFont> chosen = m_choosers.chooseFont(this, chosenFontOf(font));
        if (!chosen)
            return;
        storeChosenFont(font, *chosen);
        sample->showFont(chosenFontOf(font));
        // The grid's column titles follow the axis labels' character set at once, even when
        // the dialog is cancelled later.
        if (setsDataGridCharset && m_document) {
            m_document->dataSettings.dataFont.charset = chosen->charset;
            emit dataGridFontChanged(m_document);
        }
    });
    return button;
}

QWidget *TriangleOptionsDialog::makeTrianglePage()
{
    auto *borders = new QVBoxLayout;
    m_borderWidth = new QButtonGroup(this);
    const char *const names[3] = {"RBborde1", "RBborde2", "RBborde3"};
    const char *const captions[3] = {"Thin", "Medium", "Wide"};
    for (int i = 0; i < 3; ++i) {
        QRadioButton *button = radioButton(names[i], captions[i]);
        m_borderWidth->addButton(button, i + 1);
        borders->addWidget(button);
    }
    m_borderWidth->button(1)->setChecked(true);

    m_drawGrid = checkBox("CheckGrid", "Draw grid", true);
    m_gridColor = named(new ColorList, "SBcolor");
    m_gridColor->setCustomColorChooser(m_choosers.chooseColor);
    connect(m_drawGrid, &QCheckBox::toggled, this, &TriangleOptionsDialog::updateEnabling);
    auto *colorRow = new QHBoxLayout;
    auto *colorLabel = new QLabel(QStringLiteral("Color"));
    colorLabel->setBuddy(m_gridColor);
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(m_gridColor, 1);
    auto *grid = column({m_drawGrid});
    grid->addLayout(colorRow);

    m_matchPointColor = checkBox("cbMatch", "Match point color", false);
    m_sampleLabelSample = named(new FontSample, "InfoLabel");
    QPushButton *fontButton = makeFontButton("Button1", QStringLiteral("Sample labels font"), m_sampleLabelFont,
                                             m_sampleLabelSample, false);

    auto *widget = new QWidget;
    auto *layout = new QGridLayout(widget);
    layout->addWidget(group("Border width", borders), 0, 0);
    layout->addWidget(group("Grid", grid), 1, 0);
    layout->addWidget(group("Sample labels", column({m_matchPointColor, fontButton, m_sampleLabelSample})), 0, 1, 2, 1,
                      Qt::AlignTop);
    layout->setRowStretch(2, 1);
    return widget;
}

QWidget *TriangleOptionsDialog::makeDataPage()
{
    auto *assignment = new QGridLayout;
    const char *const labelNames[4] = {"Lab1", "Lab2", "Lab3", "Lab4"};
    const char *const listNames[4] = {"cbLab1", "cbLab2", "cbLab3", "cbLab4"};
    for (int k = 0; k < 4; ++k) {
        QLabel *title = named(new QLabel, labelNames[k]);
        title->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        title->setMinimumWidth(90);
        m_columnTitles[static_cast<std::size_t>(k)] = title;

        QComboBox *list = named(new QComboBox, listNames[k]);
        for (const char *axis : kAxisNames)
            list->addItem(QString::fromLatin1(axis));
        list->setCurrentIndex(k);
        connect(list, &QComboBox::activated, this, [this, k] { axisListChanged(k); });
        m_columnAxis[static_cast<std::size_t>(k)] = list;

        assignment->addWidget(title, k, 0);
        assignment->addWidget(list, k, 1);
    }
    auto *reset = named(new QPushButton(QStringLiteral("Reset to default")), "btDefault");
    connect(reset, &QPushButton::clicked, this, &TriangleOptionsDialog::resetAxes);
    assignment->addWidget(reset, 4, 1);
    assignment->setColumnStretch(2, 1);

    auto *explanation = named(new QPlainTextEdit, "Memo1");
    explanation->setReadOnly(true);
    explanation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QStringList lines;
    for (const char *line : kExplanation)
        lines << QString::fromLatin1(line);
    explanation->setPlainText(lines.join(QLatin1Char('\n')));
    // Its lines are broken where the text means them to be; wide enough, none breaks again.
    int widest = 0;
    for (const QString &line : std::as_const(lines))
        widest = std::max(widest, explanation->fontMetrics().horizontalAdvance(line));
    explanation->setMinimumWidth(widest + 2 * explanation->frameWidth()
                                 + static_cast<int>(2 * explanation->document()->documentMargin())
                                 + explanation->verticalScrollBar()->sizeHint().width() + 8);
    explanation->setMinimumHeight(140);

    auto *box = new QVBoxLayout;
    box->addLayout(assignment);
    box->addWidget(explanation, 1);
    auto *widget = new QWidget;
    auto *layout = new QVBoxLayout(widget);
    layout->addWidget(group("Data assignment", box));
    return widget;
}

QWidget *TriangleOptionsDialog::makeAxisPage()
{
    m_drawAxisLabels = checkBox("labels", "Draw axis labels", true);
    connect(m_drawAxisLabels, &QCheckBox::toggled, this, &TriangleOptionsDialog::updateEnabling);
    m_axisLabelSample = named(new FontSample, "InfoAxis");
    m_axisLabelFontButton =
        makeFontButton("Bfont", QStringLiteral("Label font"), m_axisLabelFont, m_axisLabelSample, true);
    m_labelsCentered = radioButton("rbCenter", "Center");
    m_labelsAtExtreme = radioButton("rbExtreme", "Extreme");
    m_labelsAtExtreme->setChecked(true);
    auto *labels = column({m_drawAxisLabels, m_axisLabelFontButton, m_axisLabelSample,
                           group("Position", column({m_labelsCentered, m_labelsAtExtreme}))});

    m_axisDivisions = slider("TrackBar1", 2, 20, 10);
    m_axisDivisionsText = named(new QLabel(QStringLiteral("10")), "TXT_div");
    m_axisDivisionsText->setMinimumWidth(m_axisDivisionsText->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    m_axisDivisionsText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(m_axisDivisions, &QSlider::valueChanged, this,
            [this](int value) { m_axisDivisionsText->setText(QString::number(value)); });
    auto *divisions = new QHBoxLayout;
    divisions->addWidget(m_axisDivisions, 1);
    divisions->addWidget(m_axisDivisionsText);

    m_clockwise = radioButton("cbClock", "Clockwise");
    m_counterclockwise = radioButton("cbAclock", "Counterclockwise");
    m_clockwise->setChecked(true);

    auto *widget = new QWidget;
    auto *layout = new QGridLayout(widget);
    layout->addWidget(group("Axis labels", labels), 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(group("Axis divisions ", divisions), 0, 1, Qt::AlignTop);
    layout->addWidget(group("Axis orientation", column({m_clockwise, m_counterclockwise})), 1, 1, Qt::AlignTop);
    layout->setRowStretch(2, 1);
    return widget;
}

QWidget *TriangleOptionsDialog::makeTicksPage()
{
    m_innerTicks = checkBox("CheckInner", "Inner ticks (no grid)", false);
    connect(m_innerTicks, &QCheckBox::toggled, this, &TriangleOptionsDialog::updateEnabling);
    m_ticksBothSides = checkBox("CheckBoth", "Plot both sides", true);
    m_ticksBottom = checkBox("CheckBottom", "Bottom", true);
    m_ticksLeft = checkBox("CheckLeft", "Left", true);
    m_ticksRight = checkBox("CheckRight", "Right", true);
    m_tickLength = slider("sTickLen", -2, 8, 1);
    auto *ticks = column({m_innerTicks, m_ticksBothSides,
                          group("Axis", column({m_ticksBottom, m_ticksLeft, m_ticksRight})),
                          group("Tick length", column({betweenMarks(m_tickLength)}))});

    m_numbersBottom = checkBox("ChecknumberB", "Bottom", true);
    m_numbersLeft = checkBox("ChecknumberL", "Left", true);
    m_numbersRight = checkBox("ChecknumberR", "Right", true);
    m_decimals = named(makeNumberCombo({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")},
                                       {0, 2, QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("0")}),
                       "cbDecimales");
    auto *decimals = new QHBoxLayout;
    auto *decimalsLabel = new QLabel(QStringLiteral("Decimals"));
    decimalsLabel->setBuddy(m_decimals);
    decimals->addWidget(decimalsLabel);
    decimals->addWidget(m_decimals, 1);
    m_numbersAligned = checkBox("cbTicksAligned", "Aligned", false);
    m_numberSample = named(new FontSample, "InfoNumber");
    QPushButton *fontButton =
        makeFontButton("BBnumbers", QStringLiteral("Number font"), m_numberFont, m_numberSample, false);
    auto *numbers = column({m_numbersBottom, m_numbersLeft, m_numbersRight});
    numbers->addLayout(decimals);
    numbers->addWidget(m_numbersAligned);
    numbers->addWidget(fontButton);
    numbers->addWidget(m_numberSample);

    auto *widget = new QWidget;
    auto *layout = new QGridLayout(widget);
    layout->addWidget(group("Ticks", ticks), 0, 0, Qt::AlignTop);
    layout->addWidget(group("Numbers", numbers), 0, 1, Qt::AlignTop);
    layout->setRowStretch(1, 1);
    return widget;
}

QWidget *TriangleOptionsDialog::makeLegendPage()
{
    m_drawLegend = checkBox("cbLeyenda", "Draw legend", true);
    connect(m_drawLegend, &QCheckBox::toggled, this, &TriangleOptionsDialog::updateEnabling);
    m_legendBorder = checkBox("cbBorder", "Draw border", true);
    m_symbolsFirst = checkBox("cbFirst", "Draw symbols first", true);
    m_sortLegend = checkBox("cbSort", "Sort legend", true);
    m_legendColumns = named(makeNumberCombo({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                             QStringLiteral("4")},
                                            {1, 4, QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("1")}),
                            "cbColumnas");
    auto *columns = new QHBoxLayout;
    auto *columnsLabel = new QLabel(QStringLiteral("Number of colums"));
    columnsLabel->setBuddy(m_legendColumns);
    columns->addWidget(columnsLabel);
    columns->addWidget(m_legendColumns, 1);
    m_legendSample = named(new FontSample, "InfoLegend");
    m_legendFontButton =
        makeFontButton("bbLegendFont", QStringLiteral("Legend font"), m_legendFont, m_legendSample, false);

    auto *legend = column({m_drawLegend, m_legendBorder, m_symbolsFirst, m_sortLegend});
    legend->addLayout(columns);
    legend->addWidget(m_legendFontButton);
    legend->addWidget(m_legendSample);
    auto *box = group("Legend", legend);
    box->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    return page({box});
}

QWidget *TriangleOptionsDialog::makeSubtrianglePage()
{
    m_drawClippingLine = checkBox("cbClip", "Draw clipping line", true);
    return page({group("Subtriangle", column({m_drawClippingLine}))});
}

QWidget *TriangleOptionsDialog::makeAdvancedPage()
{
    m_copyAsMetafile = radioButton("btCopyMetafile", "Copy image as metafile");
    m_copyAsBitmap = radioButton("btCopyBitmap", "Copy image as bitmap");
    m_convertSymbols = checkBox("cbConvert", "Convert symbols to graphics", m_copySettings.convertSymbolsToGraphics);
    m_fixDotLines = checkBox("cbFixLines", "Fix dot lines", m_copySettings.fixDotLines);
    (m_copySettings.copyAsMetafile ? m_copyAsMetafile : m_copyAsBitmap)->setChecked(true);
    for (QAbstractButton *button : {static_cast<QAbstractButton *>(m_copyAsMetafile),
                                    static_cast<QAbstractButton *>(m_copyAsBitmap),
                                    static_cast<QAbstractButton *>(m_convertSymbols),
                                    static_cast<QAbstractButton *>(m_fixDotLines)})
        connect(button, &QAbstractButton::toggled, this, &TriangleOptionsDialog::copySettingsChanged);

    m_baseSize = slider("BarraZoom", -20, 20, 0);

    m_diagramKind = new QButtonGroup(this);
    const char *const names[3] = {"cbNoForce", "cbForceT", "cbForceD"};
    const char *const captions[3] = {"Data dependant", "Force triangle", "Force diamond"};
    auto *kinds = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        QRadioButton *button = radioButton(names[i], captions[i]);
        m_diagramKind->addButton(button, i);
        kinds->addWidget(button);
    }
    m_diagramKind->button(0)->setChecked(true);

    auto *widget = new QWidget;
    auto *layout = new QGridLayout(widget);
    layout->addWidget(group("Copy Format", column({m_copyAsMetafile, m_copyAsBitmap, m_convertSymbols, m_fixDotLines})),
                      0, 0, Qt::AlignTop);
    layout->addWidget(group("Base size", column({betweenMarks(m_baseSize)})), 1, 0, Qt::AlignTop);
    layout->addWidget(group("Diagram", kinds), 0, 1, Qt::AlignTop);
    layout->setRowStretch(2, 1);
    return widget;
}

int TriangleOptionsDialog::showOptions(Document &document, int page)
{
    prepare(document, page);
    return exec();
}

void TriangleOptionsDialog::prepare(Document &document, int page)
{
    if (page >= 0 && page < m_pages->count())
        m_pages->setCurrentIndex(page);
    m_document = &document;
    loadSettings(document);
    m_applied = false;
}

void TriangleOptionsDialog::loadSettings(const Document &document)
{
    const DiagramSettings &s = document.diagramSettings;

    if (QAbstractButton *border = m_borderWidth->button(s.borderWidth)) {
        border->setChecked(true);
    } else {
        // A width no button stands for: none is selected, and OK leaves the stored value.
        m_borderWidth->setExclusive(false);
        for (QAbstractButton *button : m_borderWidth->buttons())
            button->setChecked(false);
        m_borderWidth->setExclusive(true);
    }
    if (QAbstractButton *kind = m_diagramKind->button(s.diagramKind))
        kind->setChecked(true);
    if (s.legendColumns >= 1 && s.legendColumns <= 4)
        m_legendColumns->setEditText(QString::number(s.legendColumns));
    m_innerTicks->setChecked(s.innerTicks);
    m_gridColor->setColor(s.gridColor);

    m_decimals->setEditText(QString::number(s.numberDecimals));
    m_axisDivisions->setValue(s.axisDivisions);
    m_ticksBottom->setChecked(s.ticksBottom);
    m_ticksLeft->setChecked(s.ticksLeft);
    m_ticksRight->setChecked(s.ticksRight);
    m_ticksBothSides->setChecked(s.ticksBothSides);
    m_numbersBottom->setChecked(s.numbersBottom);
    m_numbersLeft->setChecked(s.numbersLeft);
    m_numbersRight->setChecked(s.numbersRight);
    m_numbersAligned->setChecked(s.numbersAligned);
    m_tickLength->setValue(s.tickLength);

    m_numberFont = s.numberFont;
    m_legendFont = s.legendFont;
    m_axisLabelFont = s.axisLabelFont;
    m_sampleLabelFont = s.sampleLabelFont;
    m_numberSample->showFont(chosenFontOf(m_numberFont));
    m_legendSample->showFont(chosenFontOf(m_legendFont));
    m_axisLabelSample->showFont(chosenFontOf(m_axisLabelFont));
    m_sampleLabelSample->showFont(chosenFontOf(m_sampleLabelFont));

    (s.clockwise ? m_clockwise : m_counterclockwise)->setChecked(true);
    m_drawGrid->setChecked(s.drawGrid);
    m_drawAxisLabels->setChecked(s.drawAxisLabels);
    for (int k = 0; k < 4; ++k)
        m_columnTitles[static_cast<std::size_t>(k)]->setText(document.dataSettings.title(k + 1));

    m_drawLegend->setChecked(s.drawLegend);
    m_legendBorder->setChecked(s.legendBorder);
    m_symbolsFirst->setChecked(s.symbolsFirst);
    m_sortLegend->setChecked(s.sortLegend);
    (s.axisLabelsCentered ? m_labelsCentered : m_labelsAtExtreme)->setChecked(true);
    m_matchPointColor->setChecked(s.matchPointColor);
    m_drawClippingLine->setChecked(s.drawClippingLine);
    // Not a number or beyond any int: the middle of the slider; else truncated and clamped.
    const float base = std::isnan(s.baseSize) ? 0.0f : std::clamp(s.baseSize, -20.0f, 20.0f);
    m_baseSize->setValue(static_cast<int>(base));

    // Lists can only show a permutation; a damaged assignment shows the one drawing falls back to.
    const std::array<std::int32_t, 4> axes = s.axisOfColumns();
    for (std::size_t k = 0; k < 4; ++k) {
        m_columnAxis[k]->setCurrentIndex(axes[k]);
        m_previousAxes[k] = axes[k];
    }
    updateEnabling();
}

void TriangleOptionsDialog::storeSettings(DiagramSettings &s) const
{
    if (m_borderWidth->checkedId() >= 1)
        s.borderWidth = m_borderWidth->checkedId();
    if (m_diagramKind->checkedId() >= 0)
        s.diagramKind = m_diagramKind->checkedId();

    s.legendColumns = wholeNumberWithin(m_legendColumns->currentText(), 1, 4, 1);
    s.numberDecimals = wholeNumberWithin(m_decimals->currentText(), 0, 2, 0);
    s.axisDivisions = m_axisDivisions->value();

    s.ticksBottom = flag(m_ticksBottom);
    s.ticksLeft = flag(m_ticksLeft);
    s.ticksRight = flag(m_ticksRight);
    s.ticksBothSides = flag(m_ticksBothSides);
    s.numbersBottom = flag(m_numbersBottom);
    s.numbersLeft = flag(m_numbersLeft);
    s.numbersRight = flag(m_numbersRight);

    storeFontFields(s.axisLabelFont, m_axisLabelFont);
    storeFontFields(s.numberFont, m_numberFont);
    storeFontFields(s.legendFont, m_legendFont);
    storeFontFields(s.sampleLabelFont, m_sampleLabelFont);
    s.symbolFont.charset = 1;
    s.symbolFont.color = 0;

    s.drawGrid = flag(m_drawGrid);
    s.drawAxisLabels = flag(m_drawAxisLabels);
    s.drawLegend = flag(m_drawLegend);
    s.legendBorder = flag(m_legendBorder);
    s.symbolsFirst = flag(m_symbolsFirst);
    s.sortLegend = flag(m_sortLegend);
    s.axisLabelsCentered = flag(m_labelsCentered);
    s.numbersAligned = flag(m_numbersAligned);
    s.tickLength = m_tickLength->value();
    s.matchPointColor = flag(m_matchPointColor);
    s.gridColor = m_gridColor->color();

    s.drawClippingLine = flag(m_drawClippingLine);
    s.baseSize = static_cast<float>(m_baseSize->value());
    s.innerTicks = flag(m_innerTicks);
    s.clockwise = m_counterclockwise->isChecked() ? 0 : 1;
    for (std::size_t k = 0; k < 4; ++k)
        s.columnAxis[k] = m_columnAxis[k]->currentIndex();
}

void TriangleOptionsDialog::refreshDocument()
{
    m_document->updateTriangle();
    m_document->modified = true;
    emit documentRefreshed(m_document);
}

void TriangleOptionsDialog::okClicked()
{
    if (m_document) {
        storeSettings(m_document->diagramSettings);
        refreshDocument();
    }
    accept();
}

void TriangleOptionsDialog::applyClicked()
{
    if (!m_document)
        return;
    m_undoCopy = m_document->diagramSettings;
    m_applied = true;
    storeSettings(m_document->diagramSettings);
    refreshDocument();
}

void TriangleOptionsDialog::cancelClicked()
{
    if (m_applied && m_document) {
        m_document->diagramSettings = m_undoCopy;
        refreshDocument();
    }
    // Cancel once: a second Escape or Cancel of the same showing must not restore again.
    m_applied = false;
    QDialog::reject();
}

void TriangleOptionsDialog::reject()
{
    cancelClicked();
}

void TriangleOptionsDialog::closeEvent(QCloseEvent *event)
{
    // The title-bar close keeps what was applied.
    done(QDialog::Rejected);
    event->accept();
}

void TriangleOptionsDialog::axisListChanged(int list)
{
    const std::size_t k = static_cast<std::size_t>(list);
    const int axis = m_columnAxis[k]->currentIndex();
    for (std::size_t other = 0; other < 4; ++other) {
        if (other != k && m_columnAxis[other]->currentIndex() == axis) {
            m_columnAxis[other]->setCurrentIndex(m_previousAxes[k]);
            break;
        }
    }
    for (std::size_t i = 0; i < 4; ++i)
        m_previousAxes[i] = m_columnAxis[i]->currentIndex();
}

void TriangleOptionsDialog::resetAxes()
{
    for (std::size_t k = 0; k < 4; ++k) {
        m_columnAxis[k]->setCurrentIndex(static_cast<int>(k));
        m_previousAxes[k] = static_cast<int>(k);
    }
}

void TriangleOptionsDialog::updateEnabling()
{
    const bool inner = m_innerTicks->isChecked();
    m_drawGrid->setEnabled(!inner);
    m_gridColor->setEnabled(!inner && m_drawGrid->isChecked());

    const bool labels = m_drawAxisLabels->isChecked();
    m_axisLabelFontButton->setEnabled(labels);
    m_labelsCentered->setEnabled(labels);
    m_labelsAtExtreme->setEnabled(labels);

    const bool legend = m_drawLegend->isChecked();
    m_legendBorder->setEnabled(legend);
    m_legendFontButton->setEnabled(legend);
    m_symbolsFirst->setEnabled(legend);
    m_sortLegend->setEnabled(legend);

    const bool metafile = m_copyAsMetafile->isChecked();
    m_convertSymbols->setEnabled(metafile);
    m_fixDotLines->setEnabled(metafile);
}

void TriangleOptionsDialog::copySettingsChanged()
{
    m_copySettings.copyAsMetafile = m_copyAsMetafile->isChecked();
    m_copySettings.convertSymbolsToGraphics = m_convertSymbols->isChecked();
    m_copySettings.fixDotLines = m_fixDotLines->isChecked();
    updateEnabling();
}

} // namespace quarvel
