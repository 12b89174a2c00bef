#include "ui/image_window.h"

#include "core/document_fixture.h"
#include "render/document_drawing.h"
#include "ui/cursors.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <limits>

namespace quarvel {

using test::documentWith;

class RecordedPrompt final : public UserPrompt
{
public:
    bool askOkCancel(const QString &, const QString &) override { return true; }
    void warn(const QString &text, const QString &caption) override { warnings.append(caption + ": " + text); }
    QStringList warnings;
};

std::unique_ptr<Document> sampleDocument()
{
    return documentWith({{"Basalt", "30", "30", "40", "", "a"},
                         {"Basalt", "60", "20", "20", "", "b"},
                         {"Dacite", "10", "80", "10", "", "c"}});
}

// The image window on a document the test holds, as the main window will open it.
class ImageWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensWithTheControlsCaptionsAndStartingState();
    void zoomSequenceLimitsAndCenter();
    void zoomMoreIsRefusedWhenTheNextWidthPassesTheLimit();
    void designHidesThePanelAndRefitsOnlyAtTheFirstStep();
    void checkBoxesWriteTheirFieldsAndEnableEachOther();
    void hidePointsRedrawsWithoutTheSamples();
    void takesTheSubtriangleViewFromTheDocument();
    void modesFollowTheirItemOrderCursorsAndEnabling();
    void modesOtherThanEditClearTheSelection();
    void readOutInATriangle();
    void readOutShowsOneDecimalWithAdjustToWindow();
    void valuesOfATable();
    void listsTheVisibleSamplesWithinTwoPoints();
    void clickShowsThePointInformationBalloon();
    void aLongListKeepsTheBalloonAtTheListsHeight();
    void noSampleNearTheClickShowsNothing();
    void quadrilateralMarkIsRemovedByASecondDrawing();
    void draggingACornerMovesItWhileTheQuadrilateralStaysConvex();
    void aPressFarFromEveryCornerDragsTheWholeQuadrilateral();
    void cornerDragUsesTheWindowsOwnDrawingAfterAThumbnail();
    void moveLegendPlacesTheLegendAtTheRelease();
    void switchingTheActiveDocumentShowsItAtTheNextRedraw();
    void backDrawsTheThumbnailOfTheActiveDocument();
    void aRefreshOfTheDocumentIsDrawnAgain();
    void dataAndOptionsAskForTheirDialogs();
    void bitmapCopyIsTheCurrentImageWithItsMarks();
    void bitmapCopyAtTheThirdZoomStepHasItsSize();
    void sizeFollowsThePixelsPerInch();
    void pictureCopyPutsSvgAndPngOfTheFixedSize();
    void convertedSymbolsChangeThePicture();
    void printsToAPdfFileWithTheFooter();
    void aPrintThatCannotStartSaysSo();
    void exportsEachFormatAtTheChosenWidth();
    void anExportThatFailsSaysSoAndChangesNothing();
    void damagedSettingsZoomCopyAndPrintWithoutACrash();
    void withoutADocumentNothingHappens();

private:
    void open(std::unique_ptr<Document> document)
    {
        m_document = std::move(document);
        m_active = m_document.get();
        ImageWindowHost host;
        host.activeDocument = [this] { return m_active; };

        host.drawThumbnail = [this](Document &d) { thumbnailsOf.push_back(&d); };
        host.currentFileName = [this] { return currentFileName; };
        host.copySettings = [this] { return copySettings; };
        host.prompt = &prompt;
        m_window.reset(new ImageWindow(host));
        m_window->setAttribute(Qt::WA_DeleteOnClose, false);
        m_window->resize(1000, 700);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    ImageWindow &window() { return *m_window; }
    const ImageWindow::Controls &c() { return m_window->controls(); }
    Document &doc() { return *m_document; }

    void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); }
    void chooseMode(int item) { click(c().modeItems[static_cast<std::size_t>(item)]); }
    // The window system drops a move to where the pointer already is: step beside it first.
    void moveTo(QPoint p)
    {
        QTest::mouseMove(c().imagen, p + QPoint(1, 1));
        QTest::mouseMove(c().imagen, p);
    }
    // A click on the image that no earlier click turns into a double click.
    void clickImage(QPoint p)
    {
        QTest::mouseClick(c().imagen, Qt::LeftButton, {}, p, QApplication::doubleClickInterval() + 10);
    }
    QPoint pixelOf(float /*bottom*/, float left, float right) const
    {
        // Clockwise: bottom 100 % at the lower-left vertex, right at the lower-right, left at the apex.
        const DrawnFrame &f = m_window->frame();
        const double x = f.leftX + (right + 0.5 * left) / 100.0 * f.width;
        const double y = f.apexY + (1 - left / 100.0) * f.height;
        return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
    }
    QStringList readOutTexts() const
    {
        QStringList texts;
        for (QLabel *field : m_window->controls().edit)
            texts.append(field->text());
        return texts;
    }

    RecordedPrompt prompt;
    CopySettings copySettings;
    QString currentFileName = QStringLiteral("/data/rocks.qvd");
    std::vector<Document *> thumbnailsOf;
    std::unique_ptr<Document> m_document;
    Document *m_active = nullptr;
    std::unique_ptr<ImageWindow> m_window;
};

