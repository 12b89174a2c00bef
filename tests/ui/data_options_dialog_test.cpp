#include "ui/data_options_dialog.h"

#include "core/document.h"
#include "options_test_support.h"

#include <cstring>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace quarvel;
using quarvel::test::typeOver;

namespace {

bool sameBytes(const DataSettings &a, const DataSettings &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class DataOptionsDialogTest : public QObject
{
    Q_OBJECT

private:
    template <typename W>
    W *control(const char *name)
    {
        return quarvel::test::controlOf<W>(m_dialog.get(), name);
    }

    void showDialog()
    {
        m_dialog->prepare(*m_document);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    void click(const char *name) { test::click(control<QAbstractButton>(name)); }

    std::unique_ptr<Document> m_document;
    std::unique_ptr<DataOptionsDialog> m_dialog;
    std::optional<ChosenFont> m_fontAnswer;

private slots:
    void init()
    {
        m_document = std::make_unique<Document>(UserLocale::point());
        m_fontAnswer.reset();
        m_dialog = std::make_unique<DataOptionsDialog>(
            nullptr, [this](QWidget *, const ChosenFont &) { return m_fontAnswer; });
    }

    void cleanup()
    {
        m_dialog.reset();
        m_document.reset();
    }

    void startTextsBeforeTheFirstShowing()
    {
        const char *const names[6] = {"Data_group", "Data_1", "Data_2", "Data_3", "Data_4", "Data_samples"};
        const QStringList texts = {"Group label", "Bottom", "Left up", "Right", "Left down", "Sample labels"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(control<QLineEdit>(names[i])->text(), texts[i]);
        QCOMPARE(control<QComboBox>("cbPrecision")->currentText(), QStringLiteral("0"));
    }

    void okWithoutChangesKeepsTheBlock()
    {
        DataSettings &s = m_document->dataSettings;
        s.columnTitles[2][50] = 'q'; // behind the terminator
        s.setPrecision(2);
        s.dataFont.style = 8;
        s.groupsFont.charset = 204;
        const DataSettings before = s;
        showDialog();
        QCOMPARE(control<QComboBox>("cbPrecision")->currentText(), QStringLiteral("2"));
        QCOMPARE(control<QLineEdit>("Data_2")->text(), QStringLiteral("Left"));
        click("OKbtn");
        QVERIFY(!m_dialog->isVisible());
        QVERIFY(sameBytes(s, before));
        QVERIFY(m_document->modified);
    }

    void emptyDataTitlesBecomeADash_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("stored");
        QTest::newRow("data column 2") << "Data_2" << 2 << "-";
        QTest::newRow("data column 4") << "Data_4" << 4 << "-";
        QTest::newRow("group label") << "Data_group" << 0 << "";
        QTest::newRow("sample label") << "Data_samples" << 5 << "";
    }

    void emptyDataTitlesBecomeADash()
    {
        QFETCH(QString, edit);
        QFETCH(int, column);
        QFETCH(QString, stored);
        showDialog();
        auto *line = control<QLineEdit>(edit.toLatin1().constData());
        typeOver(line, QString());
        QCOMPARE(line->text(), stored);
        click("OKbtn");
        QCOMPARE(m_document->dataSettings.title(column), stored);
        QCOMPARE(m_document->table.cell(0, m_document->dataSettings.columnPositions[column]), stored);
    }

    void damagedEmptyDataTitleShowsADash()
    {
        m_document->dataSettings.columnTitles[3][0] = '\0';
        const DataSettings before = m_document->dataSettings;
        showDialog();
        QCOMPARE(control<QLineEdit>("Data_3")->text(), QStringLiteral("-"));
        click("CancelBtn");
        QVERIFY(sameBytes(m_document->dataSettings, before));
    }

    void precisionTexts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("format");
        QTest::newRow("9") << "9" << "6" << "##0.######";
        QTest::newRow("0") << "0" << "6" << "##0.######";
        QTest::newRow("x") << "x" << "6" << "##0.######";
        QTest::newRow("deleted") << "" << "6" << "##0.######";
        QTest::newRow("2") << "2" << "2" << "##0.##";
        QTest::newRow("5") << "5" << "5" << "##0.#####";
    }

    void precisionTexts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, format);
        showDialog();
        auto *precision = control<QComboBox>("cbPrecision");
        typeOver(precision, typed);
        QCOMPARE(precision->currentText(), shown);
        click("OKbtn");
        QCOMPARE(m_document->dataSettings.precision, shown.toInt());
        QCOMPARE(QString::fromLatin1(m_document->dataSettings.numberFormat.data()), format);
    }

