#include "ui/image_window.h"

#include "core/document_fixture.h"
#include "ui/cursors.h"
#include "ui/options_test_support.h"
#include "ui/text_input_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QLineEdit>
#include <QToolButton>

#include <cmath>

namespace quarvel {

using test::documentWith;

namespace {

class ScriptedPrompt final : public UserPrompt
{
public:
    bool askOkCancel(const QString &text, const QString &caption) override
    {
        questions.append(caption + ": " + text);
        return answer;
    }
    void warn(const QString &text, const QString &caption) override { warnings.append(caption + ": " + text); }
    bool answer = true;
    QStringList questions;
    QStringList warnings;
};

bool sameCursor(const QCursor &a, const QCursor &b)
{
    if (a.shape() != b.shape())
        return false;
    return a.shape() != Qt::BitmapCursor || a.pixmap().toImage() == b.pixmap().toImage();
}

bool wholeNumbers(const Weights &w)
{
    for (float v : w) {
        if (v != std::round(v))
            return false;
    }
    return true;
}

// Two decimals and not whole: what a control point keeps while its ends snap.
bool twoDecimals(const Weights &w)
{
    bool fraction = false;
    for (float v : w) {
        if (std::fabs(v * 100 - std::round(v * 100)) > 1e-2f)
            return false;
        fraction = fraction || v != std::round(v);
    }
    return fraction;
}

QPoint qp(IntPoint p)
{
    return {p.x, p.y};
}

} // namespace

// The overlay editor of the image window, driven with the mouse on the real window.
class OverlayEditingTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void toolButtonsSetStateCursorAndClearTheSelection();
    void drawsEachKindWithTheNewObjectRules();
    void aDrawingOfNoLengthIsRefusedButMarksModified();
    void theRubberBandIsDrawnAndRemovedInNotXor();
    void aReleaseOutsideTheImageLeavesTheDrawingPending();
    void selectingTakesTheEarlierOfTwoAndAPressElsewhereDeselects();
    void handlesOfAShortObjectByKind();
    void movingByBodyAndByHandleWithAndWithoutSnap();
    void aPressThatSelectsThenDragsMovesAtOnce();
    void aLabelsAnchorJumpsToTheMouse();
    void deletingDownToTheLastObject();
    void styleListsWriteTheSelectedObject();
    void styleListsShowTheSelectedObjectByKind();
    void styleListsDrawTheirStylesNotTheirTexts();
    void clearOverlayAsksFirst();
    void grabsTheWindowWithAnOverlay();
    void savesAndReopensThroughTheButtons();
    void aNewLabelTakesTextFontAngleAndCharset();
    void anEmptyOrCancelledLabelAddsNothing();
    void theAngleAndTheTextLengthAreChecked();
    void aDoubleClickEditsTheSelectedLabel();
    void aBadOverlayFileIsReportedByItsChosenType();

private:
    void open()
    {
        m_document = documentWith({{"Basalt", "30", "30", "40", "", "a"}, {"Dacite", "10", "80", "10", "", "c"}});
        ImageWindowHost host;
        host.activeDocument = [this] { return m_document.get(); };
        host.prompt = &m_prompt;
        host.chooseOverlayToOpen = [this] { return m_toOpen; };
        host.chooseOverlayToSave = [this] { return m_toSave; };
        host.chooseLabelFont = [this](QWidget *, const ChosenFont &initial) {
            m_fontOffered = initial;
            return m_fontAnswer;
        };
        m_window.reset(new ImageWindow(host));
        m_window->setAttribute(Qt::WA_DeleteOnClose, false);
        m_window->resize(1000, 700);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        click(c().modeItems[1]);
        QCOMPARE(m_window->mode(), ImageWindow::EditOverlayMode);
        doc().modified = false;
    }

    ImageWindow &window() { return *m_window; }
    const ImageWindow::Controls &c() { return m_window->controls(); }
    Document &doc() { return *m_document; }
    VectorLine &object(int i) { return doc().overlayList[static_cast<std::size_t>(i)]; }

    void click(QAbstractButton *button) { test::click(button); }
    // Each press is a new one: no two presses of a test make a double click.
    void press(QPoint p)
    {
        QTest::mousePress(c().imagen, Qt::LeftButton, {}, p, QApplication::doubleClickInterval() + 10);
    }
    void moveTo(QPoint p) { QTest::mouseMove(c().imagen, p); }
    void release(QPoint p) { QTest::mouseRelease(c().imagen, Qt::LeftButton, {}, p); }
    void clickAt(QPoint p)
    {
        press(p);
        release(p);
    }
    void drag(QPoint from, QPoint to)
    {
        press(from);
        moveTo((from + to) / 2);
        moveTo(to);
        release(to);
    }
    // An object placed at pixel points of the current drawing, as the editor would leave it.
    int addObject(VectorLine object)
    {
        object.toTernary(window().frame(), false);
        doc().overlayList.push_back(std::move(object));
        window().redraw();
        return static_cast<int>(doc().overlayList.size()) - 1;
    }
    int addLine(char kind, QPoint o, QPoint d)
    {
        return addObject(newOverlayObject(kind, {o.x(), o.y()}, {d.x(), d.y()}));
    }
    int addLabel(QPoint anchor)
    {
        VectorLine label;
        label.kind = 't';
        label.text = QStringLiteral("Granite field");
        label.fontName = QStringLiteral("Arial");
        label.fontSize = 14;
        label.pixOrigin = {anchor.x(), anchor.y()};
        return addObject(label);
    }
    void select(int i)
    {
        click(c().sbArrow);
        const VectorLine &o = object(i);
        press((qp(o.pixOrigin) + qp(o.pixDest)) / 2);
        release((qp(o.pixOrigin) + qp(o.pixDest)) / 2);
        QCOMPARE(doc().selectedOverlay, i);
    }