void ImageWindowTest::init()
{
    prompt.warnings.clear();
    copySettings = CopySettings{};
    currentFileName = QStringLiteral("/data/rocks.qvd");
    thumbnailsOf.clear();
    open(sampleDocument());
}

void ImageWindowTest::cleanup()
{
    m_window.reset();
    m_document.reset();
    m_active = nullptr;
}

QString grabDirectory()
{
    return qEnvironmentVariable("QUARVEL_GRAB_DIR");
}

void grab(QWidget &window, const QString &name)
{
    const QString dir = grabDirectory();
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        window.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
}

void ImageWindowTest::opensWithTheControlsCaptionsAndStartingState()
{
    QCOMPARE(window().objectName(), "imageWindow");
    QCOMPARE(window().windowTitle(), doc().caption);
    QCOMPARE(c().bbData->text(), "Back");
    QCOMPARE(c().bbData->toolTip(), "Back to data window");
    QCOMPARE(c().bbOut->toolTip(), "Zoom less");
    QCOMPARE(c().bbIn->toolTip(), "Zoom more");
    QCOMPARE(c().bbCenter->toolTip(), "Zoom to full triangle");
    QCOMPARE(c().bbCopy->toolTip(), "Copy image to memory");
    const int screenWidth = window().screen()->geometry().width();
    QCOMPARE(window().imageWidth(), screenWidth - c().coolBar2->width());
    QCOMPARE(window().imageHeight(), static_cast<int>(window().imageWidth() * 0.7692307692307692));
    QCOMPARE(c().imagen->size(), window().image().size());
    QCOMPARE(window().mode(), ImageWindow::ViewMode);
    QVERIFY(c().modeItems[0]->isChecked());
    QVERIFY(!(c().cbAdjust->isEnabled()));
    QVERIFY(c().cbSnap->isChecked());
    QVERIFY(!(c().cbSnap->isEnabled()));
    QVERIFY(!(c().sbLine->isEnabled()));
    QVERIFY(!(c().sbLinea->isEnabled()));
    QCOMPARE(c().sbLinea->currentIndex(), -1);
    QVERIFY(!(c().bbOut->isEnabled()));
    QCOMPARE(c().marc[0]->text(), doc().table.cell(0, doc().findColumn(doc().dataSettings.title(1))));
    QCOMPARE(c().edit[0]->text(), "0");
    for (QLabel *field : c().edit)
        QCOMPARE(field->font().pixelSize(), 12);
}

void ImageWindowTest::zoomSequenceLimitsAndCenter()
{
    const int start = window().imageWidth();
    std::vector<int> widths;
    for (int i = 0; i < 7; ++i) {
        if (c().bbIn->isEnabled())
            click(c().bbIn);
        widths.push_back(window().imageWidth());
        grab(window(), QStringLiteral("zoom-step-%1").arg(window().zoomStep()));
    }
    QCOMPARE(widths[0], start + 600);
    QCOMPARE(window().zoomStep(), 6);
    QCOMPARE(window().imageWidth(), start + 5 * 600);
    QVERIFY(!(c().bbIn->isEnabled()));
    window().zoomIn(); // refused at the last step too, since the next width passes 4096
    QCOMPARE(window().imageWidth(), start + 5 * 600);
    QCOMPARE(window().imageHeight(), static_cast<int>(window().imageWidth() * 0.7692307692307692));
    QCOMPARE(window().image().size(), c().imagen->size());

    click(c().bbOut);
    QCOMPARE(window().zoomStep(), 5);
    QCOMPARE(window().imageWidth(), start + 4 * 600);
    // Back down: the step that would be narrower than the view falls back to "Center".
    while (window().zoomStep() > 1)
        click(c().bbOut);
    QCOMPARE(window().imageWidth(), c().scrollBox->width());
    QVERIFY(!(c().bbOut->isEnabled()));

    click(c().bbIn);
    click(c().bbCenter);
    QCOMPARE(window().zoomStep(), 1);
    QCOMPARE(window().imageWidth(), c().scrollBox->width());
    QVERIFY(!(doc().modified));
}

void ImageWindowTest::zoomMoreIsRefusedWhenTheNextWidthPassesTheLimit()
{
    window().resize(3700, 700);
    click(c().bbCenter);
    const int width = window().imageWidth();
    QVERIFY((width + 600) > (ImageWindow::kMaxImageWidth));
    click(c().bbIn);
    QCOMPARE(window().imageWidth(), width);
    QCOMPARE(window().zoomStep(), 1);
}

void ImageWindowTest::designHidesThePanelAndRefitsOnlyAtTheFirstStep()
{
    click(c().bbCenter);
    const int fitted = window().imageWidth();
    click(c().design);
    QVERIFY(!(c().coolBar2->isVisible()));
    QCOMPARE(window().imageWidth(), c().scrollBox->width());
    QVERIFY((window().imageWidth()) > (fitted));
    grab(window(), QStringLiteral("design-hidden"));
    click(c().design);
    QVERIFY(c().coolBar2->isVisible());

    click(c().bbIn);
    click(c().bbIn);
    const int third = window().imageWidth();
    click(c().design);
    QCOMPARE(window().imageWidth(), third);
    QCOMPARE(window().zoomStep(), 3);
}

