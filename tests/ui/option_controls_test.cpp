#include "ui/color_list.h"

#include "ui/font_choice.h"
#include "ui/number_combo.h"
#include "options_test_support.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QPointer>
#include <QTimer>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using namespace quarvel;

class OptionControlsTest : public QObject
{
    Q_OBJECT

private slots:
    void storedColourSelectsItsEntry_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<int>("entry");
        QTest::newRow("red") << rgbColor(255, 0, 0) << 9;
        QTest::newRow("gray") << rgbColor(128, 128, 128) << 7;
        QTest::newRow("almost gray") << rgbColor(127, 127, 127) << kCustomColorEntry;
        QTest::newRow("high byte set") << (0x01000000 | rgbColor(255, 0, 0)) << kCustomColorEntry;
    }

    void storedColourSelectsItsEntry()
    {
        QFETCH(int, color);
        QFETCH(int, entry);
        ColorList list;
        QSignalSpy chosen(&list, &ColorList::colorChosen);
        list.setColor(color);
        QCOMPARE(list.currentIndex(), entry);
        QCOMPARE(list.color(), color);
        QCOMPARE(chosen.count(), 0);
    }

    void userChoiceGivesTheEntrysColour()
    {
        std::optional<ColorRef> answer;
        int asked = 0;
        ColorRef startedAt = -1;
        ColorList list;
        list.setCustomColorChooser([&](QWidget *, ColorRef initial) {
            ++asked;
            startedAt = initial;
            return answer;
        });
        list.setColor(rgbColor(1, 2, 3));
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy chosen(&list, &ColorList::colorChosen);

        test::chooseEntry(&list, 12);
        QCOMPARE(list.color(), rgbColor(0, 0, 255));
        QCOMPARE(asked, 0);
        answer = rgbColor(4, 5, 6);
        test::chooseEntry(&list, kCustomColorEntry);
        QCOMPARE(list.color(), rgbColor(4, 5, 6));
        QCOMPARE(startedAt, rgbColor(0, 0, 255));
        answer.reset();
        test::chooseEntry(&list, kCustomColorEntry);
        QCOMPARE(list.color(), 0);
        QCOMPARE(asked, 2);
        QCOMPARE(chosen.count(), 3);
        QCOMPARE(chosen.last().at(0).value<ColorRef>(), 0);
    }

    void entriesAreDrawnWithSwatchAndName()
    {
        const QColor silver(192, 192, 192);
        for (int entry : {0, 9, 15, kCustomColorEntry}) {
            QImage image(120, 18, QImage::Format_RGB32);
            image.fill(Qt::green);
            {
                QPainter painter(&image);
                drawColorEntry(painter, image.rect(), entry);
            }
            const ColorRef value = entry == kCustomColorEntry ? rgbColor(255, 255, 255) : colorOfIndex(entry);
            QCOMPARE(image.pixelColor(8, 8), QColor(redOf(value), greenOf(value), blueOf(value)));
            QCOMPARE(image.pixelColor(1, 1), silver);
            QCOMPARE(image.pixelColor(119, 17), silver);
            // The name stands right of the swatch: some pixel there is not ground.
            bool written = false;
            for (int x = 20; x < 70 && !written; ++x) {
                for (int y = 2; y < 16 && !written; ++y)
                    written = image.pixelColor(x, y) != silver;
            }
            QVERIFY2(written, colorEntryName(entry));
        }
    }

    void numberTextsAreCheckedAgainstTheirRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("checked");
        QTest::newRow("in range") << "3" << "3";
        QTest::newRow("low end") << "1" << "1";
        QTest::newRow("above") << "7" << "top";
        QTest::newRow("below") << "0" << "bottom";
        QTest::newRow("negative") << "-4" << "bottom";
        QTest::newRow("letters") << "x" << "bad";
        QTest::newRow("empty") << "" << "bad";
        QTest::newRow("fraction") << "2.5" << "bad";
        QTest::newRow("beyond int") << "99999999999" << "bad";
    }

    void numberTextsAreCheckedAgainstTheirRule()
    {
        QFETCH(QString, text);
        QFETCH(QString, checked);
        const NumberRule rule{1, 6, QStringLiteral("bottom"), QStringLiteral("top"), QStringLiteral("bad")};
        QCOMPARE(checkedNumberText(text, rule), checked);
    }

    void chosenFontsStoreTheirFields()
    {
        FontSpec font = FontSpec::make("Arial", 9);
        font.faceName[20] = 'z'; // behind the terminator: travels as it is
        ChosenFont chosen;
        chosen.face = QStringLiteral("Symbol");
        chosen.size = 11;
        chosen.charset = 2;
        chosen.color = rgbColor(1, 2, 3);
        chosen.styles = {true, false, true, false};
        storeChosenFont(font, chosen);
        QCOMPARE(font.face(), QStringLiteral("Symbol"));
        QCOMPARE(font.faceName[20], 'z');
        QCOMPARE(font.style, 8 | 2);
        QCOMPARE(chosenFontOf(font), chosen);
    }

    void theFontDialogGivesColourAndCharset_data()
    {
        QTest::addColumn<int>("charset");
        QTest::addColumn<int>("shownSystem");
        QTest::addColumn<int>("chosenSystem");
        QTest::addColumn<int>("expected");
        QTest::newRow("cyrillic to greek") << 204 << int(QFontDatabase::Cyrillic) << int(QFontDatabase::Greek) << 161;
        QTest::newRow("greek to any") << 161 << int(QFontDatabase::Greek) << int(QFontDatabase::Any) << 1;
        QTest::newRow("charset of no writing system, list untouched")
            << 238 << int(QFontDatabase::Any) << -1 << 238;
    }

    // The font dialog of the option dialogs: scalable fonts, and a colour and a writing system
    // that come back as the font's colour and charset.
    void theFontDialogGivesColourAndCharset()
    {
        QFETCH(int, charset);
        QFETCH(int, shownSystem);
        QFETCH(int, chosenSystem);
        QFETCH(int, expected);
        ChosenFont initial;
        initial.face = QStringLiteral("Liberation Sans");
        initial.size = 12;
        initial.charset = static_cast<std::uint8_t>(charset);
        initial.color = rgbColor(0, 0, 255);
        initial.styles.bold = true;
        bool answered = false;
        QTimer::singleShot(0, [&] {
            QPointer<QFontDialog> dialog = qobject_cast<QFontDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QVERIFY(dialog->testOption(QFontDialog::ScalableFonts));
            auto *colors = dialog->findChild<ColorList *>(QStringLiteral("fontColor"));
            QVERIFY(colors);
            QCOMPARE(colors->color(), initial.color);
            auto *systems = dialog->findChild<QComboBox *>();
            QCOMPARE(systems->currentIndex(), shownSystem);
            if (chosenSystem >= 0)
                systems->setCurrentIndex(chosenSystem);
            test::chooseEntry(colors, 9);
            if (const QString grabs = qEnvironmentVariable("QUARVEL_GRAB_DIR"); !grabs.isEmpty())
                dialog->grab().save(grabs + QStringLiteral("/font-dialog.png"));
            answered = true;
            dialog->accept();
        });
        // Never left open, whatever failed above.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        guard.start(5000);
        const std::optional<ChosenFont> chosen = chooseScalableFont(nullptr, initial);
        QVERIFY(answered);
        QVERIFY(chosen);
        QCOMPARE(int(chosen->charset), expected);
        QCOMPARE(chosen->color, rgbColor(255, 0, 0));
        QVERIFY(chosen->size > 0);
    }

    void writingSystemsGiveCharsets()
    {
        QCOMPARE(charsetOfWritingSystem(QFontDatabase::Greek), 161);
        QCOMPARE(charsetOfWritingSystem(QFontDatabase::Any), 1);
        QCOMPARE(writingSystemOfCharset(204), int(QFontDatabase::Cyrillic));
        QCOMPARE(writingSystemOfCharset(1), int(QFontDatabase::Any));
    }
};

QTEST_MAIN(OptionControlsTest)
#include "option_controls_test.moc"