    ScriptedPrompt m_prompt;
    std::optional<std::pair<QString, OverlayFileType>> m_toOpen;
    QString m_toSave;
    std::optional<ChosenFont> m_fontAnswer;
    ChosenFont m_fontOffered;
    // Answers the text dialog once it is up: the text typed over, then OK or Cancel.
    void answerTextDialog(const QString &text, const QString &angle, bool chooseFont, bool ok)
    {
        QTimer::singleShot(0, this, [=, this] {
            TextInputDialog *dialog = window().textDialog();
            QTRY_VERIFY(dialog->isVisible());
            m_seenText = dialog->edit()->text();
            test::typeOver(dialog->edit(), text);
            if (!angle.isEmpty())
                test::typeOver(dialog->angleList(), angle);
            if (chooseFont)
                QTest::mouseClick(dialog->fontButton(), Qt::LeftButton);
            QTest::mouseClick(ok ? dialog->okButton() : dialog->cancelButton(), Qt::LeftButton);
        });
    }
    QString m_seenText;
    std::unique_ptr<Document> m_document;
    std::unique_ptr<ImageWindow> m_window;
};

void OverlayEditingTest::init()
{
    m_prompt = ScriptedPrompt{};
    m_toOpen.reset();
    m_toSave.clear();
    m_fontAnswer.reset();
    open();
}

void OverlayEditingTest::cleanup()
{
    m_window.reset();
    m_document.reset();
}

void OverlayEditingTest::toolButtonsSetStateCursorAndClearTheSelection()
{
    addLine('r', {300, 300}, {400, 300});
    struct Case
    {
        QToolButton *button;
        int state;
        int kind; // -1: unchanged
        QCursor cursor;
        bool clearsSelection;
    };
    const Case cases[] = {
        {c().sbLine, 0, 0, diagramCursor(DiagramCursor::OpenCross), true},
        {c().sbBezier, 0, 1, diagramCursor(DiagramCursor::OpenCross), true},
        {c().sbElipse, 0, 2, diagramCursor(DiagramCursor::OpenCross), true},
        {c().sbDelete, 6, -1, QCursor(Qt::UpArrowCursor), true},
        {c().sbArrow, 2, -1, diagramCursor(DiagramCursor::Ring), false},
    };
    for (const Case &k : cases) {
        const int kindBefore = window().toolKind();
        doc().selectedOverlay = 0;
        click(k.button);
        QVERIFY2(k.button->isChecked(), qPrintable(k.button->objectName()));
        QCOMPARE(window().toolState(), k.state);
        QCOMPARE(window().toolKind(), k.kind < 0 ? kindBefore : k.kind);
        QVERIFY(sameCursor(c().imagen->cursor(), k.cursor));
        QCOMPARE(doc().selectedOverlay, k.clearsSelection ? -1 : 0);
    }
    // Outside Edit Overlay mode every tool is off.
    click(c().modeItems[0]);
    for (QWidget *w : {static_cast<QWidget *>(c().sbArrow), static_cast<QWidget *>(c().sbLine),
                       static_cast<QWidget *>(c().sbDelete), static_cast<QWidget *>(c().sbLinea),
                       static_cast<QWidget *>(c().sbColor)})
        QVERIFY(!w->isEnabled());
    QVERIFY(!doc().modified);
}

