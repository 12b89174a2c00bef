#include "ui/main_window.h"

#include "files/text_import.h"
#include "ui/busy_cursor.h"
#include "ui/data_grid.h"
#include "ui/data_window.h"
#include "ui/program_icon.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>

#include <exception>

namespace quarvel {

namespace {

const QString kWarning = QStringLiteral("Warning");

// The places a save had to change, in one message; a long list is shortened.
QString changedTextsMessage(const std::vector<ChangedText> &changes)
{
    constexpr std::size_t kListed = 20;
    QString text = QStringLiteral("These texts did not fit the file and were cut, or had characters the file "
                                  "cannot hold replaced:");
    for (std::size_t i = 0; i < changes.size() && i < kListed; ++i) {
        const ChangedText &change = changes[i];
        text += QLatin1Char('\n');
        switch (change.place) {
        case ChangedText::Place::Cell:
            text += QStringLiteral("row %1, column %2").arg(change.index).arg(change.column);
            break;
        case ChangedText::Place::GroupName: text += QStringLiteral("group %1").arg(change.index + 1); break;
        case ChangedText::Place::OverlayText:
            text += QStringLiteral("overlay object %1, text").arg(change.index + 1);
            break;
        case ChangedText::Place::OverlayFontName:
            text += QStringLiteral("overlay object %1, font name").arg(change.index + 1);
            break;
        case ChangedText::Place::FileInfo: text += QStringLiteral("file information"); break;
        }
    }
    if (changes.size() > kListed)
        text += QStringLiteral("\nand %1 more").arg(changes.size() - kListed);
    return text;
}

std::optional<OpenFileType> documentTypeOfPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("qvd"))
        return OpenFileType::Current;
    if (suffix == QLatin1String("qvo"))
        return OpenFileType::SecondVersion;
    if (suffix == QLatin1String("ter"))
        return OpenFileType::FirstVersion;
    return std::nullopt;
}

} // namespace

MainWindow::MainWindow(UserPrompt &prompt, UserDialogs &dialogs, const UserLocale &locale, QWidget *parent)
    : QMainWindow(parent), m_prompt(prompt), m_dialogs(dialogs), m_locale(locale)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Quarvel 4.5"));
    setWindowIcon(programIcon());
    setAcceptDrops(true);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("documentArea"));
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *) {
        updateArrangeCommands();
        if (DataWindow *window = activeDataWindow())
            showSampleCount(window->document().validSamples());
    });

    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    updateArrangeCommands();

    resize(790, 554 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height() + 48);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow()
{
    // The document windows go before the status bar is gone; nothing is to be shown by then.
    disconnect(m_mdiArea, nullptr, this, nullptr);
}

QString MainWindow::programDir()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
}

void MainWindow::run(const std::function<void()> &command)
{
    BusyCursor busy;
    try {
        command();
    } catch (const std::exception &error) {
        m_prompt.warn(QString::fromLocal8Bit(error.what()), QCoreApplication::applicationName());
    }
}

void MainWindow::startUp(const QStringList &arguments)
{
    run([&] {
        if (!arguments.isEmpty()) {
            OpenOutcome outcome = m_files.openFromCommandLine(arguments.constFirst(), m_locale);
            if (outcome.document) {
                enableDocumentCommands();
                addDataWindow(std::move(outcome.document));
                return;
            }
        }
        fileNew();
    });
}

DataWindow *MainWindow::activeDataWindow() const
{
    QMdiSubWindow *sub = m_mdiArea->activeSubWindow();
    if (!sub) {
        const QList<QMdiSubWindow *> list = m_mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (list.isEmpty())
            return nullptr;
        sub = list.constLast();
    }
    return qobject_cast<DataWindow *>(sub->widget());
}

QList<DataWindow *> MainWindow::dataWindows() const
{
    QList<DataWindow *> windows;
    const QList<QMdiSubWindow *> list = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow *sub : list) {
        if (auto *window = qobject_cast<DataWindow *>(sub->widget()))
            windows << window;
    }
    return windows;
}