void ImageWindowTest::checkBoxesWriteTheirFieldsAndEnableEachOther()
{
    DiagramSettings &s = doc().diagramSettings;
    QCOMPARE(s.fullTriangle, 1);
    click(c().cbSubtriangle);
    QCOMPARE(s.fullTriangle, 0);
    QVERIFY(c().cbAdjust->isEnabled());
    QVERIFY(!(c().cbClip->isEnabled()));
    click(c().cbAdjust);
    QCOMPARE(s.adjustToWindow, 1);
    grab(window(), QStringLiteral("subtriangle-adjusted"));
    click(c().cbSubtriangle);
    QCOMPARE(s.fullTriangle, 1);
    QCOMPARE(s.adjustToWindow, 0);
    QVERIFY(!(c().cbAdjust->isChecked()));
    QVERIFY(!(c().cbAdjust->isEnabled()));
    QVERIFY(c().cbClip->isEnabled());

    click(c().cbClip);
    QCOMPARE(s.showClippingArea, 1);
    // Checking "Subtriangle" unchecks "Show clipping area", and its action writes the field.
    click(c().cbSubtriangle);
    QVERIFY(!(c().cbClip->isChecked()));
    QCOMPARE(s.showClippingArea, 0);
    click(c().cbSubtriangle);

    struct Case
    {
        QCheckBox *box;
        std::uint8_t DiagramSettings::*field;
    };
    for (const Case &k : {Case{c().cbHide, &DiagramSettings::hidePoints},
                          Case{c().cbHideOver, &DiagramSettings::hideOverlay}}) {
        click(k.box);
        QCOMPARE(s.*k.field, 1);
        click(k.box);
        QCOMPARE(s.*k.field, 0);
    }
    chooseMode(1);
    click(c().cbSnap);
    QCOMPARE(s.snapToInteger, 0);
    QVERIFY(!(doc().modified));
}

void ImageWindowTest::hidePointsRedrawsWithoutTheSamples()
{
    const QImage shown = window().image();
    click(c().cbHide);
    QVERIFY((window().image()) != (shown));
    click(c().cbHide);
    QCOMPARE(window().image(), shown);
}

void ImageWindowTest::takesTheSubtriangleViewFromTheDocument()
{
    auto document = sampleDocument();
    document->diagramSettings.fullTriangle = 0;
    document->diagramSettings.adjustToWindow = 1;
    document->diagramSettings.hidePoints = 1;
    document->selectedOverlay = 0;
    ImageWindowHost host;
    host.activeDocument = [&] { return document.get(); };
    ImageWindow window(host);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    QVERIFY(window.controls().cbSubtriangle->isChecked());
    QVERIFY(window.controls().cbAdjust->isEnabled());
    QVERIFY(window.controls().cbAdjust->isChecked());
    QCOMPARE(document->diagramSettings.hidePoints, 0);
    QCOMPARE(document->selectedOverlay, -1);
}

bool sameCursor(const QCursor &a, const QCursor &b)
{
    if (a.shape() != b.shape())
        return false;
    return a.shape() != Qt::BitmapCursor || a.pixmap().toImage() == b.pixmap().toImage();
}

