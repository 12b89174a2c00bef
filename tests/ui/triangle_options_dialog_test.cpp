#include "ui/triangle_options_dialog.h"

#include "core/document.h"
#include "options_test_support.h"

#include <cmath>
#include <cstring>
#include <limits>

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace quarvel;
using quarvel::test::chooseEntry;
using quarvel::test::typeOver;

Q_DECLARE_METATYPE(quarvel::DiagramSettings)

namespace {

bool sameBytes(const DiagramSettings &a, const DiagramSettings &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every field the dialog shows, away from its default and inside the range the controls take.
DiagramSettings variedSettings()
{
    DiagramSettings s = DiagramSettings::defaults();
    s.axisDivisions = 7;
    s.borderWidth = 2;
    s.gridColor = rgbColor(3, 2, 1);
    s.numberDecimals = 2;
    s.drawGrid = 0;
    s.ticksLeft = 0;
    s.ticksBothSides = 0;
    s.numbersRight = 0;
    s.drawAxisLabels = 0;
    s.legendBorder = 0;
    s.symbolsFirst = 1;
    s.sortLegend = 1;
    s.innerTicks = 1;
    s.axisLabelsCentered = 1;
    s.matchPointColor = 1;
    s.numbersAligned = 1;
    s.tickLength = -2;
    s.baseSize = -5;
    s.drawClippingLine = 0;
    s.legendColumns = 3;
    s.diagramKind = 2;
    s.clockwise = 0;
    s.columnAxis = {2, 0, 3, 1};
    s.axisLabelFont = FontSpec::make("Times", 14);
    s.axisLabelFont.charset = 161;
    s.axisLabelFont.color = rgbColor(200, 0, 0);
    s.axisLabelFont.style = 8 | 2;
    s.numberFont.style = 4 | 1;
    s.legendFont = FontSpec::make("Courier", 11);
    s.sampleLabelFont.color = 0xFF;
    s.hideOverlay = 1;
    s.legendX = 0.25f;
    s.fullTriangle = 0;
    s.overlayTextFont.charset = 204;
    return s;
}

ChosenFont greekFont()
{
    ChosenFont font;
    font.face = QStringLiteral("Liberation Serif");
    font.size = 16;
    font.charset = 161;
    font.color = rgbColor(0, 0, 128);
    font.styles.italic = true;
    font.styles.underline = true;
    return font;
}

} // namespace

class TriangleOptionsDialogTest : public QObject
{
    Q_OBJECT

private:
    template <typename W>
    W *control(const char *name)
    {
        return quarvel::test::controlOf<W>(m_dialog.get(), name);
    }