void OverlayEditingTest::drawsEachKindWithTheNewObjectRules()
{
    struct Case
    {
        QToolButton *button;
        char kind;
        std::uint8_t fill;
    };
    const Case cases[] = {{c().sbLine, 'r', 0}, {c().sbBezier, 'b', 0}, {c().sbElipse, 'e', 1}};
    for (const Case &k : cases) {
        doc().overlayList.clear();
        doc().modified = false;
        click(k.button);
        drag({300, 200}, {400, 300});
        QCOMPARE(doc().overlayList.size(), std::size_t(1));
        const VectorLine &o = object(0);
        QCOMPARE(o.kind, k.kind);
        QCOMPARE(o.fill, k.fill);
        QCOMPARE(o.lineStyle, std::uint8_t(0));
        QVERIFY(doc().modified);
        QCOMPARE(window().toolState(), 0);
        QVERIFY(m_prompt.warnings.isEmpty());
        // "Snap to integer" starts checked: the ends land on whole-number weights, placed again
        // within a pixel of the mouse.
        QVERIFY(wholeNumbers(o.ternOrigin));
        QVERIFY(wholeNumbers(o.ternDest));
        QVERIFY(std::abs(o.pixOrigin.x - 300) <= 4 && std::abs(o.pixOrigin.y - 200) <= 4);
        QVERIFY(std::abs(o.pixDest.x - 400) <= 4 && std::abs(o.pixDest.y - 300) <= 4);
        if (k.kind == 'r') {
            QCOMPARE(o.ternCtrl1, Weights{});
            QCOMPARE(o.ternCtrl2, Weights{});
        } else {
            // Control points 15 and 25 pixels up-left of the middle, kept to two decimals.
            QVERIFY(std::abs(o.pixCtrl1.x - 335) <= 1 && std::abs(o.pixCtrl1.y - 235) <= 1);
            QVERIFY(std::abs(o.pixCtrl2.x - 325) <= 1 && std::abs(o.pixCtrl2.y - 225) <= 1);
        }
    }
}

void OverlayEditingTest::aDrawingOfNoLengthIsRefusedButMarksModified()
{
    click(c().sbLine);
    press({300, 300});
    release({300, 300});
    QVERIFY(doc().overlayList.empty());
    QCOMPARE(m_prompt.warnings, QStringList{QStringLiteral("Warning: line too small")});
    QVERIFY(doc().modified);
    QCOMPARE(window().toolState(), 0);
}

void OverlayEditingTest::theRubberBandIsDrawnAndRemovedInNotXor()
{
    click(c().sbLine);
    const QImage clean = window().image();
    press({200, 300});
    moveTo({300, 300});
    moveTo({200, 400});
    const QImage during = window().image();
    // The first band (along y = 300) is gone, the second (along x = 200) is there: drawn straight
    // onto the image, without a new drawing of the diagram.
    QCOMPARE(during.pixelColor(260, 300), clean.pixelColor(260, 300));
    QVERIFY(during.pixelColor(200, 360) != clean.pixelColor(200, 360));
    // The mark of an outline is removed by drawing it again.
    VectorLine ellipse = newOverlayObject('e', {500, 200}, {600, 260});
    window().drawOutline(ellipse, Qt::SolidLine);
    QVERIFY(window().image() != during);
    window().drawOutline(ellipse, Qt::SolidLine);
    QCOMPARE(window().image(), during);
    // The release redraws: the band gives way to the real line.
    release({200, 400});
    const QImage after = window().image();
    window().redraw();
    QCOMPARE(after, window().image());
}

void OverlayEditingTest::aReleaseOutsideTheImageLeavesTheDrawingPending()
{
    click(c().sbElipse);
    press({300, 300});
    moveTo({350, 350});
    release({-5, 340});
    QCOMPARE(window().toolState(), 1);
    QVERIFY(doc().overlayList.empty());
    QVERIFY(!doc().modified);
    // The band drawn again by the release's redraw is removed by the next move like any other.
    const QImage before = window().image();
    moveTo({400, 380});
    moveTo({350, 350});
    QCOMPARE(window().image(), before);
    release({420, 390});
    QCOMPARE(doc().overlayList.size(), std::size_t(1));
    QCOMPARE(object(0).kind, 'e');
    QVERIFY(std::abs(object(0).pixDest.x - 420) <= 4);
    QCOMPARE(window().toolState(), 0);
}

void OverlayEditingTest::selectingTakesTheEarlierOfTwoAndAPressElsewhereDeselects()
{
    addLine('r', {300, 300}, {500, 300});
    addLine('r', {300, 300}, {500, 300});
    click(c().sbArrow);
    press({400, 310});
    release({400, 310});
    QCOMPARE(doc().selectedOverlay, 0);
    QCOMPARE(window().toolState(), 3);
    QCOMPARE(window().pressX(), 400);
    // The selection marks: blue squares at the ends.
    QCOMPARE(window().image().pixelColor(object(0).pixOrigin.x - 4, object(0).pixOrigin.y), QColor(Qt::blue));
    press({400, 500});
    release({400, 500});
    QCOMPARE(doc().selectedOverlay, -1);
    QCOMPARE(window().toolState(), 2);
    press({400, 500});
    release({400, 500});
    QCOMPARE(window().toolState(), 2);
    QVERIFY(!doc().modified);
}