void ImageWindowTest::modesFollowTheirItemOrderCursorsAndEnabling()
{
    click(c().cbSubtriangle);
    click(c().cbClip); // disabled while the subtriangle is shown: no effect
    chooseMode(1);
    QCOMPARE(window().mode(), ImageWindow::EditOverlayMode);
    QVERIFY(sameCursor(c().imagen->cursor(), diagramCursor(DiagramCursor::Ring)));
    QVERIFY(c().sbLine->isEnabled());
    QVERIFY(!(c().sbWidth->isEnabled())); // the style lists wait for a selection
    QVERIFY(c().cbSnap->isEnabled());
    QVERIFY(!(c().cbSubtriangle->isChecked()));
    QVERIFY(!(c().cbSubtriangle->isEnabled()));
    QVERIFY(!(c().cbHideOver->isEnabled()));
    QVERIFY(!(c().cbClip->isEnabled()));
    QCOMPARE(doc().diagramSettings.fullTriangle, 1);
    grab(window(), QStringLiteral("mode-edit-overlay"));

    click(c().bbIn);
    chooseMode(2);
    QCOMPARE(window().mode(), ImageWindow::SetSubtriangleMode);
    QCOMPARE(window().zoomStep(), 1);
    QVERIFY(sameCursor(c().imagen->cursor(), diagramCursor(DiagramCursor::Ring)));
    QVERIFY(!(c().bbIn->isEnabled()));
    QVERIFY(!(c().bbOut->isEnabled()));
    QVERIFY(!(c().bbCenter->isEnabled()));
    QVERIFY(!(c().cbSubtriangle->isEnabled()));
    QVERIFY(!(c().cbClip->isEnabled()));
    QVERIFY(c().cbHideOver->isEnabled());
    QVERIFY(!(c().sbLine->isEnabled()));
    grab(window(), QStringLiteral("mode-set-subtriangle"));

    chooseMode(3);
    QCOMPARE(window().mode(), ImageWindow::MoveLegendMode);
    QVERIFY(sameCursor(c().imagen->cursor(), diagramCursor(DiagramCursor::Corner)));
    QVERIFY(c().bbIn->isEnabled());
    QVERIFY(c().bbCenter->isEnabled());
    QVERIFY(!(c().cbSubtriangle->isEnabled()));
    grab(window(), QStringLiteral("mode-move-legend"));

    chooseMode(0);
    QCOMPARE(window().mode(), ImageWindow::ViewMode);
    QCOMPARE(c().imagen->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(c().cbSubtriangle->isEnabled());
    QVERIFY(c().cbHideOver->isEnabled());
    QVERIFY(c().cbClip->isEnabled());
    QVERIFY(!(c().cbSnap->isEnabled()));
    QVERIFY(!(c().sbArrow->isEnabled()));
    grab(window(), QStringLiteral("mode-view"));
    QVERIFY(!(doc().modified));
}

void ImageWindowTest::modesOtherThanEditClearTheSelection()
{
    doc().selectedOverlay = 0;
    chooseMode(1);
    QCOMPARE(doc().selectedOverlay, 0);
    chooseMode(3);
    QCOMPARE(doc().selectedOverlay, -1);
}

void ImageWindowTest::readOutInATriangle()
{
    moveTo(pixelOf(33.3f, 33.3f, 33.4f));
    QCOMPARE(readOutTexts(), (QStringList{"33", "33", "33", "-"}));
    const CursorPosition p = window().cursorPosition();
    QVERIFY(std::fabs((p.bottom) - (33.3)) <= 0.5);
    QVERIFY(std::fabs((p.side) - (33.3)) <= 0.5);
    QVERIFY(p.inUpper);

    // On the base line the left value is 0; below it there is no value.
    const DrawnFrame &f = window().frame();
    const int baseY = static_cast<int>(f.leftY);
    moveTo(QPoint(static_cast<int>(f.leftX + f.width / 2), baseY));
    QCOMPARE(readOutTexts()[1], "0");
    moveTo(QPoint(static_cast<int>(f.leftX + f.width / 2), baseY + 3));
    QCOMPARE(readOutTexts(), (QStringList{"-", "-", "-", "-"}));
    // Outside the left side.
    moveTo(QPoint(static_cast<int>(f.leftX) - 5, baseY - 2));
    QCOMPARE(readOutTexts(), (QStringList{"-", "-", "-", "-"}));
    QVERIFY(!(doc().modified));
}

void ImageWindowTest::readOutShowsOneDecimalWithAdjustToWindow()
{
    click(c().cbSubtriangle);
    click(c().cbAdjust);
    // The frame is the enlarged whole triangle: positions are still those of the whole diagram.
    const DrawnFrame &f = window().frame();
    QVERIFY((f.width) > (static_cast<float>(window().imageWidth()) / 1.8f));
    const QPoint centroid = pixelOf(100 / 3.0f, 100 / 3.0f, 100 / 3.0f);
    moveTo(centroid);
    const QStringList texts = readOutTexts();
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(texts[i].size(), 4);
        QVERIFY(texts[i].startsWith("33.") || texts[i].startsWith("32.") || texts[i].startsWith("34."));
    }
}

void ImageWindowTest::valuesOfATable()
{
    DiagramSettings settings = DiagramSettings::defaults();
    DrawnFrame frame;
    frame.leftX = 100;
    frame.rightX = 500;
    frame.width = 400;
    frame.height = 400 * 0.8660254f;
    frame.apexX = 300;
    frame.apexY = 50;
    frame.leftY = frame.rightY = frame.apexY + frame.height;
    frame.lowerX = 300;
    frame.lowerY = frame.leftY + frame.height;
    const UserLocale point = UserLocale::point();
    const UserLocale comma = UserLocale::comma();

    struct Case
    {
        int kind; // diagramKind
        bool lower; // hasLowerSamples
        bool clockwise;
        int x, y;
        bool oneDecimal;
        const UserLocale *locale;
        std::array<const char *, 4> texts;
    };
    const int baseY = static_cast<int>(frame.leftY); // 396: just above the base line
    const Case cases[] = {
        // The lower-left vertex is 100 % bottom clockwise, 100 % right counterclockwise.
        {1, false, true, 101, baseY, false, &point, {"100", "0", "0", "-"}},
        {1, false, false, 101, baseY, false, &point, {"0", "0", "100", "-"}},
        {1, false, true, 300, 51, false, &point, {"0", "100", "0", "-"}},
        {1, false, true, 300, 51, true, &comma, {"0,1", "99,7", "0,1", "-"}},
        {1, false, true, 300, baseY + 10, false, &point, {"-", "-", "-", "-"}},
        // Forced to a triangle: below the base line there is nothing, lower samples or not.
        {1, true, true, 300, baseY + 100, false, &point, {"-", "-", "-", "-"}},
        // A diamond: the common base line reads as the lower triangle (down 0).
        {2, false, true, 300, static_cast<int>(frame.leftY + 1), false, &point, {"50", "-", "50", "0"}},
        {0, true, true, 300, static_cast<int>(frame.lowerY), false, &point, {"0", "-", "0", "100"}},
        {0, true, true, 300, static_cast<int>(frame.lowerY) + 5, false, &point, {"-", "-", "-", "-"}},
        // "Data dependant" without lower samples is a triangle.
        {0, false, true, 300, baseY + 100, false, &point, {"-", "-", "-", "-"}},
    };
    for (const Case &k : cases) {
        settings.diagramKind = k.kind;
        settings.hasLowerSamples = k.lower ? 1 : 0;
        settings.clockwise = k.clockwise ? 1 : 0;
        const ReadOut out = readOutAt(frame, settings, k.x, k.y, k.oneDecimal, *k.locale);
        for (std::size_t i = 0; i < 4; ++i)
            QCOMPARE(out.texts[i], QLatin1String(k.texts[i]));
    }
}

