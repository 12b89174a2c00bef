#include "ui/symbol_chooser.h"

#include "core/document.h"
#include "files/field_values.h"
#include "ui/symbol_list.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <cstring>

using namespace quarvel;

namespace {

// Three groups, every one at the defaults: symbol 109, size 12.
void fillThreeGroups(Document &document)
{
    const QStringList names{"Basalt", "Granite", "Shale"};
    for (int r = 0; r < 3; ++r) {
        document.table.setCell(r + 1, 1, names[r]);
        document.table.setCell(r + 1, 2, QStringLiteral("10"));
        document.table.setCell(r + 1, 3, QStringLiteral("20"));
        document.table.setCell(r + 1, 4, QStringLiteral("70"));
    }
    document.updateTriangle();
}

struct Controls
{
    explicit Controls(SymbolChooser &chooser)
        : faces(chooser.findChild<QComboBox *>("symbolFontList")),
          baseFontOnly(chooser.findChild<QCheckBox *>("baseFontOnly")),
          sizeForGroupOnly(chooser.findChild<QCheckBox *>("sizeForGroupOnly")),
          symbols(chooser.findChild<SymbolList *>("symbolList")),
          size(chooser.findChild<QSlider *>("symbolSize")),
          sizeText(chooser.findChild<QLabel *>("symbolSizeText")),
          symbolBox(chooser.findChild<QGroupBox *>("symbolBox")),
          sizeBox(chooser.findChild<QGroupBox *>("symbolSizeBox")),
          ok(chooser.findChild<QPushButton *>("okButton")),
          cancel(chooser.findChild<QPushButton *>("cancelButton"))
    {
    }
    bool complete() const
    {
        return faces && baseFontOnly && sizeForGroupOnly && symbols && size && sizeText && symbolBox && sizeBox && ok
            && cancel;
    }
    QComboBox *faces;
    QCheckBox *baseFontOnly;
    QCheckBox *sizeForGroupOnly;
    SymbolList *symbols;
    QSlider *size;
    QLabel *sizeText;
    QGroupBox *symbolBox;
    QGroupBox *sizeBox;
    QPushButton *ok;
    QPushButton *cancel;
};

void clickEntry(SymbolList *list, int entry)
{
    QTest::mouseClick(list, Qt::LeftButton, {}, list->entryRect(entry).center());
}

// Moves the slider with the arrow keys, as a user does.
void slideTo(QSlider *slider, int value)
{
    slider->setFocus();
    while (slider->value() < value)
        QTest::keyClick(slider, Qt::Key_Right);
    while (slider->value() > value)
        QTest::keyClick(slider, Qt::Key_Left);
}

// Opens the drop-down list and clicks the face.
void chooseFace(QComboBox *faces, const QString &face)
{
    const int index = faces->findText(face);
    QVERIFY2(index >= 0, qPrintable(face));
    faces->showPopup();
    QAbstractItemView *view = faces->view();
    view->scrollTo(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(index, 0)).center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(faces->currentText(), face);
}

void toggle(QCheckBox *box)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
}

} // namespace

class SymbolChooserTest : public QObject
{
    Q_OBJECT
private slots:
    void showingLoadsTheGroupAndTheFont();
    void okAppliesSymbolSizeAndFont_data();
    void okAppliesSymbolSizeAndFont();
    void cancelChangesNothing();
    void doubleClickTakesTheSymbolOnly();
    void baseFontOnlyHidesTheSymbolAndSize();
    void keepsCheckBoxesButReloadsTheDocument();
    void faceThatIsNotInstalledStaysChosen();
    void symbolOutsideTheListIsKept();
    void chooseForRunsModally();
};

void SymbolChooserTest::showingLoadsTheGroupAndTheFont()
{
    Document document(UserLocale::point());
    fillThreeGroups(document);
    document.groupList.group(1).symbolSize = 30;
    SymbolChooser chooser;
    Controls c(chooser);
    QVERIFY(c.complete());
    QCOMPARE(chooser.windowTitle(), QStringLiteral("Symbols"));
    QCOMPARE(c.baseFontOnly->text(), QStringLiteral("Change base font only"));
    QCOMPARE(c.sizeForGroupOnly->text(), QStringLiteral("Each point can have a diferent size"));
    QCOMPARE(c.size->minimum(), 4);
    QCOMPARE(c.size->maximum(), 48);

    chooser.load(document, 1);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    // The new document's "WingDings" is the listed "Wingdings", even where it is not installed.
    QCOMPARE(c.faces->currentText().toLower(), QStringLiteral("wingdings"));
    QCOMPARE(c.symbols->face(), c.faces->currentText());
    QCOMPARE(c.symbols->currentEntry(), 78);
    QCOMPARE(c.size->value(), 30);
    QCOMPARE(c.sizeText->text(), QStringLiteral("30"));
    QVERIFY(!c.baseFontOnly->isChecked() && !c.sizeForGroupOnly->isChecked());
    // Installed faces are offered too.
    QVERIFY(c.faces->findText(QStringLiteral("DejaVu Sans")) >= 0);
}