DataWindow *MainWindow::addDataWindow(std::unique_ptr<Document> document)
{
    auto *window = new DataWindow(std::move(document), m_prompt, m_dialogs);
    QMdiSubWindow *sub = m_mdiArea->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &DataWindow::closing, this, &MainWindow::dataWindowClosing);
    connect(window, &DataWindow::sampleCountChanged, this, [this, window](int count) {
        if (window == activeDataWindow())
            showSampleCount(count);
    });
    connect(window, &DataWindow::showImageRequested, this, &MainWindow::showImageRequested);
    connect(window, &DataWindow::cutRequested, this, &MainWindow::editCut);
    connect(window, &DataWindow::copyRequested, this, &MainWindow::editCopy);
    connect(window, &DataWindow::pasteRequested, this, &MainWindow::editPaste);
    sub->showMaximized();
    m_mdiArea->setActiveSubWindow(sub);
    window->drawThumbnail();
    showSampleCount(window->document().validSamples());
    updateArrangeCommands();
    return window;
}

void MainWindow::dataWindowClosing(DataWindow *)
{
    // The closing window still counts here.
    if (m_mdiArea->subWindowList().size() <= 1)
        disableDocumentCommands();
}

DataWindow *MainWindow::fileNew()
{
    enableDocumentCommands();
    return addDataWindow(std::make_unique<Document>(m_locale));
}

bool MainWindow::openChosenFile(const OpenChoice &choice)
{
    OpenOutcome outcome;
    run([&] { outcome = m_files.open(choice.fileName, choice.type, m_locale); });
    if (!outcome.document) {
        // The reader's document was discarded before it had a window, so the command state and
        // the other documents stay as they were.
        m_prompt.warn(kInvalidFileMessage, kWarning);
        return false;
    }
    enableDocumentCommands();
    run([&] { addDataWindow(std::move(outcome.document)); });
    return true;
}

bool MainWindow::saveChosenName(const QString &chosenName)
{
    DataWindow *window = activeDataWindow();
    if (!window)
        return false;
    SaveResult result;
    run([&] {
        window->takeFileInformation();
        result = m_files.saveAs(window->document(), chosenName);
    });
    if (!result.ok) {
        m_prompt.warn(kErrorWritingFileMessage, kWarning);
        return false;
    }
    window->documentSaved();
    if (!result.changedTexts.empty())
        m_prompt.warn(changedTextsMessage(result.changedTexts), kWarning);
    return true;
}

void MainWindow::importChosenFile(const QString &path)
{
    DataWindow *window = activeDataWindow();
    if (!window)
        return;
    ImportResult result;
    run([&] { result = window->importTextFile(path); });
    if (!result.ok)
        m_prompt.warn(kImportFailedMessage, kWarning);
}

void MainWindow::openDroppedFile(const QString &path)
{
    if (QFileInfo(path).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0) {
        if (activeDataWindow())
            importChosenFile(path);
        return;
    }
    openChosenFile({path, documentTypeOfPath(path).value_or(OpenFileType::Current)});
}

void MainWindow::fileOpen()
{
    if (const std::optional<OpenChoice> choice = m_dialogs.chooseDocumentToOpen(this))
        openChosenFile(*choice);
}

void MainWindow::fileSaveAs()
{
    if (!activeDataWindow())
        return;
    if (const std::optional<QString> name = m_dialogs.chooseSaveName(this))
        saveChosenName(*name);
}

void MainWindow::fileImport()
{
    if (!activeDataWindow())
        return;
    if (const std::optional<QString> path = m_dialogs.chooseTextFileToImport(this))
        importChosenFile(*path);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    const QList<DataWindow *> windows = dataWindows();
    for (DataWindow *window : windows)
        window->dataGrid()->finishEditing();
    const bool anyModified =
        std::any_of(windows.begin(), windows.end(), [](DataWindow *w) { return bool(w->document().modified); });
    if (anyModified && !m_prompt.askOkCancel(QStringLiteral("There are unsaved data. Exit anyway?"), kWarning)) {
        event->ignore();
        return;
    }
    // The documents go with the main window without further questions.
    for (DataWindow *window : windows)
        window->closeWithoutAsking();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            openDroppedFile(url.toLocalFile());
    }
}

void MainWindow::showSampleCount(int count)
{
    m_sampleCountPanel->setText(Document::kStatusPrefix + QString::number(count));
}

void MainWindow::setPasteMode(PasteMode mode)
{
    m_pasteMode = mode;
    m_pasteModePanel->setText(mode == PasteMode::Insert ? QStringLiteral("INSERT") : QStringLiteral("OVERWRITE"));
    (mode == PasteMode::Insert ? m_commands.pasteInsert : m_commands.pasteOverwrite)->setChecked(true);
}

} // namespace quarvel