void OverlayEditingTest::handlesOfAShortObjectByKind()
{
    // Ends 10 pixels apart: a press between them is near both.
    struct Case
    {
        char kind;
        int handle;
    };
    for (const Case &k : {Case{'r', 0}, Case{'e', 0}, Case{'b', 1}}) {
        doc().overlayList.clear();
        const int i = addLine(k.kind, {400, 300}, {410, 300});
        if (k.kind == 'b') {
            // Control points far away, so that only the ends are near.
            object(i).pixCtrl1 = {600, 500};
            object(i).pixCtrl2 = {620, 500};
            object(i).toTernary(window().frame(), false);
            window().redraw();
        }
        select(i);
        press({405, 300});
        QCOMPARE(window().toolState(), 5);
        QCOMPARE(window().handleIndex(), k.handle);
        release({405, 300});
        QCOMPARE(window().toolState(), 3);
    }
    // With all four near, the second control point wins.
    doc().overlayList.clear();
    addLine('b', {400, 300}, {410, 300});
    object(0).pixCtrl1 = {404, 306};
    object(0).pixCtrl2 = {406, 306};
    object(0).toTernary(window().frame(), false);
    window().redraw();
    select(0);
    press({405, 302});
    QCOMPARE(window().handleIndex(), 3);
    release({405, 302});
}

void OverlayEditingTest::movingByBodyAndByHandleWithAndWithoutSnap()
{
    for (const bool snap : {true, false}) {
        doc().overlayList.clear();
        c().cbSnap->setChecked(snap);
        addLine('b', {300, 300}, {500, 300});
        // Control points away from the chord's middle, where the body is pressed.
        object(0).pixCtrl1 = {350, 200};
        object(0).pixCtrl2 = {450, 200};
        object(0).toTernary(window().frame(), false);
        window().redraw();
        select(0);
        doc().modified = false;
        // By the body: O lands under the mouse, the rest follows.
        press({400, 303});
        QCOMPARE(window().toolState(), 4);
        moveTo({360, 350});
        moveTo({350, 401});
        release({350, 401});
        QCOMPARE(window().toolState(), 3);
        QVERIFY(doc().modified);
        const VectorLine &o = object(0);
        QVERIFY(std::abs(o.pixOrigin.x - 350) <= 4 && std::abs(o.pixOrigin.y - 401) <= 4);
        QVERIFY(std::abs(o.pixDest.x - 550) <= 4 && std::abs(o.pixDest.y - 401) <= 4);
        QCOMPARE(wholeNumbers(o.ternOrigin) && wholeNumbers(o.ternDest), snap);
        QVERIFY(twoDecimals(o.ternCtrl1));
        // By a handle: D alone moves.
        QVERIFY(std::abs(o.pixCtrl1.x - 400) <= 4 && std::abs(o.pixCtrl1.y - 301) <= 4);
        const IntPoint origin = o.pixOrigin;
        doc().modified = false;
        press(qp(o.pixDest));
        QCOMPARE(window().handleIndex(), 1);
        moveTo({580, 440});
        moveTo({601, 453});
        release({601, 453});
        QVERIFY(doc().modified);
        QVERIFY(std::abs(o.pixOrigin.x - origin.x) <= 2); // placed again from its weights
        QVERIFY(std::abs(o.pixDest.x - 601) <= 4 && std::abs(o.pixDest.y - 453) <= 4);
        QCOMPARE(wholeNumbers(o.ternDest), snap);
        // A control point keeps two decimals either way.
        press(qp(o.pixCtrl2));
        QCOMPARE(window().handleIndex(), 3);
        moveTo({471, 321});
        moveTo({473, 323});
        release({473, 323});
        QVERIFY(std::abs(o.pixCtrl2.x - 473) <= 1 && std::abs(o.pixCtrl2.y - 323) <= 1);
        QVERIFY(twoDecimals(o.ternCtrl2));
    }
}

void OverlayEditingTest::aPressThatSelectsThenDragsMovesAtOnce()
{
    addLine('r', {300, 300}, {500, 300});
    click(c().sbArrow);
    press({400, 300});
    QCOMPARE(window().toolState(), 3);
    moveTo({380, 320});
    QCOMPARE(window().toolState(), 4);
    moveTo({320, 380});
    release({320, 380});
    QCOMPARE(window().toolState(), 3);
    QVERIFY(std::abs(object(0).pixOrigin.x - 320) <= 4 && std::abs(object(0).pixOrigin.y - 380) <= 4);
    QVERIFY(doc().modified);
}

void OverlayEditingTest::aLabelsAnchorJumpsToTheMouse()
{
    addLabel({300, 300});
    const VectorLine &label = object(0);
    QVERIFY(label.pixDest.x > 300 + 20);
    const QPoint middle = (qp(label.pixOrigin) + qp(label.pixDest)) / 2;
    select(0);
    // A press near its anchor is no handle: a label only moves.
    press(middle);
    QCOMPARE(window().toolState(), 4);
    moveTo(middle + QPoint(10, 10));
    moveTo(middle + QPoint(20, 20));
    release(middle + QPoint(20, 20));
    // Not moved by the drag's 20 pixels: the anchor is where the mouse was let go.
    QVERIFY(std::abs(label.pixOrigin.x - (middle.x() + 20)) <= 4);
    QVERIFY(std::abs(label.pixOrigin.y - (middle.y() + 20)) <= 4);
    QCOMPARE(label.text, QStringLiteral("Granite field"));
}