    // Shows the dialog on the document at page, as the main window does, but without blocking.
    void showOn(int page)
    {
        m_dialog->prepare(*m_document, page);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    void click(const char *name) { test::click(control<QAbstractButton>(name)); }

    std::unique_ptr<Document> m_document;
    CopySettings m_copySettings;
    std::unique_ptr<TriangleOptionsDialog> m_dialog;
    std::optional<ChosenFont> m_fontAnswer;
    std::optional<ColorRef> m_colorAnswer;
    int m_fontDialogs = 0;

private slots:
    void init()
    {
        m_document = std::make_unique<Document>(UserLocale::point());
        m_copySettings = {};
        m_fontAnswer.reset();
        m_colorAnswer.reset();
        m_fontDialogs = 0;
        OptionsDialogChoosers choosers;
        choosers.chooseFont = [this](QWidget *, const ChosenFont &) {
            ++m_fontDialogs;
            return m_fontAnswer;
        };
        choosers.chooseColor = [this](QWidget *, ColorRef) { return m_colorAnswer; };
        m_dialog = std::make_unique<TriangleOptionsDialog>(m_copySettings, nullptr, choosers);
    }

    void cleanup()
    {
        m_dialog.reset();
        m_document.reset();
    }

    void okWithoutChangesKeepsEveryField_data()
    {
        QTest::addColumn<DiagramSettings>("settings");
        QTest::newRow("defaults") << DiagramSettings::defaults();
        QTest::newRow("varied") << variedSettings();
    }

    void okWithoutChangesKeepsEveryField()
    {
        QFETCH(DiagramSettings, settings);
        m_document->diagramSettings = settings;
        showOn(TriangleOptionsDialog::TrianglePage);
        click("OKBtn");
        QVERIFY(!m_dialog->isVisible());
        QVERIFY(sameBytes(m_document->diagramSettings, settings));
        QVERIFY(m_document->modified);
    }

    void settingsShowInTheirControls()
    {
        m_document->diagramSettings = variedSettings();
        showOn(TriangleOptionsDialog::TrianglePage);
        QVERIFY(control<QRadioButton>("RBborde2")->isChecked());
        QCOMPARE(control<QComboBox>("SBcolor")->currentIndex(), kCustomColorEntry);
        QCOMPARE(control<QLabel>("TXT_div")->text(), QStringLiteral("7"));
        QCOMPARE(control<QComboBox>("cbDecimales")->currentText(), QStringLiteral("2"));
        QCOMPARE(control<QComboBox>("cbColumnas")->currentText(), QStringLiteral("3"));
        QCOMPARE(control<QComboBox>("cbLab1")->currentText(), QStringLiteral("Right Axis"));
        QCOMPARE(control<QComboBox>("cbLab4")->currentText(), QStringLiteral("Left Axis"));
        QVERIFY(control<QRadioButton>("cbAclock")->isChecked());
        QVERIFY(control<QRadioButton>("rbCenter")->isChecked());
        QVERIFY(control<QRadioButton>("cbForceD")->isChecked());
        QCOMPARE(control<QSlider>("BarraZoom")->value(), -5);
        QCOMPARE(control<QLabel>("InfoAxis")->text(), QStringLiteral("Times 14"));
        QVERIFY(control<QLabel>("InfoAxis")->font().bold());
        QCOMPARE(control<QLabel>("Lab2")->text(), QStringLiteral("Left"));
    }

    void choosingAnAxisSwapsWithTheListThatHeldIt_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("axis");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("first to left") << 0 << 1 << QList<int>{1, 0, 2, 3};
        QTest::newRow("third to down") << 2 << 3 << QList<int>{0, 1, 3, 2};
        QTest::newRow("fourth to bottom") << 3 << 0 << QList<int>{3, 1, 2, 0};
        QTest::newRow("same axis again") << 1 << 1 << QList<int>{0, 1, 2, 3};
    }

    void choosingAnAxisSwapsWithTheListThatHeldIt()
    {
        QFETCH(int, list);
        QFETCH(int, axis);
        QFETCH(QList<int>, expected);
        showOn(TriangleOptionsDialog::DataPage);
        const char *const names[4] = {"cbLab1", "cbLab2", "cbLab3", "cbLab4"};
        chooseEntry(control<QComboBox>(names[list]), axis);
        click("OKBtn");
        const auto &stored = m_document->diagramSettings.columnAxis;
        QCOMPARE((QList<int>{stored[0], stored[1], stored[2], stored[3]}), expected);
    }

    void swapsChainFromThePreviousChoiceAndResetRestores()
    {
        showOn(TriangleOptionsDialog::DataPage);
        chooseEntry(control<QComboBox>("cbLab1"), 1); // 1 0 2 3
        chooseEntry(control<QComboBox>("cbLab3"), 0); // 1 2 0 3: list 2 held bottom, gets right
        chooseEntry(control<QComboBox>("cbLab4"), 1); // 3 2 0 1
        QCOMPARE(control<QComboBox>("cbLab1")->currentIndex(), 3);
        QCOMPARE(control<QComboBox>("cbLab2")->currentIndex(), 2);
        click("btDefault");
        chooseEntry(control<QComboBox>("cbLab2"), 2); // from the reset: 0 2 1 3
        click("OKBtn");
        QCOMPARE(m_document->diagramSettings.columnAxis, (std::array<std::int32_t, 4>{0, 2, 1, 3}));
    }

