// The main window's commands reach the image window and the option dialogs, and those find the
// active document.

#include "ui/image_window.h"
#include "ui/program_windows.h"
#include "ui/triangle_options_dialog.h"
#include "ui_fixture.h"

#include <QDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>
#include <functional>

namespace quarvel::test {

namespace {

// Runs `answer` on the next modal dialog once it is shown, then lets the command go on.
void whenModalShown(std::function<void(QWidget *)> answer)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer = std::move(answer)] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start(10);
}

void click(QWidget *dialog, const char *button)
{
    auto *b = dialog->findChild<QPushButton *>(QLatin1String(button));
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

QList<ImageWindow *> imageWindows()
{
    QList<ImageWindow *> found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *image = qobject_cast<ImageWindow *>(w); image && image->isVisible())
            found << image;
    return found;
}

} // namespace

class ProgramWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void showImageOpensOneImageWindowOfTheActiveDocument()
    {
        UiFixture ui;
        ui.start();
        ProgramWindows windows(*ui.window);
        ui.setCells(1, {QStringLiteral("Granite"), QStringLiteral("30"), QStringLiteral("50"), QStringLiteral("20")});

        // The seven grid columns share the grid's width, as the user sees it.
        const int shared = (ui.grid()->viewport()->width() + ui.grid()->verticalHeader()->width()) / 7 - 1;
        QVERIFY2(std::abs(ui.grid()->horizontalHeader()->defaultSectionSize() - shared) <= 2,
                 qPrintable(QStringLiteral("column width %1, shared width %2")
                                .arg(ui.grid()->horizontalHeader()->defaultSectionSize())
                                .arg(shared)));

        ui.trigger("windowShowImage");
        QCOMPARE(imageWindows().size(), 1);
        ImageWindow *image = windows.imageWindow();
        QVERIFY(image);
        QCOMPARE(image->windowTitle(), ui.active()->windowTitle());
        QVERIFY(!image->image().isNull());
        QCOMPARE(ui.document().samples.size(), std::size_t{1}); // Show Image evaluates first

        if (const QByteArray dir = qgetenv("QUARVEL_GRAB_DIR"); !dir.isEmpty()) {
            ui.window->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/program-main.png"));
            image->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/program-image.png"));
        }

        ui.trigger("windowShowImage");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(imageWindows().size(), 1);
    }

    void pageCommandsOpenTheOptionsOnTheirPageForTheActiveDocument()
    {
        UiFixture ui;
        ui.start();
        ProgramWindows windows(*ui.window);
        ui.document().modified = false;

        int shownPage = -2;
        whenModalShown([&](QWidget *dialog) {
            shownPage = dialog->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->currentIndex();
            click(dialog, "OKBtn");
        });
        ui.trigger("optionsLegend");
        QCOMPARE(shownPage, static_cast<int>(TriangleOptionsDialog::LegendPage));
        QVERIFY2(ui.document().modified, "OK stores the settings into the active document");

        whenModalShown([&](QWidget *dialog) {
            shownPage = dialog->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->currentIndex();
            click(dialog, "CancelBtn");
        });
        ui.trigger("showOptions");
        QCOMPARE(shownPage, static_cast<int>(TriangleOptionsDialog::LegendPage)); // the page shown last
    }

    void imageWindowButtonsOpenTheDialogs()
    {
        UiFixture ui;
        ui.start();
        ProgramWindows windows(*ui.window);
        ui.trigger("windowShowImage");
        ImageWindow *image = windows.imageWindow();
        QVERIFY(image);

        QString opened;
        whenModalShown([&](QWidget *dialog) {
            opened = dialog->objectName();
            click(dialog, "CancelBtn");
        });
        QTest::mouseClick(image->findChild<QToolButton *>(QStringLiteral("ToolButton2")), Qt::LeftButton);
        QCOMPARE(opened, QStringLiteral("FDataOptions"));

        whenModalShown([&](QWidget *dialog) {
            opened = dialog->objectName();
            click(dialog, "CancelBtn");
        });
        QTest::mouseClick(image->findChild<QToolButton *>(QStringLiteral("BBOptions")), Qt::LeftButton);
        QCOMPARE(opened, QStringLiteral("FOptions"));
    }
};

} // namespace quarvel::test

QTEST_MAIN(quarvel::test::ProgramWindowsTest)
#include "program_windows_test.moc"