void OverlayEditingTest::deletingDownToTheLastObject()
{
    addLine('r', {300, 300}, {500, 300});
    addLine('e', {300, 400}, {500, 450});
    click(c().sbDelete);
    press({400, 300});
    release({400, 300});
    QCOMPARE(window().toolState(), 7);
    QCOMPARE(doc().selectedOverlay, 0);
    // A press elsewhere only takes the mark away.
    press({700, 100});
    release({700, 100});
    QCOMPARE(window().toolState(), 6);
    QCOMPARE(doc().overlayList.size(), std::size_t(2));
    // Marked, then a press on another object: nothing is deleted.
    clickAt({400, 300});
    clickAt({400, 425});
    QCOMPARE(doc().overlayList.size(), std::size_t(2));
    QCOMPARE(window().toolState(), 6);
    clickAt({400, 300});
    clickAt({400, 300});
    QCOMPARE(doc().overlayList.size(), std::size_t(1));
    QCOMPARE(object(0).kind, 'e');
    QCOMPARE(window().toolState(), 6);
    QVERIFY(c().sbDelete->isChecked());
    clickAt({400, 425});
    clickAt({400, 425});
    QVERIFY(doc().overlayList.empty());
    QCOMPARE(window().toolState(), 2);
    QVERIFY(c().sbArrow->isChecked());
    QVERIFY(sameCursor(c().imagen->cursor(), diagramCursor(DiagramCursor::Ring)));
    QVERIFY(!c().btClear->isEnabled());
    QVERIFY(!c().btSaveOver->isEnabled());
    QVERIFY(!doc().modified);
}

void OverlayEditingTest::styleListsWriteTheSelectedObject()
{
    addLine('e', {300, 300}, {500, 400});
    struct Case
    {
        QComboBox *list;
        int item;
        std::function<int(const VectorLine &)> field;
        int expected;
    };
    const Case cases[] = {
        {c().sbLinea, 3, [](const VectorLine &o) { return int(o.lineStyle); }, 3},
        {c().sbLinea, 1, [](const VectorLine &o) { return int(o.lineStyle); }, 1},
        {c().sbWidth, 2, [](const VectorLine &o) { return o.width; }, 3},
        {c().sbWidth, 0, [](const VectorLine &o) { return o.width; }, 1},
        {c().sbRelleno, 0, [](const VectorLine &o) { return int(o.fill); }, 0},
        {c().sbRelleno, 2, [](const VectorLine &o) { return int(o.fill); }, 5},
        {c().sbRelleno, 3, [](const VectorLine &o) { return int(o.fill); }, 4},
        {c().sbRelleno, 4, [](const VectorLine &o) { return int(o.fill); }, 6},
        {c().sbRelleno, 5, [](const VectorLine &o) { return int(o.fill); }, 7},
        {c().sbRelleno, 6, [](const VectorLine &o) { return int(o.fill); }, 2},
        {c().sbRelleno, 7, [](const VectorLine &o) { return int(o.fill); }, 3},
        {c().sbColor, 1, [](const VectorLine &o) { return o.color; }, colorOfIndex(1)},
    };
    for (const Case &k : cases) {
        select(0);
        QVERIFY(k.list->isEnabled());
        test::chooseEntry(k.list, k.item);
        QCOMPARE(k.field(object(0)), k.expected);
        // The object stays selected, drawn with its new style.
        QCOMPARE(doc().selectedOverlay, 0);
    }
    // "CUSTOM": the chosen colour, black when the dialog is cancelled.
    std::optional<ColorRef> answer = rgbColor(10, 20, 30);
    c().sbColor->setCustomColorChooser([&](QWidget *, ColorRef) { return answer; });
    test::chooseEntry(c().sbColor, kCustomColorEntry);
    QCOMPARE(object(0).color, rgbColor(10, 20, 30));
    answer.reset();
    test::chooseEntry(c().sbColor, kCustomColorEntry);
    QCOMPARE(object(0).color, 0);
    QVERIFY(!doc().modified);
}