Sample sampleAt(float bottom, float left, float right, float down = 0, char kind = 't', bool visible = true)
{
    Sample s;
    s.percents = {bottom, left, right, down};
    s.parts = {bottom, left, right, down};
    s.kind = kind;
    s.visible = visible ? 1 : 0;
    return s;
}

void ImageWindowTest::listsTheVisibleSamplesWithinTwoPoints()
{
    SampleList samples;
    samples.appendSample(sampleAt(31.99f, 30, 38.01f), "");  // 1.99 away on two axes
    samples.appendSample(sampleAt(32.0f, 30, 38), "");      // 2.00 away: out
    samples.appendSample(sampleAt(30, 30, 40, 0, 't', false), ""); // hidden: out, keeps number 3
    samples.appendSample(sampleAt(30, 30, 40), "");
    samples.appendSample(sampleAt(30, 0, 40, 30, 'd'), ""); // lower triangle: out above the base
    const CursorPosition upper{30, 30, 40, true};
    const std::vector<NearSample> near = samplesNear(samples, upper);
    QCOMPARE(near.size(), 2u);
    QCOMPARE(near[0].number, 1);
    QCOMPARE(near[1].number, 4);

    const CursorPosition lower{30, 30, 40, false};
    const std::vector<NearSample> below = samplesNear(samples, lower);
    QCOMPARE(below.size(), 1u);
    QCOMPARE(below[0].number, 5);

    const std::array<QString, 4> captions{"SiO2", "MgO", "FeO", "CaO"};
    QCOMPARE(pointInfoLines(samples, near, captions, UserLocale::point()).first(), "Sample #1: SiO2=31.99 MgO=30.00 FeO=38.01");
    QCOMPARE(pointInfoLines(samples, below, captions, UserLocale::comma()).first(), "Sample #5: SiO2=30,00 CaO=30,00 FeO=40,00");
}