    void cancelUndoesOnlyTheLastApply()
    {
        showOn(TriangleOptionsDialog::AxisPage);
        QSlider *divisions = control<QSlider>("TrackBar1");
        divisions->setFocus();
        QTest::keyClick(divisions, Qt::Key_Home);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(divisions, Qt::Key_Right);
        QCOMPARE(control<QLabel>("TXT_div")->text(), QStringLiteral("5"));
        click("ApplyBtn");
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_document->diagramSettings.axisDivisions, 5);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(divisions, Qt::Key_Right);
        click("ApplyBtn");
        QCOMPARE(m_document->diagramSettings.axisDivisions, 8);
        QSignalSpy refreshed(m_dialog.get(), &TriangleOptionsDialog::documentRefreshed);
        click("CancelBtn");
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_document->diagramSettings.axisDivisions, 5);
        QCOMPARE(refreshed.count(), 1);
        QVERIFY(m_document->modified);
    }

    void closingWithTheTitleBarKeepsWhatWasApplied()
    {
        showOn(TriangleOptionsDialog::TrianglePage);
        click("RBborde3");
        click("ApplyBtn");
        QSignalSpy refreshed(m_dialog.get(), &TriangleOptionsDialog::documentRefreshed);
        m_dialog->close();
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_document->diagramSettings.borderWidth, 3);
        QCOMPARE(refreshed.count(), 0);
    }

    void escapeIsCancel()
    {
        showOn(TriangleOptionsDialog::TrianglePage);
        click("RBborde3");
        click("ApplyBtn");
        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_document->diagramSettings.borderWidth, 1);
    }

    void cancelAfterANewShowingRestoresNothing()
    {
        showOn(TriangleOptionsDialog::TrianglePage);
        click("RBborde3");
        click("ApplyBtn");
        click("OKBtn");
        showOn(TriangleOptionsDialog::TrianglePage);
        click("RBborde2");
        click("CancelBtn");
        QCOMPARE(m_document->diagramSettings.borderWidth, 3);
    }

    void combosReplaceTextTheyCannotStore_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("decimals above") << "cbDecimales" << "7" << "2" << 2;
        QTest::newRow("decimals grows above") << "cbDecimales" << "12" << "2" << 2;
        QTest::newRow("decimals below") << "cbDecimales" << "-" << "0" << 0;
        QTest::newRow("decimals not a number") << "cbDecimales" << "x" << "0" << 0;
        QTest::newRow("decimals deleted") << "cbDecimales" << "" << "0" << 0;
        QTest::newRow("decimals fine") << "cbDecimales" << "1" << "1" << 1;
        QTest::newRow("columns not a number") << "cbColumnas" << "x" << "1" << 1;
        QTest::newRow("columns above") << "cbColumnas" << "9" << "4" << 4;
        QTest::newRow("columns below") << "cbColumnas" << "0" << "1" << 1;
        QTest::newRow("columns fine") << "cbColumnas" << "3" << "3" << 3;
        // Checked after every key: "2." is refused, then "5" makes "15".
        QTest::newRow("columns typed key by key") << "cbColumnas" << "2.5" << "4" << 4;
    }

    void combosReplaceTextTheyCannotStore()
    {
        QFETCH(QString, combo);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        m_document->diagramSettings.numberDecimals = 1;
        m_document->diagramSettings.legendColumns = 2;
        showOn(combo == QLatin1String("cbDecimales") ? TriangleOptionsDialog::TicksAndNumbersPage
                                                     : TriangleOptionsDialog::LegendPage);
        auto *box = control<QComboBox>(combo.toLatin1().constData());
        typeOver(box, typed);
        QCOMPARE(box->currentText(), shown);
        click("OKBtn");
        const DiagramSettings &s = m_document->diagramSettings;
        QCOMPARE(combo == QLatin1String("cbDecimales") ? s.numberDecimals : s.legendColumns, stored);
        QCOMPARE(box->count(), combo == QLatin1String("cbDecimales") ? 3 : 4);
    }

    void enablingRules()
    {
        showOn(TriangleOptionsDialog::TicksAndNumbersPage);
        auto *grid = control<QCheckBox>("CheckGrid");
        auto *color = control<QComboBox>("SBcolor");
        click("CheckInner");
        QVERIFY(!grid->isEnabled());
        QVERIFY(!color->isEnabled());
        click("CheckInner");
        QVERIFY(grid->isEnabled());
        QVERIFY(color->isEnabled());

        m_dialog->findChild<QTabWidget *>()->setCurrentIndex(TriangleOptionsDialog::TrianglePage);
        click("CheckGrid");
        QVERIFY(!color->isEnabled());
        click("CheckGrid");
        QVERIFY(color->isEnabled());

        m_dialog->findChild<QTabWidget *>()->setCurrentIndex(TriangleOptionsDialog::AxisPage);
        click("labels");
        for (const char *name : {"Bfont", "rbCenter", "rbExtreme"})
            QVERIFY2(!control<QWidget>(name)->isEnabled(), name);

        m_dialog->findChild<QTabWidget *>()->setCurrentIndex(TriangleOptionsDialog::LegendPage);
        click("cbLeyenda");
        for (const char *name : {"cbBorder", "bbLegendFont", "cbFirst", "cbSort"})
            QVERIFY2(!control<QWidget>(name)->isEnabled(), name);
        QVERIFY(control<QWidget>("cbColumnas")->isEnabled());
    }

    void loadingRunsTheEnablingRules()
    {
        DiagramSettings &s = m_document->diagramSettings;
        s.innerTicks = 1;
        s.drawAxisLabels = 0;
        s.drawLegend = 0;
        showOn(TriangleOptionsDialog::TrianglePage);
        QVERIFY(!control<QWidget>("CheckGrid")->isEnabled());
        QVERIFY(!control<QWidget>("SBcolor")->isEnabled());
        QVERIFY(!control<QWidget>("Bfont")->isEnabled());
        QVERIFY(!control<QWidget>("cbSort")->isEnabled());
        click("CancelBtn");
        s = DiagramSettings::defaults();
        showOn(TriangleOptionsDialog::TrianglePage);
        for (const char *name : {"CheckGrid", "SBcolor", "Bfont", "cbSort"})
            QVERIFY2(control<QWidget>(name)->isEnabled(), name);
    }

    void copySettingsFollowTheControlsForTheRun()
    {
        showOn(TriangleOptionsDialog::AdvancedPage);
        click("cbConvert");
        QVERIFY(m_copySettings.convertSymbolsToGraphics);
        click("btCopyBitmap");
        QVERIFY(!m_copySettings.copyAsMetafile);
        QVERIFY(!control<QWidget>("cbConvert")->isEnabled());
        QVERIFY(!control<QWidget>("cbFixLines")->isEnabled());
        // Not a document setting: Cancel keeps them, another document sees them.
        click("CancelBtn");
        Document other(UserLocale::point());
        m_dialog->prepare(other, TriangleOptionsDialog::LastShown);
        QVERIFY(control<QRadioButton>("btCopyBitmap")->isChecked());
        QVERIFY(!m_copySettings.copyAsMetafile);
        QVERIFY(m_copySettings.convertSymbolsToGraphics);
        QVERIFY(sameBytes(other.diagramSettings, DiagramSettings::defaults()));
        click("btCopyMetafile");
        QVERIFY(control<QWidget>("cbFixLines")->isEnabled());
        QVERIFY(m_copySettings.copyAsMetafile);
    }

    void aDialogMadeWithRunSettingsShowsThem()
    {
        CopySettings run;
        run.copyAsMetafile = false;
        run.fixDotLines = true;
        TriangleOptionsDialog dialog(run);
        QVERIFY(dialog.findChild<QRadioButton *>(QStringLiteral("btCopyBitmap"))->isChecked());
        QVERIFY(dialog.findChild<QCheckBox *>(QStringLiteral("cbFixLines"))->isChecked());
        QVERIFY(!dialog.findChild<QCheckBox *>(QStringLiteral("cbFixLines"))->isEnabled());
    }

    void storedValuesNoControlCanShow_data()
    {
        QTest::addColumn<DiagramSettings>("settings");
        QTest::addColumn<DiagramSettings>("afterOk");
        const DiagramSettings defaults = DiagramSettings::defaults();

        DiagramSettings border = defaults;
        border.borderWidth = 5;
        QTest::newRow("border 5") << border << border;

        DiagramSettings base = defaults;
        base.baseSize = 25;
        DiagramSettings base20 = defaults;
        base20.baseSize = 20;
        QTest::newRow("base size 25") << base << base20;

        DiagramSettings ranges = defaults;
        ranges.axisDivisions = 1000;
        ranges.tickLength = -100;
        ranges.numberDecimals = 77;
        ranges.baseSize = -1e30f;
        DiagramSettings clamped = defaults;
        clamped.axisDivisions = 20;
        clamped.tickLength = -2;
        clamped.numberDecimals = 2;
        clamped.baseSize = -20;
        QTest::newRow("beyond the sliders and the combo") << ranges << clamped;

        DiagramSettings notANumber = defaults;
        notANumber.baseSize = std::numeric_limits<float>::quiet_NaN();
        notANumber.numberDecimals = -3;
        QTest::newRow("base size not a number") << notANumber << defaults;

        DiagramSettings axes = defaults;
        axes.columnAxis = {7, 7, -1, 2};
        QTest::newRow("no permutation of the axes") << axes << defaults;

        DiagramSettings kinds = defaults;
        kinds.diagramKind = 9;
        kinds.legendColumns = -3;
        kinds.borderWidth = -1;
        DiagramSettings kindsAfter = defaults;
        kindsAfter.borderWidth = -1;
        QTest::newRow("kind and columns of no button") << kinds << kindsAfter;

        DiagramSettings flags = defaults;
        flags.drawGrid = 200;
        flags.clockwise = 7;
        flags.innerTicks = 2;
        DiagramSettings flagsAfter = defaults;
        flagsAfter.innerTicks = 1;
        QTest::newRow("flags beyond 1") << flags << flagsAfter;

        DiagramSettings fonts = defaults;
        fonts.legendFont.size = 0;
        fonts.numberFont.size = -2147483647 - 1;
        fonts.axisLabelFont.size = 2147483647;
        fonts.sampleLabelFont.style = -1;
        std::memset(fonts.axisLabelFont.faceName.data(), 'A', fonts.axisLabelFont.faceName.size());
        fonts.gridColor = 0x7F000000;
        QTest::newRow("fonts and colour") << fonts << fonts;
    }

    void storedValuesNoControlCanShow()
    {
        QFETCH(DiagramSettings, settings);
        QFETCH(DiagramSettings, afterOk);
        m_document->diagramSettings = settings;
        for (int page = 0; page < 7; ++page) {
            showOn(page);
            click("CancelBtn");
            QVERIFY(sameBytes(m_document->diagramSettings, settings));
        }
        QVERIFY(!m_document->modified);

        showOn(TriangleOptionsDialog::TrianglePage);
        click("OKBtn");
        QVERIFY(sameBytes(m_document->diagramSettings, afterOk));
    }

    void borderOfNoButtonShowsNone()
    {
        m_document->diagramSettings.borderWidth = 5;
        showOn(TriangleOptionsDialog::TrianglePage);
        for (const char *name : {"RBborde1", "RBborde2", "RBborde3"})
            QVERIFY2(!control<QRadioButton>(name)->isChecked(), name);
        m_document->diagramSettings.baseSize = 25;
        showOn(TriangleOptionsDialog::AdvancedPage);
        QCOMPARE(control<QSlider>("BarraZoom")->value(), 20);
    }

    void labelFontCharsetReachesTheGridAndSurvivesCancel()
    {
        const DiagramSettings before = m_document->diagramSettings;
        showOn(TriangleOptionsDialog::AxisPage);
        QSignalSpy gridFont(m_dialog.get(), &TriangleOptionsDialog::dataGridFontChanged);
        m_fontAnswer = greekFont();
        click("Bfont");
        QCOMPARE(m_fontDialogs, 1);
        QCOMPARE(control<QLabel>("InfoAxis")->text(), QStringLiteral("Liberation Serif 16"));
        QVERIFY(control<QLabel>("InfoAxis")->font().italic());
        QCOMPARE(m_document->dataSettings.dataFont.charset, 161);
        QCOMPARE(gridFont.count(), 1);
        click("CancelBtn");
        QVERIFY(sameBytes(m_document->diagramSettings, before));
        QCOMPARE(m_document->dataSettings.dataFont.charset, 161);
    }

    void fontButtonsStoreTheChosenFontOnOk()
    {
        showOn(TriangleOptionsDialog::LegendPage);
        m_fontAnswer = greekFont();
        m_fontAnswer->face = QStringLiteral("A face name of thirty-three chars");
        click("bbLegendFont");
        m_fontAnswer.reset();
        m_dialog->findChild<QTabWidget *>()->setCurrentIndex(TriangleOptionsDialog::TicksAndNumbersPage);
        click("BBnumbers"); // cancelled: the number font stays
        QCOMPARE(m_fontDialogs, 2);
        QCOMPARE(m_document->dataSettings.dataFont.charset, 1);
        click("OKBtn");
        const DiagramSettings &s = m_document->diagramSettings;
        QCOMPARE(s.legendFont.face(), QStringLiteral("A face name of thirty-three ch"));
        QCOMPARE(s.legendFont.faceName[30], '\0');
        QCOMPARE(s.legendFont.size, 16);
        QCOMPARE(s.legendFont.charset, 161);
        QCOMPARE(s.legendFont.color, rgbColor(0, 0, 128));
        QCOMPARE(s.legendFont.style, 4 | 2);
        const DiagramSettings defaults = DiagramSettings::defaults();
        QVERIFY(std::memcmp(&s.numberFont, &defaults.numberFont, sizeof(FontSpec)) == 0);
    }

    void sampleLabelFontStartsAtArial12()
    {
        QCOMPARE(control<QLabel>("InfoLabel")->text(), QStringLiteral("Arial 12"));
    }

    void gridColourFromTheListOrTheColourDialog()
    {
        m_document->diagramSettings.gridColor = rgbColor(127, 127, 127);
        showOn(TriangleOptionsDialog::TrianglePage);
        auto *list = control<QComboBox>("SBcolor");
        chooseEntry(list, 9);
        click("ApplyBtn");
        QCOMPARE(m_document->diagramSettings.gridColor, rgbColor(255, 0, 0));
        m_colorAnswer = rgbColor(10, 20, 30);
        chooseEntry(list, kCustomColorEntry);
        click("ApplyBtn");
        QCOMPARE(m_document->diagramSettings.gridColor, rgbColor(10, 20, 30));
        m_colorAnswer.reset();
        chooseEntry(list, kCustomColorEntry);
        click("OKBtn");
        QCOMPARE(m_document->diagramSettings.gridColor, 0);
    }

    void opensOnTheNamedPageOrTheLastShown()
    {
        auto *pages = m_dialog->findChild<QTabWidget *>();
        QCOMPARE(pages->count(), 7);
        const QStringList titles = {"Triangle", "Data", "Axis", "Ticks and Numbers", "Legend", "Subtriangle",
                                    "Advanced"};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(pages->tabText(i), titles[i]);
        showOn(TriangleOptionsDialog::LegendPage);
        QCOMPARE(pages->currentIndex(), int(TriangleOptionsDialog::LegendPage));
        QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {},
                          pages->tabBar()->tabRect(TriangleOptionsDialog::SubtrianglePage).center());
        click("OKBtn");
        showOn(TriangleOptionsDialog::LastShown);
        QCOMPARE(pages->currentIndex(), int(TriangleOptionsDialog::SubtrianglePage));
    }

    void everyPageShowsItsTextsWhole()
    {
        m_document->dataSettings.setPrecision(4);
        auto *pages = m_dialog->findChild<QTabWidget *>();
        const QString grabs = qEnvironmentVariable("QUARVEL_GRAB_DIR");
        for (int page = 0; page < pages->count(); ++page) {
            showOn(page);
            QWidget *shown = pages->currentWidget();
            for (int tab = 0; tab < pages->count(); ++tab)
                QVERIFY2(pages->tabBar()->tabRect(tab).right() < pages->tabBar()->width(),
                         qPrintable(pages->tabText(tab)));
            for (QWidget *widget : shown->findChildren<QWidget *>()) {
                if (!widget->isVisibleTo(shown))
                    continue;
                if (qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget))
                    QVERIFY2(widget->width() >= widget->sizeHint().width()
                                 && widget->height() >= widget->minimumSizeHint().height(),
                             qPrintable(pages->tabText(page) + QLatin1Char('/') + widget->objectName()
                                        + QLatin1Char(' ') + widget->property("text").toString()));
            }
            if (!grabs.isEmpty())
                m_dialog->grab().save(QDir(grabs).filePath(QStringLiteral("options-%1.png").arg(page)));
            click("CancelBtn");
        }
    }
};

QTEST_MAIN(TriangleOptionsDialogTest)
#include "triangle_options_dialog_test.moc"