void OverlayEditingTest::styleListsShowTheSelectedObjectByKind()
{
    VectorLine line = newOverlayObject('r', {300, 300}, {500, 300});
    line.lineStyle = 2;
    line.width = 3;
    line.color = colorOfIndex(4);
    addObject(line);
    VectorLine ellipse = newOverlayObject('e', {300, 400}, {500, 450});
    ellipse.fill = 4;
    ellipse.lineStyle = 9; // out of range: shown as solid
    ellipse.color = rgbColor(1, 2, 3);
    addObject(ellipse);
    addLabel({600, 150});

    QVERIFY(!c().sbLinea->isEnabled());
    QCOMPARE(c().sbLinea->currentIndex(), -1);
    QVERIFY(c().btClear->isEnabled());
    QVERIFY(c().btSaveOver->isEnabled());

    select(0);
    QVERIFY(c().sbLinea->isEnabled());
    QCOMPARE(c().sbLinea->currentIndex(), 2);
    QCOMPARE(c().sbWidth->currentIndex(), 2);
    QCOMPARE(c().sbColor->currentIndex(), 4);
    QVERIFY(!c().sbRelleno->isEnabled());

    select(1);
    QCOMPARE(c().sbLinea->currentIndex(), 0);
    QVERIFY(c().sbRelleno->isEnabled());
    QCOMPARE(c().sbRelleno->currentText(), QStringLiteral("Right Diagonal"));
    QCOMPARE(c().sbColor->currentIndex(), kCustomColorEntry);

    // A label selected after a press beside every object: only its colour can change.
    press({900, 600});
    release({900, 600});
    select(2);
    QVERIFY(!c().sbLinea->isEnabled());
    QVERIFY(!c().sbWidth->isEnabled());
    QVERIFY(!c().sbRelleno->isEnabled());
    QVERIFY(c().sbColor->isEnabled());

    press({900, 600});
    QCOMPARE(doc().selectedOverlay, -1);
    for (QComboBox *list : {c().sbLinea, c().sbRelleno, static_cast<QComboBox *>(c().sbColor), c().sbWidth}) {
        QVERIFY(!list->isEnabled());
        QCOMPARE(list->currentIndex(), -1);
    }
}

// Black pixels along the middle row of the list's closed box, and the rows they cover at its centre.
struct DrawnStyle
{
    int blackInRow = 0;
    int thickness = 0;
};

DrawnStyle drawnStyle(QComboBox *list)
{
    const QImage picture = list->grab().toImage();
    DrawnStyle drawn;
    const int y = (picture.height() - 1) / 2;
    for (int x = 0; x < picture.width() - 24; ++x)
        drawn.blackInRow += picture.pixelColor(x, y) == QColor(Qt::black);
    for (int row = 0; row < picture.height(); ++row)
        drawn.thickness += picture.pixelColor(picture.width() / 3, row) == QColor(Qt::black);
    return drawn;
}

void OverlayEditingTest::styleListsDrawTheirStylesNotTheirTexts()
{
    VectorLine ellipse = newOverlayObject('e', {200, 200}, {360, 300});
    addObject(ellipse);
    select(0);
    // Widths 1, 2, 3: a line as thick as the width.
    for (int item = 0; item < 3; ++item) {
        test::chooseEntry(c().sbWidth, item);
        QCOMPARE(drawnStyle(c().sbWidth).thickness, item + 1);
    }
    // Solid runs the whole field; dash, dot and dash-dot leave gaps, the dot the most.
    std::array<int, 4> black{};
    for (int item = 0; item < 4; ++item) {
        test::chooseEntry(c().sbLinea, item);
        black[static_cast<std::size_t>(item)] = drawnStyle(c().sbLinea).blackInRow;
    }
    QVERIFY(black[0] > black[1] && black[1] > black[2] && black[0] > black[3] && black[2] > 0);
    // "Clear" shows nothing, "Solid" a black box.
    test::chooseEntry(c().sbRelleno, 1);
    QCOMPARE(drawnStyle(c().sbRelleno).blackInRow, 0);
    test::chooseEntry(c().sbRelleno, 0);
    QVERIFY(drawnStyle(c().sbRelleno).blackInRow > 20);
    const int solid = drawnStyle(c().sbRelleno).blackInRow;
    test::chooseEntry(c().sbRelleno, 7); // "Vertical"
    QVERIFY(drawnStyle(c().sbRelleno).blackInRow < solid / 2);
    QCOMPARE(object(0).fill, std::uint8_t(3));
}

void OverlayEditingTest::clearOverlayAsksFirst()
{
    addLine('r', {300, 300}, {500, 300});
    addLine('e', {300, 400}, {500, 450});
    select(1);
    m_prompt.answer = false;
    click(c().btClear);
    QCOMPARE(m_prompt.questions.size(), 1);
    QCOMPARE(doc().overlayList.size(), std::size_t(2));
    QVERIFY(!doc().modified);
    m_prompt.answer = true;
    click(c().btClear);
    QVERIFY(doc().overlayList.empty());
    QCOMPARE(doc().selectedOverlay, -1);
    QVERIFY(doc().modified);
    QVERIFY(!c().btClear->isEnabled());
    QVERIFY(!c().btSaveOver->isEnabled());
}