void ImageWindowTest::clickShowsThePointInformationBalloon()
{
    // Two samples at the same place: two lines, numbered as the list counts them.
    open(documentWith({{"Basalt", "30", "30", "40", "", "a"},
                       {"Dacite", "30", "30", "40", "", "b"},
                       {"Basalt", "30", "30", "40", "", "c"}}));
    doc().groupList.group(doc().groupList.indexOf(u"Dacite")).visible = 0;
    doc().evaluateSamples();
    const QPoint at = pixelOf(30, 30, 40);
    moveTo(at);
    clickImage(at);
    PointInfo *info = window().pointInfo();
    QVERIFY(info->isVisible());
    QCOMPARE(info->list()->count(), 2);
    const QString first = info->list()->item(0)->text();
    QVERIFY(first.startsWith("Sample #1: "));
    QVERIFY(info->list()->item(1)->text().startsWith("Sample #3: "));
    QCOMPARE(info->title()->text(), "Point Information");
    const QFontMetrics metrics(info->list()->font());
    const int w = std::max(206, metrics.horizontalAdvance(first) + 50);
    QCOMPARE(info->width(), w);
    QCOMPARE(info->height(), metrics.height() * 2 + 67);
    QCOMPARE(info->balloon().size(), 7);
    QCOMPARE(info->balloon()[1], QPoint(76, 40));
    QCOMPARE(info->balloon()[3], QPoint(w, info->height()));
    QVERIFY(info->mask().contains(QPoint(5, 5)));      // the pointer
    QVERIFY(!(info->mask().contains(QPoint(150, 10))));  // beside the pointer
    QVERIFY(info->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(info->windowFlags() & Qt::WindowStaysOnTopHint);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(info, &deactivate);
    QVERIFY(!(info->isVisible()));
    // A click elsewhere closes it too.
    clickImage(at);
    QVERIFY(info->isVisible());
    QTest::mouseClick(c().bbCenter, Qt::LeftButton);
    QVERIFY(!info->isVisible());
    QVERIFY(!(doc().modified));
}

void ImageWindowTest::aLongListKeepsTheBalloonAtTheListsHeight()
{
    auto document = std::make_unique<Document>(UserLocale::point());
    for (int r = 1; r <= 40; ++r) {
        document->table.setCell(r, 1, u"Basalt");
        document->table.setCell(r, 2, u"30");
        document->table.setCell(r, 3, u"30");
        document->table.setCell(r, 4, u"40");
    }
    document->buildGroups();
    document->evaluateSamples();
    open(std::move(document));
    QCOMPARE(doc().samples.size(), 40);
    const QPoint at = pixelOf(30, 30, 40);
    moveTo(at);
    clickImage(at);
    PointInfo *info = window().pointInfo();
    QCOMPARE(info->list()->count(), 40);
    QCOMPARE(info->list()->height(), PointInfo::kMaximumListHeight);
    QCOMPARE(info->height(), info->list()->geometry().bottom() + 1 + 2);
}

void ImageWindowTest::noSampleNearTheClickShowsNothing()
{
    const QPoint at = pixelOf(80, 10, 10);
    moveTo(at);
    clickImage(at);
    QVERIFY(!(window().pointInfo()->isVisible()));
}

QPoint cornerPixel(const ImageWindow &window, int k)
{
    const IntPoint p = truncated(window.drawnGeometry().clipPixels[static_cast<std::size_t>(k)]);
    return {p.x, p.y};
}

void ImageWindowTest::quadrilateralMarkIsRemovedByASecondDrawing()
{
    chooseMode(2);
    const QImage marked = window().image();
    window().drawQuad();
    const QImage clean = window().image();
    QVERIFY((clean) != (marked));
    window().drawQuad();
    QCOMPARE(window().image(), marked);
    // A blue handle frame at corner 0 on the white background.
    const QPoint c0 = cornerPixel(window(), 0);
    QCOMPARE(marked.pixelColor(c0.x() - 4, c0.y()), QColor(Qt::blue));
    QCOMPARE(clean.pixelColor(c0.x() - 4, c0.y()), QColor(Qt::white));
}

void ImageWindowTest::draggingACornerMovesItWhileTheQuadrilateralStaysConvex()
{
    chooseMode(2);
    const std::array<Weights, 4> before = doc().geometry.clipCorners;
    const QPoint c0 = cornerPixel(window(), 0);
    const QPoint c2 = cornerPixel(window(), 2);
    // 24 pixels away still takes the corner.
    const QPoint press = c0 + QPoint(24, 0);
    QTest::mousePress(c().imagen, Qt::LeftButton, {}, press);
    const QPoint target = c0 + QPoint(10, 20);
    QTest::mouseMove(c().imagen, target);
    QCOMPARE(cornerPixel(window(), 0), target);
    // Across the opposite diagonal: refused, the corner stays at the last valid place.
    QTest::mouseMove(c().imagen, c2 + QPoint(40, 40));
    QCOMPARE(cornerPixel(window(), 0), target);
    QTest::mouseRelease(c().imagen, Qt::LeftButton, {}, c2 + QPoint(40, 40));
    QVERIFY(doc().modified);
    QVERIFY((doc().geometry.clipCorners[0]) != (before[0]));
    for (std::size_t i = 0; i < 3; ++i)
        QVERIFY(std::fabs((doc().geometry.clipCorners[1][i]) - (before[1][i])) <= 1e-3);
    // The redraw after the release lays the stored corners out where the image showed them.
    const QPoint redrawn = cornerPixel(window(), 0);
    QVERIFY((std::abs(redrawn.x() - target.x())) <= (1));
    QVERIFY((std::abs(redrawn.y() - target.y())) <= (1));
    grab(window(), QStringLiteral("corner-dragged"));
}

void ImageWindowTest::aPressFarFromEveryCornerDragsTheWholeQuadrilateral()
{
    chooseMode(2);
    std::array<QPoint, 4> before;
    for (int k = 0; k < 4; ++k)
        before[static_cast<std::size_t>(k)] = cornerPixel(window(), k);
    const QPoint press = (before[0] + before[2]) / 2;
    QTest::mousePress(c().imagen, Qt::LeftButton, {}, press);
    QTest::mouseMove(c().imagen, press + QPoint(5, 3));
    QTest::mouseMove(c().imagen, press + QPoint(-20, 10));
    QTest::mouseRelease(c().imagen, Qt::LeftButton, {}, press + QPoint(-20, 10));
    for (int k = 0; k < 4; ++k) {
        const QPoint moved = cornerPixel(window(), k);
        QVERIFY((std::abs(moved.x() - (before[static_cast<std::size_t>(k)].x() - 20))) <= (1));
        QVERIFY((std::abs(moved.y() - (before[static_cast<std::size_t>(k)].y() + 10))) <= (1));
    }
    QVERIFY(doc().modified);
}

void ImageWindowTest::cornerDragUsesTheWindowsOwnDrawingAfterAThumbnail()
{
    chooseMode(2);
    const QPoint c1 = cornerPixel(window(), 1);
    // Another drawing of the document at another size in between.
    QImage thumbnail(200, 153, QImage::Format_ARGB32_Premultiplied);
    drawThumbnail(doc(), thumbnail);
    QTest::mousePress(c().imagen, Qt::LeftButton, {}, c1);
    QTest::mouseMove(c().imagen, c1 + QPoint(6, -4));
    QCOMPARE(cornerPixel(window(), 1), c1 + QPoint(6, -4));
    QTest::mouseRelease(c().imagen, Qt::LeftButton, {}, c1 + QPoint(6, -4));
    const QPoint redrawn = cornerPixel(window(), 1);
    QVERIFY(((redrawn - (c1 + QPoint(6, -4))).manhattanLength()) <= (2));
}

void ImageWindowTest::moveLegendPlacesTheLegendAtTheRelease()
{
    chooseMode(3);
    QVERIFY(!(doc().modified));
    const QImage before = window().image();
    const int x = window().imageWidth() - 1, y = window().imageHeight() / 2;
    clickImage(QPoint(x, y));
    QCOMPARE(doc().diagramSettings.legendX, static_cast<float>(x) / static_cast<float>(window().imageWidth()));
    QCOMPARE(doc().diagramSettings.legendY, static_cast<float>(y) / static_cast<float>(window().imageHeight()));
    QVERIFY(doc().modified);
    QVERIFY((window().image()) != (before));
    // Released outside the image.
    QTest::mousePress(c().imagen, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(c().imagen, Qt::LeftButton, {}, QPoint(-30, 10));
    QVERIFY((doc().diagramSettings.legendX) < (0.0f));
}

void ImageWindowTest::switchingTheActiveDocumentShowsItAtTheNextRedraw()
{
    auto other = documentWith({{"Granite", "10", "", "10", "80", "x"}});
    // Data column 2 on the bottom axis, data column 1 on the left.
    other->diagramSettings.columnAxis = {1, 0, 2, 3};
    m_active = other.get();
    window().redraw();
    QCOMPARE(c().marc[0]->text(), other->dataSettings.title(2));
    QCOMPARE(c().marc[1]->text(), other->dataSettings.title(1));
    // A diamond document: the frame has its lower apex.
    QVERIFY((window().frame().lowerY) > (window().frame().leftY));
    m_active = m_document.get();
    window().redraw();
    QCOMPARE(window().frame().lowerY, 0);
}

void ImageWindowTest::aRefreshOfTheDocumentIsDrawnAgain()
{
    const QImage before = window().image();
    doc().table.setCell(4, 1, u"Dacite");
    doc().table.setCell(4, 2, u"5");
    doc().table.setCell(4, 3, u"5");
    doc().table.setCell(4, 4, u"90");
    doc().updateTriangle();
    // Drawn once the refresh is over, not in its middle.
    QCOMPARE(window().image(), before);
    QTRY_VERIFY(window().image() != before);
}

void ImageWindowTest::backDrawsTheThumbnailOfTheActiveDocument()
{
    click(c().bbData);
    QVERIFY(!(window().isVisible()));
    QCOMPARE(thumbnailsOf.size(), 1u);
    QCOMPARE(thumbnailsOf[0], &doc());
}

void ImageWindowTest::dataAndOptionsAskForTheirDialogs()
{
    int data = 0, options = 0;
    QObject::connect(&window(), &ImageWindow::dataOptionsRequested, [&] { ++data; });
    QObject::connect(&window(), &ImageWindow::triangleOptionsRequested, [&] { ++options; });
    click(c().dataOptions);
    click(c().bbOptions);
    QCOMPARE(data, 1);
    QCOMPARE(options, 1);
}

void ImageWindowTest::bitmapCopyIsTheCurrentImageWithItsMarks()
{
    copySettings.copyAsMetafile = false;
    click(c().bbIn);
    click(c().bbIn);
    chooseMode(2); // back to the fitted size, with the quadrilateral
    click(c().bbCopy);
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), window().image().size());
    const QPoint c0 = cornerPixel(window(), 0);
    QCOMPARE(copied.pixelColor(c0.x() - 4, c0.y()), QColor(Qt::blue));
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat("image/png"));
    QVERIFY(!(doc().modified));
}