void SymbolChooserTest::okAppliesSymbolSizeAndFont_data()
{
    QTest::addColumn<bool>("baseFontOnly");
    QTest::addColumn<bool>("sizeForGroupOnly");
    QTest::addColumn<int>("symbol");          // of the chosen group afterwards
    QTest::addColumn<QList<int>>("sizes");    // of every group afterwards
    QTest::newRow("size for every group") << false << false << 31 << QList<int>{20, 20, 20};
    QTest::newRow("size for this group only") << false << true << 31 << QList<int>{12, 20, 12};
    QTest::newRow("base font only") << true << false << 109 << QList<int>{12, 12, 12};
    QTest::newRow("base font only, sizes apart") << true << true << 109 << QList<int>{12, 12, 12};
}

void SymbolChooserTest::okAppliesSymbolSizeAndFont()
{
    QFETCH(bool, baseFontOnly);
    QFETCH(bool, sizeForGroupOnly);
    QFETCH(int, symbol);
    QFETCH(QList<int>, sizes);
    Document document(UserLocale::point());
    fillThreeGroups(document);
    document.diagramSettings.symbolFont.style = 9;
    SymbolChooser chooser;
    Controls c(chooser);
    chooser.load(document, 1);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));

    clickEntry(c.symbols, 0);
    QCOMPARE(c.symbols->currentEntry(), 0);
    slideTo(c.size, 20);
    QCOMPARE(c.sizeText->text(), QStringLiteral("20"));
    chooseFace(c.faces, QStringLiteral("DejaVu Sans"));
    if (baseFontOnly)
        toggle(c.baseFontOnly);
    if (sizeForGroupOnly)
        toggle(c.sizeForGroupOnly);
    QCOMPARE(c.baseFontOnly->isChecked(), baseFontOnly);
    QCOMPARE(c.sizeForGroupOnly->isChecked(), sizeForGroupOnly);
    QTest::mouseClick(c.ok, Qt::LeftButton);

    QVERIFY(!chooser.isVisible());
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    const FontSpec &font = document.diagramSettings.symbolFont;
    QCOMPARE(font.face(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(font.size, 20);
    QCOMPARE(font.style, 0);
    QCOMPARE(document.groupList.group(1).symbol, symbol);
    QCOMPARE(document.groupList.group(0).symbol, 109);
    QCOMPARE(document.groupList.group(2).symbol, 109);
    for (int g = 0; g < 3; ++g)
        QCOMPARE(document.groupList.group(g).symbolSize, sizes[g]);
}

void SymbolChooserTest::cancelChangesNothing()
{
    Document document(UserLocale::point());
    fillThreeGroups(document);
    const DiagramSettings before = document.diagramSettings;
    SymbolChooser chooser;
    Controls c(chooser);
    chooser.load(document, 0);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    clickEntry(c.symbols, 5);
    slideTo(c.size, 40);
    chooseFace(c.faces, QStringLiteral("DejaVu Sans"));
    QTest::mouseClick(c.cancel, Qt::LeftButton);
    QCOMPARE(chooser.result(), int(QDialog::Rejected));
    QVERIFY(std::memcmp(&before, &document.diagramSettings, sizeof before) == 0);
    for (int g = 0; g < 3; ++g) {
        QCOMPARE(document.groupList.group(g).symbol, 109);
        QCOMPARE(document.groupList.group(g).symbolSize, 12);
    }
}

void SymbolChooserTest::doubleClickTakesTheSymbolOnly()
{
    Document document(UserLocale::point());
    fillThreeGroups(document);
    SymbolChooser chooser;
    Controls c(chooser);
    chooser.load(document, 2);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    slideTo(c.size, 33);
    chooseFace(c.faces, QStringLiteral("DejaVu Sans"));
    QTest::mouseDClick(c.symbols, Qt::LeftButton, {}, c.symbols->entryRect(117).center());
    QVERIFY(!chooser.isVisible());
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    QCOMPARE(document.groupList.group(2).symbol, 148);
    QCOMPARE(document.groupList.group(2).symbolSize, 12);
    QCOMPARE(document.groupList.group(0).symbol, 109);
    QCOMPARE(document.diagramSettings.symbolFont.face(), QStringLiteral("WingDings"));
    QCOMPARE(document.diagramSettings.symbolFont.size, 9);
}

void SymbolChooserTest::baseFontOnlyHidesTheSymbolAndSize()
{
    Document document(UserLocale::point());
    fillThreeGroups(document);
    SymbolChooser chooser;
    Controls c(chooser);
    chooser.load(document, 0);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QVERIFY(c.symbolBox->isVisible() && c.sizeBox->isVisible());
    toggle(c.baseFontOnly);
    QVERIFY(!c.symbolBox->isVisible() && !c.sizeBox->isVisible());
    QVERIFY(c.faces->isVisible() && c.ok->isVisible());
    toggle(c.baseFontOnly);
    QVERIFY(c.symbolBox->isVisible() && c.sizeBox->isVisible());
}

void SymbolChooserTest::keepsCheckBoxesButReloadsTheDocument()
{
    Document first(UserLocale::point());
    fillThreeGroups(first);
    Document second(UserLocale::point());
    fillThreeGroups(second);
    setFaceName(second.diagramSettings.symbolFont, "DejaVu Sans");
    second.groupList.group(0).symbol = 40;
    second.groupList.group(0).symbolSize = 7;

    SymbolChooser chooser;
    Controls c(chooser);
    chooser.load(first, 0);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    toggle(c.sizeForGroupOnly);
    slideTo(c.size, 25);
    QTest::mouseClick(c.cancel, Qt::LeftButton);

    chooser.load(second, 0);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QVERIFY(c.sizeForGroupOnly->isChecked());
    QCOMPARE(c.faces->currentText(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(c.symbols->face(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(c.symbols->currentEntry(), 9);
    QCOMPARE(c.size->value(), 7);
    QTest::mouseClick(c.ok, Qt::LeftButton);
    QCOMPARE(second.groupList.group(0).symbolSize, 7);
    QCOMPARE(second.groupList.group(1).symbolSize, 12);
}

void SymbolChooserTest::faceThatIsNotInstalledStaysChosen()
{
    Document document(UserLocale::point());
    fillThreeGroups(document);
    setFaceName(document.diagramSettings.symbolFont, "Nowhere Dings");
    SymbolChooser chooser;
    Controls c(chooser);
    chooser.load(document, 0);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QCOMPARE(c.faces->currentText(), QStringLiteral("Nowhere Dings"));
    QTest::mouseClick(c.ok, Qt::LeftButton);
    QCOMPARE(document.diagramSettings.symbolFont.face(), QStringLiteral("Nowhere Dings"));
}

void SymbolChooserTest::symbolOutsideTheListIsKept()
{
    // A damaged file can give a group a code the list does not hold.
    Document document(UserLocale::point());
    fillThreeGroups(document);
    document.groupList.group(0).symbol = 7;
    SymbolChooser chooser;
    Controls c(chooser);
    chooser.load(document, 0);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QCOMPARE(c.symbols->currentEntry(), -1);
    QTest::mouseClick(c.ok, Qt::LeftButton);
    QCOMPARE(document.groupList.group(0).symbol, 7);
}

void SymbolChooserTest::chooseForRunsModally()
{
    Document document(UserLocale::point());
    fillThreeGroups(document);
    SymbolChooser chooser;
    Controls c(chooser);
    QTimer::singleShot(0, &chooser, [&] {
        QVERIFY(chooser.isModal() || chooser.isVisible());
        clickEntry(c.symbols, 1);
        QTest::mouseClick(c.ok, Qt::LeftButton);
    });
    QVERIFY(chooser.chooseFor(document, 0));
    QCOMPARE(document.groupList.group(0).symbol, 32);

    QTimer::singleShot(0, &chooser, [&] { QTest::mouseClick(c.cancel, Qt::LeftButton); });
    QVERIFY(!chooser.chooseFor(document, 0));
}

QTEST_MAIN(SymbolChooserTest)
#include "symbol_chooser_test.moc"