void OverlayEditingTest::grabsTheWindowWithAnOverlay()
{
    click(c().sbLine);
    drag({120, 380}, {420, 120});
    click(c().sbBezier);
    drag({120, 120}, {420, 380});
    click(c().sbElipse);
    drag({220, 200}, {360, 300});
    addLabel({430, 60});
    select(1);
    const QString dir = qEnvironmentVariable("QUARVEL_GRAB_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        window().grab().save(dir + QStringLiteral("/overlay-editing.png"));
    }
    QCOMPARE(doc().overlayList.size(), std::size_t(4));
    // The selected curve's handles are marks on the picture: a drawing without the selection
    // lacks them.
    const QImage marked = window().image();
    const VectorLine &curve = object(1);
    doc().selectedOverlay = -1;
    window().redraw();
    for (IntPoint p : {curve.pixOrigin, curve.pixDest, curve.pixCtrl1, curve.pixCtrl2})
        QVERIFY(marked.pixelColor(p.x - 4, p.y - 4) != window().image().pixelColor(p.x - 4, p.y - 4));
}

void OverlayEditingTest::savesAndReopensThroughTheButtons()
{
    QTemporaryDir dir;
    VectorLine curve = newOverlayObject('b', {120, 120}, {420, 380});
    curve.color = colorOfIndex(3);
    curve.lineStyle = 3;
    addObject(curve);
    addLabel({430, 60});
    object(1).text = QString(60, QLatin1Char('x'));
    select(0);
    doc().modified = false;

    // Cancelled: nothing happens.
    click(c().btSaveOver);
    QVERIFY(m_prompt.warnings.isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty());

    m_toSave = dir.filePath(QStringLiteral("shapes"));
    click(c().btSaveOver);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("shapes.xvl"))));
    // The long label is reported, not silently cut.
    QCOMPARE(m_prompt.warnings.size(), 1);
    QVERIFY2(m_prompt.warnings[0].contains(QLatin1String("Object 2")), qPrintable(m_prompt.warnings[0]));
    QCOMPARE(doc().selectedOverlay, -1);
    QVERIFY(!doc().modified);

    const std::vector<VectorLine> saved = doc().overlayList;
    doc().overlayList.clear();
    window().redraw();
    click(c().btOpenOver); // cancelled
    QVERIFY(doc().overlayList.empty());
    QCOMPARE(window().mode(), ImageWindow::EditOverlayMode);

    m_toOpen.emplace(dir.filePath(QStringLiteral("shapes.xvl")), OverlayFileType::Extended);
    click(c().btOpenOver);
    QCOMPARE(m_prompt.warnings.size(), 1);
    QCOMPARE(window().mode(), ImageWindow::ViewMode);
    QVERIFY(c().modeItems[0]->isChecked());
    QVERIFY(doc().modified);
    QCOMPARE(doc().overlayList.size(), std::size_t(2));
    QCOMPARE(object(0).kind, 'b');
    QCOMPARE(object(0).color, colorOfIndex(3));
    QCOMPARE(object(0).lineStyle, std::uint8_t(3));
    QCOMPARE(object(0).ternCtrl1, saved[0].ternCtrl1);
    QCOMPARE(object(1).text, QString(51, QLatin1Char('x'))); // what its field holds
    // Placed by the redraw at the same pixels.
    QCOMPARE(object(0).pixDest.x, saved[0].pixDest.x);
}

