#include "ui/data_window.h"
#include "ui/help_commands.h"
#include "ui/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace quarvel {

QAction *MainWindow::addCommand(const char *objectName, const QString &caption, const QKeySequence &shortcut)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QLatin1String(objectName));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void MainWindow::createActions()
{
    Commands &c = m_commands;
    c.fileNew = addCommand("fileNew", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    c.fileOpen = addCommand("fileOpen", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    c.fileSaveAs = addCommand("fileSaveAs", QStringLiteral("Save &As..."), QKeySequence(Qt::CTRL | Qt::Key_S));
    c.windowClose = addCommand("windowClose", QStringLiteral("C&lose"));
    c.fileImport = addCommand("fileImport", QStringLiteral("Import text file"));
    c.fileExit = addCommand("fileExit", QStringLiteral("E&xit"));
    connect(c.fileNew, &QAction::triggered, this, [this] { run([this] { fileNew(); }); });
    connect(c.fileOpen, &QAction::triggered, this, &MainWindow::fileOpen);
    connect(c.fileSaveAs, &QAction::triggered, this, &MainWindow::fileSaveAs);
    connect(c.windowClose, &QAction::triggered, this, [this] {
        if (QMdiSubWindow *sub = m_mdiArea->activeSubWindow())
            sub->close();
    });
    connect(c.fileImport, &QAction::triggered, this, &MainWindow::fileImport);
    connect(c.fileExit, &QAction::triggered, this, &QWidget::close);

    c.editCut = addCommand("editCut", QStringLiteral("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X));
    c.editCopy = addCommand("editCopy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    c.editPaste = addCommand("editPaste", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    c.editSelectAll = addCommand("editSelectAll", QStringLiteral("Select &All"), QKeySequence(Qt::CTRL | Qt::Key_A));
    c.pasteInsert = addCommand("pasteInsert", QStringLiteral("Insert data"));
    c.pasteOverwrite = addCommand("pasteOverwrite", QStringLiteral("Overwite data"));
    c.insertRow = addCommand("insertRow", QStringLiteral("Insert row at cursor"));
    c.clearCells = addCommand("clearCells", QStringLiteral("Clear selected cells"));
    c.deleteRows = addCommand("deleteRows", QStringLiteral("&Delete selected rows"), QKeySequence(Qt::Key_Delete));
    c.deleteRows->setToolTip(QStringLiteral("Delete"));
    c.deleteRows->setStatusTip(QStringLiteral("Erases the selection"));
    c.sortData = addCommand("sortData", QStringLiteral("Sort data"));
    c.editRecalculate = addCommand("editRecalculate", QStringLiteral("Recalculate"));
    c.editUpdateTriangle = addCommand("editUpdateTriangle", QStringLiteral("Update Triangle"));
    const auto bind = [this](QAction *action, void (MainWindow::*command)()) {
        connect(action, &QAction::triggered, this, [this, command] { run([this, command] { (this->*command)(); }); });
    };
    bind(c.editCut, &MainWindow::editCut);
    bind(c.editCopy, &MainWindow::editCopy);
    bind(c.editPaste, &MainWindow::editPaste);
    bind(c.editSelectAll, &MainWindow::editSelectAll);
    bind(c.insertRow, &MainWindow::insertRowAtCursor);
    bind(c.clearCells, &MainWindow::clearSelectedCells);
    bind(c.deleteRows, &MainWindow::deleteSelectedRows);
    bind(c.sortData, &MainWindow::sortData);
    bind(c.editRecalculate, &MainWindow::editRecalculate);
    bind(c.editUpdateTriangle, &MainWindow::editUpdateTriangle);

    m_pasteModeGroup = new QActionGroup(this);
    for (QAction *mode : {c.pasteInsert, c.pasteOverwrite}) {
        mode->setCheckable(true);
        m_pasteModeGroup->addAction(mode);
    }
    c.pasteInsert->setChecked(true);
    connect(c.pasteInsert, &QAction::triggered, this, [this] { setPasteMode(PasteMode::Insert); });
    connect(c.pasteOverwrite, &QAction::triggered, this, [this] { setPasteMode(PasteMode::Overwrite); });

    c.optionsTriangle = addCommand("optionsTriangle", QStringLiteral("Triangle"));
    c.optionsData = addCommand("optionsData", QStringLiteral("Data"));
    c.optionsAxis = addCommand("optionsAxis", QStringLiteral("Axis"));
    c.optionsTicks = addCommand("optionsTicks", QStringLiteral("Ticks and numbers"));
    c.optionsLegend = addCommand("optionsLegend", QStringLiteral("Legend"));
    c.optionsSubtriangle = addCommand("optionsSubtriangle", QStringLiteral("Subtriangle"));
    c.optionsAdvanced = addCommand("optionsAdvanced", QStringLiteral("Advanced"));
    c.showOptions = addCommand("showOptions", QStringLiteral("Options"));
    c.dataOptions = addCommand("dataOptions", QStringLiteral("Data options"));
    const std::pair<QAction *, OptionsPage> pages[] = {
        {c.optionsTriangle, OptionsPage::Triangle},       {c.optionsData, OptionsPage::Data},
        {c.optionsAxis, OptionsPage::Axis},               {c.optionsTicks, OptionsPage::TicksAndNumbers},
        {c.optionsLegend, OptionsPage::Legend},           {c.optionsSubtriangle, OptionsPage::Subtriangle},
        {c.optionsAdvanced, OptionsPage::Advanced},       {c.showOptions, OptionsPage::LastShown}};
    for (const auto &[action, page] : pages)
        connect(action, &QAction::triggered, this, [this, page = page] { emit triangleOptionsRequested(page); });
    connect(c.dataOptions, &QAction::triggered, this, [this] {
        if (DataWindow *window = activeDataWindow())
            emit dataOptionsRequested(window);
    });

    c.windowShowImage = addCommand("windowShowImage", QStringLiteral("Show Image"));
    c.windowCascade = addCommand("windowCascade", QStringLiteral("&Cascade"));
    c.windowTileHorizontally = addCommand("windowTileHorizontally", QStringLiteral("Tile &Horizontally"));
    c.windowTileVertically = addCommand("windowTileVertically", QStringLiteral("&Tile Vertically"));
    connect(c.windowShowImage, &QAction::triggered, this, [this] {
        if (DataWindow *window = activeDataWindow())
            run([window] { window->showImage(); });
    });
    connect(c.windowCascade, &QAction::triggered, m_mdiArea, &QMdiArea::cascadeSubWindows);
    connect(c.windowTileHorizontally, &QAction::triggered, this, [this] { tileWindows(Qt::Horizontal); });
    connect(c.windowTileVertically, &QAction::triggered, this, [this] { tileWindows(Qt::Vertical); });
    m_arrangeCommands = {c.windowCascade, c.windowTileHorizontally, c.windowTileVertically};

    c.helpContents = addCommand("helpContents", QStringLiteral("&Contents"));
    c.onlineHelp = addCommand("onlineHelp", QStringLiteral("Online help"));
    c.versionCheck = addCommand("versionCheck", QStringLiteral("Version check"));
    c.helpAbout = addCommand("helpAbout", QStringLiteral("About..."));
    auto *help = new HelpCommands(this);
    connect(c.helpContents, &QAction::triggered, help, &HelpCommands::contents);
    connect(c.onlineHelp, &QAction::triggered, help, &HelpCommands::onlineHelp);
    connect(c.versionCheck, &QAction::triggered, help, &HelpCommands::versionCheck);
    connect(c.helpAbout, &QAction::triggered, help, &HelpCommands::about);

    m_documentCommands = {c.fileSaveAs,      c.fileImport,         c.editCut,         c.editCopy,
                          c.editPaste,       c.editSelectAll,      c.insertRow,       c.clearCells,
                          c.deleteRows,      c.sortData,           c.editRecalculate, c.editUpdateTriangle,
                          c.windowClose,     c.windowShowImage,    c.showOptions,     c.optionsData,
                          c.dataOptions,     c.optionsTriangle,    c.optionsAxis,     c.optionsTicks,
                          c.optionsLegend,   c.optionsSubtriangle, c.optionsAdvanced};
}

void MainWindow::createMenus()
{
    const Commands &c = m_commands;
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    file->addActions({c.fileNew, c.fileOpen, c.fileSaveAs, c.windowClose});
    file->addSeparator();
    file->addAction(c.fileImport);
    file->addSeparator();
    file->addAction(c.fileExit);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    edit->addActions({c.editCut, c.editCopy, c.editPaste, c.editSelectAll});
    edit->addSeparator();
    QMenu *pasteOptions = edit->addMenu(QStringLiteral("Paste options"));
    pasteOptions->setObjectName(QStringLiteral("pasteOptionsMenu"));
    pasteOptions->addActions({c.pasteInsert, c.pasteOverwrite});
    edit->addSeparator();
    edit->addActions({c.insertRow, c.clearCells, c.deleteRows});
    edit->addSeparator();
    edit->addActions({c.sortData, c.editRecalculate});
    edit->addSeparator();
    edit->addAction(c.editUpdateTriangle);

    QMenu *options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("optionsMenu"));
    m_imageOptionsMenu = options->addMenu(QStringLiteral("Image options"));
    m_imageOptionsMenu->setObjectName(QStringLiteral("imageOptionsMenu"));
    m_imageOptionsMenu->addActions({c.optionsTriangle, c.optionsData, c.optionsAxis, c.optionsTicks, c.optionsLegend,
                                    c.optionsSubtriangle, c.optionsAdvanced});
    options->addAction(c.dataOptions);
    m_documentCommands << m_imageOptionsMenu->menuAction();

    m_windowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
    m_windowMenu->setObjectName(QStringLiteral("windowMenu"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainWindow::updateWindowMenu);
    updateWindowMenu();

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    help->addActions({c.helpContents, c.onlineHelp, c.versionCheck, c.helpAbout});
}

void MainWindow::updateWindowMenu()
{
    const Commands &c = m_commands;
    m_windowMenu->clear();
    m_windowMenu->addAction(c.windowShowImage);
    m_windowMenu->addSeparator();
    m_windowMenu->addActions({c.windowCascade, c.windowTileHorizontally, c.windowTileVertically});
    const QList<QMdiSubWindow *> subs = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    if (subs.isEmpty())
        return;
    m_windowMenu->addSeparator();
    for (int i = 0; i < subs.size(); ++i) {
        QMdiSubWindow *sub = subs.at(i);
        // Mnemonics 1 to 9 for the first nine windows; a "&" in a file name must not become one.
        QString title = sub->windowTitle();
        title.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *item = m_windowMenu->addAction(i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title) : title);
        item->setCheckable(true);
        item->setChecked(sub == m_mdiArea->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, sub] { m_mdiArea->setActiveSubWindow(sub); });
    }
}

void MainWindow::updateArrangeCommands()
{
    const bool any = !m_mdiArea->subWindowList().isEmpty();
    for (QAction *action : std::as_const(m_arrangeCommands))
        action->setEnabled(any);
}

void MainWindow::tileWindows(Qt::Orientation orientation)
{
    const QList<QMdiSubWindow *> subs = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    if (subs.isEmpty())
        return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int n = static_cast<int>(subs.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *sub = subs.at(i);
        sub->showNormal();
        // Horizontally: one above the other, each the full width.
        if (orientation == Qt::Horizontal) {
            const int top = area.height() * i / n;
            sub->setGeometry(0, top, area.width(), area.height() * (i + 1) / n - top);
        } else {
            const int left = area.width() * i / n;
            sub->setGeometry(left, 0, area.width() * (i + 1) / n - left, area.height());
        }
    }
}

void MainWindow::createToolBar()
{
    const Commands &c = m_commands;
    QToolBar *bar = addToolBar(QStringLiteral("Tools"));
    bar->setObjectName(QStringLiteral("toolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(QSize(16, 16));
    QStyle *style = this->style();
    const auto button = [&](QAction *action, const QString &caption, const QString &hint, QStyle::StandardPixmap icon) {
        action->setIconText(caption);
        if (!hint.isEmpty())
            action->setToolTip(hint);
        action->setIcon(style->standardIcon(icon));
        bar->addAction(action);
        if (auto *tool = qobject_cast<QToolButton *>(bar->widgetForAction(action))) {
            tool->setObjectName(action->objectName() + QStringLiteral("Button"));
            tool->setMinimumSize(40, 38);
            tool->setAutoRaise(true);
        }
    };
    button(c.fileNew, QStringLiteral("New"), QStringLiteral("New document"), QStyle::SP_FileIcon);
    button(c.fileOpen, QStringLiteral("Open"), {}, QStyle::SP_DialogOpenButton);
    button(c.windowClose, QStringLiteral("Close"), {}, QStyle::SP_DialogCloseButton);
    button(c.fileSaveAs, QStringLiteral("Save"), {}, QStyle::SP_DialogSaveButton);
    bar->addSeparator();
    button(c.dataOptions, QStringLiteral("Data"), QStringLiteral("Show data options"), QStyle::SP_FileDialogDetailedView);
    button(c.showOptions, QStringLiteral("Options"), QStringLiteral("Show triangle options"),
           QStyle::SP_FileDialogContentsView);
    bar->addSeparator();
    button(c.windowShowImage, QStringLiteral("Image"), QStringLiteral("Show image window"), QStyle::SP_DesktopIcon);
}

void MainWindow::createStatusBar()
{
    m_pasteModePanel = new QLabel(QStringLiteral("INSERT"), this);
    m_pasteModePanel->setObjectName(QStringLiteral("pasteModePanel"));
    m_pasteModePanel->setFixedWidth(100);
    m_sampleCountPanel = new QLabel(Document::kStatusPrefix + QString::number(0), this);
    m_sampleCountPanel->setObjectName(QStringLiteral("sampleCountPanel"));
    statusBar()->addWidget(m_pasteModePanel);
    statusBar()->addWidget(m_sampleCountPanel, 1);
}

void MainWindow::enableDocumentCommands()
{
    for (QAction *action : std::as_const(m_documentCommands))
        action->setEnabled(true);
}

void MainWindow::disableDocumentCommands()
{
    for (QAction *action : std::as_const(m_documentCommands))
        action->setEnabled(false);
}

} // namespace quarvel