    void damagedPrecisionIsReplacedWhenShown()
    {
        m_document->dataSettings.precision = -7;
        const DataSettings before = m_document->dataSettings;
        showDialog();
        QCOMPARE(control<QComboBox>("cbPrecision")->currentText(), QStringLiteral("6"));
        click("CancelBtn");
        QVERIFY(sameBytes(m_document->dataSettings, before));
    }

    void applyShowsTheTitleAtOnceAndDefaultsRefill()
    {
        showDialog();
        typeOver(control<QLineEdit>("Data_1"), QStringLiteral("SiO2"));
        QSignalSpy refreshed(m_dialog.get(), &DataOptionsDialog::documentRefreshed);
        click("ApplyBtn");
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(refreshed.count(), 1);
        QCOMPARE(m_document->table.cell(0, m_document->dataSettings.columnPositions[1]), QStringLiteral("SiO2"));
        click("Button6");
        QCOMPARE(control<QLineEdit>("Data_1")->text(), QStringLiteral("Bottom"));
        QCOMPARE(control<QLineEdit>("Data_4")->text(), QStringLiteral("Down"));
        QCOMPARE(control<QLineEdit>("Data_samples")->text(), QStringLiteral("Sample label"));
        QCOMPARE(m_document->dataSettings.title(1), QStringLiteral("SiO2"));
    }

    void cancelAfterApplyRestoresFontsTitlesAndPositions()
    {
        DataSettings &s = m_document->dataSettings;
        showDialog();
        const DataSettings beforeApply = s;
        ChosenFont courier;
        courier.face = QStringLiteral("Courier");
        courier.size = 13;
        courier.styles.bold = true;
        m_fontAnswer = courier;
        click("Button2");
        QCOMPARE(control<QLabel>("InfoData")->text(), QStringLiteral("Courier 13"));
        QCOMPARE(s.dataFont.face(), QStringLiteral("Arial"));
        typeOver(control<QLineEdit>("Data_2"), QStringLiteral("MgO"));
        click("ApplyBtn");
        QCOMPARE(s.dataFont.face(), QStringLiteral("Courier"));
        QCOMPARE(s.dataFont.style, 8);

        // A column moved in the grid between Apply and Cancel.
        std::swap(s.columnPositions[2], s.columnPositions[3]);
        m_document->modified = false;
        QSignalSpy refreshed(m_dialog.get(), &DataOptionsDialog::documentRefreshed);
        click("CancelBtn");
        QVERIFY(!m_dialog->isVisible());
        QVERIFY(sameBytes(s, beforeApply));
        QCOMPARE(refreshed.count(), 1);
        QVERIFY(m_document->modified);
        QCOMPARE(m_document->table.cell(0, 3), QStringLiteral("Left"));
        QCOMPARE(m_document->table.cell(0, 4), QStringLiteral("Right"));
    }

    void closingWithTheTitleBarKeepsWhatWasApplied()
    {
        showDialog();
        typeOver(control<QComboBox>("cbPrecision"), QStringLiteral("3"));
        click("ApplyBtn");
        m_dialog->close();
        QCOMPARE(m_document->dataSettings.precision, 3);
    }

    void theDialogShowsItsTextsWhole()
    {
        showDialog();
        for (QWidget *widget : m_dialog->findChildren<QWidget *>()) {
            if (!widget->isVisibleTo(m_dialog.get()))
                continue;
            if (qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget))
                QVERIFY2(widget->width() >= widget->sizeHint().width(),
                         qPrintable(widget->objectName() + QLatin1Char(' ') + widget->property("text").toString()));
        }
        const QString grabs = qEnvironmentVariable("QUARVEL_GRAB_DIR");
        if (!grabs.isEmpty())
            m_dialog->grab().save(QDir(grabs).filePath(QStringLiteral("data-options.png")));
    }

    void longTitlesAreCutToTheField()
    {
        showDialog();
        typeOver(control<QLineEdit>("Data_group"), QString(150, QLatin1Char('w')));
        click("OKbtn");
        QCOMPARE(m_document->dataSettings.title(0), QString(99, QLatin1Char('w')));
    }
};

QTEST_MAIN(DataOptionsDialogTest)
#include "data_options_dialog_test.moc"