void OverlayEditingTest::aBadOverlayFileIsReportedByItsChosenType()
{
    QTemporaryDir dir;
    const auto write = [&](const char *name, const QByteArray &bytes) {
        QFile file(dir.filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return file.fileName();
    };
    const QString lines = write("lines.ovl", "C 10 20 70 30 40 30\nB 50 10 40 20 60 20\n");
    const QString garbage = write("garbage.xvl", QByteArray(300, '\xff'));
    struct Case
    {
        QString file;
        OverlayFileType type;
        QString warning; // empty: none
        std::size_t objects;
    };
    const Case cases[] = {
        // The type chosen in the dialog picks the reader, whatever the extension.
        {lines, OverlayFileType::Text, QString(), 2},
        {lines, OverlayFileType::Extended, QStringLiteral("Warning: Wrong file"), 0},
        {garbage, OverlayFileType::Extended, QStringLiteral("Warning: Wrong file"), 0},
        {dir.filePath(QStringLiteral("missing.ovl")), OverlayFileType::Text, QStringLiteral("Warning: Invalid file"), 0},
    };
    for (const Case &k : cases) {
        click(c().modeItems[1]);
        addLine('r', {300, 300}, {400, 300});
        m_prompt.warnings.clear();
        doc().modified = false;
        m_toOpen.emplace(k.file, k.type);
        click(c().btOpenOver);
        QCOMPARE(m_prompt.warnings, k.warning.isEmpty() ? QStringList{} : QStringList{k.warning});
        // The old overlay is gone either way, and the document counts as changed.
        QCOMPARE(doc().overlayList.size(), k.objects);
        QVERIFY(doc().modified);
        QCOMPARE(c().btSaveOver->isEnabled(), k.objects > 0);
    }
    click(c().modeItems[1]);
    m_toOpen.emplace(lines, OverlayFileType::Text);
    click(c().btOpenOver);
    QCOMPARE(object(0).lineStyle, std::uint8_t(1));
    QCOMPARE(object(0).ternOrigin, (Weights{10, 70, 20}));
}

void OverlayEditingTest::aNewLabelTakesTextFontAngleAndCharset()
{
    addLabel({430, 60}); // entered before: it takes the new character set too
    click(c().sbTexto);
    QCOMPARE(window().toolState(), 8);
    QCOMPARE(c().imagen->cursor().shape(), Qt::IBeamCursor);
    m_fontAnswer = ChosenFont{QStringLiteral("DejaVu Sans"), 18, 161, 0, {}};
    answerTextDialog(QStringLiteral("Quartz"), QStringLiteral("45"), true, true);
    clickAt({200, 250});
    QCOMPARE(doc().overlayList.size(), std::size_t(2));
    const VectorLine &label = object(1);
    QCOMPARE(label.kind, 't');
    QCOMPARE(label.text, QStringLiteral("Quartz"));
    QCOMPARE(label.fontName, QStringLiteral("DejaVu Sans"));
    QCOMPARE(label.fontSize, 18);
    QCOMPARE(label.angle, 45);
    QCOMPARE(m_fontOffered.face, QStringLiteral("Arial"));
    QCOMPARE(m_fontOffered.size, 10);
    QVERIFY(std::abs(label.pixOrigin.x - 200) <= 2 && std::abs(label.pixOrigin.y - 250) <= 2);
    QCOMPARE(doc().diagramSettings.overlayTextFont.charset, std::uint8_t(161));
    QCOMPARE(window().toolState(), 2);
    QVERIFY(c().sbArrow->isChecked());
    QVERIFY(sameCursor(c().imagen->cursor(), diagramCursor(DiagramCursor::Ring)));
    QVERIFY(!doc().modified);
    // The next label starts with an empty text and the font of the last one.
    click(c().sbTexto);
    answerTextDialog(QStringLiteral("Feldspar"), QString(), false, true);
    clickAt({220, 320});
    QCOMPARE(m_seenText, QString());
    QCOMPARE(object(2).fontName, QStringLiteral("DejaVu Sans"));
    QCOMPARE(object(2).angle, 45);
}

void OverlayEditingTest::anEmptyOrCancelledLabelAddsNothing()
{
    for (const bool ok : {true, false}) {
        click(c().sbTexto);
        answerTextDialog(ok ? QString() : QStringLiteral("Mica"), QString(), false, ok);
        clickAt({200, 250});
        QVERIFY(doc().overlayList.empty());
        QCOMPARE(window().toolState(), 2);
        QVERIFY(c().sbArrow->isChecked());
    }
}

void OverlayEditingTest::theAngleAndTheTextLengthAreChecked()
{
    TextInputDialog *dialog = window().textDialog();
    QCOMPARE(dialog->angleList()->count(), 25);
    QCOMPARE(dialog->angleList()->itemText(24), QStringLiteral("360"));
    struct Case
    {
        const char *typed;
        const char *shown;
    };
    for (const Case &k : {Case{"400", "0"}, Case{"abc", "0"}, Case{"345", "345"}, Case{"370", "0"}, Case{"360", "360"}}) {
        test::typeOver(dialog->angleList(), QLatin1String(k.typed));
        QCOMPARE(dialog->angleList()->currentText(), QLatin1String(k.shown));
    }
    test::typeOver(dialog->edit(), QString(60, QLatin1Char('q')));
    QCOMPARE(dialog->edit()->text(), QString(50, QLatin1Char('q')));
}

void OverlayEditingTest::aDoubleClickEditsTheSelectedLabel()
{
    addLabel({200, 250});
    const IntPoint anchor = object(0).pixOrigin;
    select(0);
    m_fontAnswer = ChosenFont{QStringLiteral("DejaVu Serif"), 20, 1, 0, {}};
    answerTextDialog(QStringLiteral("Olivine"), QStringLiteral("90"), true, true);
    const QPoint middle = (qp(object(0).pixOrigin) + qp(object(0).pixDest)) / 2;
    QTest::mouseDClick(c().imagen, Qt::LeftButton, {}, middle);
    QCOMPARE(m_seenText, QStringLiteral("Granite field"));
    QCOMPARE(m_fontOffered.face, QStringLiteral("Arial"));
    QCOMPARE(m_fontOffered.size, 14);
    QCOMPARE(doc().overlayList.size(), std::size_t(1));
    const VectorLine &label = object(0);
    QCOMPARE(label.text, QStringLiteral("Olivine"));
    QCOMPARE(label.fontName, QStringLiteral("DejaVu Serif"));
    QCOMPARE(label.fontSize, 20);
    QCOMPARE(label.angle, 90);
    QVERIFY(std::abs(label.pixOrigin.x - anchor.x) <= 2 && std::abs(label.pixOrigin.y - anchor.y) <= 2);
    QCOMPARE(window().toolState(), 2);
    QCOMPARE(doc().selectedOverlay, -1);
}

} // namespace quarvel

QTEST_MAIN(quarvel::OverlayEditingTest)
#include "overlay_editing_test.moc"