void ImageWindowTest::bitmapCopyAtTheThirdZoomStepHasItsSize()
{
    copySettings.copyAsMetafile = false;
    click(c().bbIn);
    click(c().bbIn);
    click(c().bbCopy);
    QCOMPARE(QGuiApplication::clipboard()->image().width(), window().imageWidth());
    QCOMPARE(window().zoomStep(), 3);
}

void ImageWindowTest::sizeFollowsThePixelsPerInch()
{
    QCOMPARE(ImageWindow::pictureSize(96), QSize(672, 516));
    QCOMPARE(ImageWindow::pictureSize(120), QSize(840, 646));
}

void ImageWindowTest::pictureCopyPutsSvgAndPngOfTheFixedSize()
{
    click(c().bbIn);
    const DrawnFrame screenFrame = window().frame();
    const auto screenCorners = window().drawnGeometry().clipPixels;
    window().copyAsPicture(120);
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasFormat("image/svg+xml"));
    const QString svg = QString::fromUtf8(data->data("image/svg+xml"));
    QVERIFY(svg.contains("viewBox=\"0 0 840 646\""));
    QVERIFY(svg.contains("<title>Quarvel</title>"));
    QVERIFY(svg.contains("<desc>Data</desc>"));
    QVERIFY(svg.contains("<text") || svg.contains("<path"));
    const QImage png = QGuiApplication::clipboard()->image();
    QCOMPARE(png.size(), QSize(840, 646));
    // The window's geometry is the screen's again.
    QCOMPARE(window().frame().width, screenFrame.width);
    QCOMPARE(doc().geometry.clipPixels[0].x, screenCorners[0].x);
    QVERIFY(!(doc().modified));

    click(c().bbCopy); // the default: a picture at the window's own pixels per inch
    QCOMPARE(QGuiApplication::clipboard()->image().size(), ImageWindow::pictureSize(window().logicalDpiY()));
}

