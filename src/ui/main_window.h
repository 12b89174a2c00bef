#pragma once

#include "core/user_locale.h"
#include "core/table_editing.h"
#include "core/user_prompt.h"
#include "files/open_save_commands.h"
#include "ui/user_dialogs.h"

#include <functional>
#include <memory>

#include <QList>
#include <QMainWindow>
#include <QStringList>

class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace quarvel {

class DataWindow;

// The frame of the program: the document windows in a multiple-document area, the menus, the
// tool bar and the status bar. Every document command acts on the active data window.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The pages of the options dialog, in its order; LastShown opens the page shown last.
    enum class OptionsPage { LastShown = -1, Triangle, Data, Axis, TicksAndNumbers, Legend, Subtriangle, Advanced };

    MainWindow(UserPrompt &prompt, UserDialogs &dialogs, const UserLocale &locale, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Run once the window is shown: opens the document named by the first argument, or a new
    // one when there is none or it cannot be read (without a message).
    void startUp(const QStringList &arguments);

    // The folder of the program, with its trailing separator.
    static QString programDir();
    const QString &currentFileName() const { return m_files.currentFileName; }

    DataWindow *activeDataWindow() const;
    QList<DataWindow *> dataWindows() const;
    PasteMode pasteMode() const { return m_pasteMode; }
    UserPrompt &prompt() const { return m_prompt; }

    // The file commands after their dialogs: the menu commands ask the dialogs, then run these.
    DataWindow *fileNew();
    bool openChosenFile(const OpenChoice &choice);
    bool saveChosenName(const QString &chosenName);
    void importChosenFile(const QString &path);

    void enableDocumentCommands();
    void disableDocumentCommands();

    // The editing commands on the active data window; the clipboard is the system's.
    void editCut();
    void editCopy();
    void editPaste();
    void editSelectAll();
    void insertRowAtCursor();
    void clearSelectedCells();
    void deleteSelectedRows();
    void sortData();
    void editRecalculate();
    void editUpdateTriangle();
    void setPasteMode(PasteMode mode);

signals:
    // The windows and dialogs of later work connect here; until then the commands open nothing.
    void showImageRequested(quarvel::DataWindow *window);
    void triangleOptionsRequested(quarvel::MainWindow::OptionsPage page);
    void dataOptionsRequested(quarvel::DataWindow *window);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    QAction *addCommand(const char *objectName, const QString &caption, const QKeySequence &shortcut = {});

    DataWindow *addDataWindow(std::unique_ptr<Document> document);
    void dataWindowClosing(DataWindow *window);
    void updateWindowMenu();
    void updateArrangeCommands();
    void showSampleCount(int count);
    void tileWindows(Qt::Orientation orientation);
    // Runs one command: the busy cursor for its length, and an error that escapes it shown in a
    // message box so that the program goes on.
    void run(const std::function<void()> &command);

    // A dropped ".txt" file is imported into the active document, any other opens as a document.
    void openDroppedFile(const QString &path);
    void fileOpen();
    void fileSaveAs();
    void fileImport();

    UserPrompt &m_prompt;
    UserDialogs &m_dialogs;
    UserLocale m_locale;
    ApplicationFiles m_files;
    PasteMode m_pasteMode = PasteMode::Insert;

    QMdiArea *m_mdiArea = nullptr;
    QLabel *m_pasteModePanel = nullptr;
    QLabel *m_sampleCountPanel = nullptr;
    QMenu *m_windowMenu = nullptr;
    QMenu *m_imageOptionsMenu = nullptr;
    QActionGroup *m_pasteModeGroup = nullptr;
    QList<QAction *> m_documentCommands;
    QList<QAction *> m_arrangeCommands;

public:
    // The commands by name, for the menus, the tool bar and the enabling rules.
    struct Commands
    {
        QAction *fileNew, *fileOpen, *fileSaveAs, *windowClose, *fileImport, *fileExit;
        QAction *editCut, *editCopy, *editPaste, *editSelectAll, *pasteInsert, *pasteOverwrite;
        QAction *insertRow, *clearCells, *deleteRows, *sortData, *editRecalculate, *editUpdateTriangle;
        QAction *optionsTriangle, *optionsData, *optionsAxis, *optionsTicks, *optionsLegend, *optionsSubtriangle,
            *optionsAdvanced, *dataOptions, *showOptions;
        QAction *windowShowImage, *windowCascade, *windowTileHorizontally, *windowTileVertically;
        QAction *helpContents, *onlineHelp, *versionCheck, *helpAbout;
    };
    const Commands &commands() const { return m_commands; }

private:
    Commands m_commands{};
};

} // namespace quarvel