void ImageWindowTest::convertedSymbolsChangeThePicture()
{
    window().copyAsPicture(96);
    const QByteArray plain = QGuiApplication::clipboard()->mimeData()->data("image/svg+xml");
    copySettings.convertSymbolsToGraphics = true;
    window().copyAsPicture(96);
    const QByteArray converted = QGuiApplication::clipboard()->mimeData()->data("image/svg+xml");
    // Symbols become pictures instead of text.
    QVERIFY((converted.count("<text")) < (plain.count("<text")));
    QVERIFY((converted.count("<image")) > (plain.count("<image")));
}

QString pdfText(const QString &path)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, {path, QStringLiteral("-")});
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

void ImageWindowTest::printsToAPdfFileWithTheFooter()
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    printer.setOutputFileName(path);
    const DrawnFrame screenFrame = window().frame();
    QVERIFY(window().printTo(printer));
    if (!grabDirectory().isEmpty())
        QFile::copy(path, grabDirectory() + QStringLiteral("/printed-page.pdf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5).startsWith("%PDF"));
    QCOMPARE(window().frame().width, screenFrame.width);
    QVERIFY(!(doc().modified));
    const QString text = pdfText(path);
    if (text.isEmpty())
        QSKIP("pdftotext is not installed: the footer's text is not checked");
    QVERIFY(text.contains("/data/rocks.qvd"));
    QVERIFY(text.contains(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)));
}

void ImageWindowTest::aPrintThatCannotStartSaysSo()
{
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/page.pdf"));
    QVERIFY(!(window().printTo(printer)));
    QCOMPARE(prompt.warnings.size(), 1);
    QVERIFY(prompt.warnings[0].startsWith("Warning: "));
    QVERIFY(!(doc().modified));
}

void ImageWindowTest::exportsEachFormatAtTheChosenWidth()
{
    QTemporaryDir dir;
    QVERIFY(window().exportTo(dir.filePath("d.png"), 800));
    QImageReader png(dir.filePath("d.png"));
    QCOMPARE(png.size(), QSize(800, 615));
    QVERIFY(window().exportTo(dir.filePath("d.svg"), 640));
    QFile svg(dir.filePath("d.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("viewBox=\"0 0 640 492\""));
    QVERIFY(window().exportTo(dir.filePath("d.pdf"), 640));
    QFile pdf(dir.filePath("d.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5).startsWith("%PDF"));
    QVERIFY(prompt.warnings.isEmpty());
    QVERIFY(!(doc().modified));
}

void ImageWindowTest::anExportThatFailsSaysSoAndChangesNothing()
{
    const DiagramSettings before = doc().diagramSettings;
    QVERIFY(!(window().exportTo(QStringLiteral("/nonexistent-folder/d.png"), 800)));
    QVERIFY(!(window().exportTo(QStringLiteral("/tmp/d.bmp"), 800)));
    QCOMPARE(prompt.warnings.size(), 2);
    QCOMPARE(std::memcmp(&before, &doc().diagramSettings, sizeof before), 0);
    QVERIFY(!(doc().modified));
}

void ImageWindowTest::damagedSettingsZoomCopyAndPrintWithoutACrash()
{
    auto document = sampleDocument();
    DiagramSettings &s = document->diagramSettings;
    s.legendX = std::numeric_limits<float>::quiet_NaN();
    s.legendY = 1e30f;
    s.baseSize = 100000;
    s.axisDivisions = -5;
    document->geometry.clipCorners[0] = {std::numeric_limits<float>::infinity(), 0, 0};
    document->geometry.clipCorners[2] = {0, 0, 0};
    // Overlay objects as a damaged file can hold them: weights that are not numbers, a giant label.
    VectorLine line;
    line.ternOrigin = {std::numeric_limits<float>::quiet_NaN(), 1, 1};
    line.ternDest = {1e30f, -1e30f, 0};
    document->overlayList.push_back(line);
    VectorLine label;
    label.kind = 't';
    label.text = QStringLiteral("label");
    label.fontName = QStringLiteral("Arial");
    label.fontSize = 2000000000;
    label.angle = -7777777;
    label.ternOrigin = {30, 30, 40};
    document->overlayList.push_back(label);
    open(std::move(document));
    click(c().cbSubtriangle);
    click(c().cbAdjust);
    click(c().bbIn);
    click(c().bbOut);
    window().copyAsPicture(96);
    copySettings.copyAsMetafile = false;
    click(c().bbCopy);
    chooseMode(2);
    QTest::mousePress(c().imagen, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseMove(c().imagen, QPoint(60, 70));
    QTest::mouseRelease(c().imagen, Qt::LeftButton, {}, QPoint(60, 70));
    QTemporaryDir dir;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("p.pdf"));
    QVERIFY(window().printTo(printer));
}

void ImageWindowTest::withoutADocumentNothingHappens()
{
    m_active = nullptr;
    const QImage before = window().image();
    click(c().bbIn);
    window().copyAsPicture(96);
    clickImage(QPoint(100, 100));
    QTemporaryDir dir;
    QVERIFY(!(window().exportTo(dir.filePath("x.png"), 100)));
    QVERIFY(!(QFile::exists(dir.filePath("x.png"))));
    QCOMPARE(window().image().width(), before.width() + 600); // the zoom itself is the window's
}

} // namespace quarvel

QTEST_MAIN(quarvel::ImageWindowTest)
#include "image_window_test.moc"
