#pragma once

#include "core/document.h"
#include "core/document_changes.h"
#include "core/user_prompt.h"
#include "files/text_import.h"
#include "ui/user_dialogs.h"

#include <memory>

#include <QLabel>
#include <QRect>
#include <QWidget>

class QPlainTextEdit;
class QTabBar;

namespace quarvel {

class DataGrid;
class GroupsPanel;

// The thumbnail of the diagram; a double click asks for the image window.
class Thumbnail : public QLabel
{
    Q_OBJECT

public:
    explicit Thumbnail(QWidget *parent = nullptr);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// The window of one open document: the data grid on the left, and on the right the groups panel
// under its tabs, the thumbnail and the file information. It owns the document.
class DataWindow : public QWidget
{
    Q_OBJECT

public:
    DataWindow(std::unique_ptr<Document> document, UserPrompt &prompt, UserDialogs &dialogs,
               QWidget *parent = nullptr);
    ~DataWindow() override;

    Document &document() { return *m_document; }
    const Document &document() const { return *m_document; }
    DataGrid *dataGrid() const { return m_dataGrid; }
    Thumbnail *thumbnail() const { return m_thumbnail; }
    QPlainTextEdit *fileInformation() const { return m_fileInformation; }
    QTabBar *groupTabs() const { return m_groupTabs; }
    GroupsPanel *groupsPanel() const { return m_groupsPanel; }

    // Groups, samples and thumbnail brought up to date.
    void updateTriangle();
    // updateTriangle, then the image window is asked for.
    void showImage();
    void drawThumbnail();
    // The fonts of the data grid and the groups panel, and the titles at their column positions.
    void applyDataSettings();
    ImportResult importTextFile(const QString &path);

    // The caption follows the document's after a save; the file information travels with it.
    void takeFileInformation();
    void documentSaved();
    // For the main window's exit, which has asked once for every document.
    void closeWithoutAsking() { m_askBeforeClosing = false; }

    // The split of the window: the grid takes two thirds of the width; on the right the tabs take
    // two thirds of the height, the thumbnail and the file information share the last third 4 : 1.
    struct Layout
    {
        QRect grid, panel, tabs, thumbnail, fileInformation;
    };
    static Layout layoutFor(QSize size);

signals:
    void closing(quarvel::DataWindow *window);
    void sampleCountChanged(int count);
    void showImageRequested(quarvel::DataWindow *window);
    void cutRequested();
    void copyRequested();
    void pasteRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createPopupMenu();
    void tabChanged(int index);
    void fileInformationEdited();
    void scheduleThumbnail();
    void documentChanged(const DocumentChange &change);

    std::unique_ptr<Document> m_document;
    UserPrompt &m_prompt;
    UserDialogs &m_dialogs;
    bool m_askBeforeClosing = true;
    bool m_thumbnailPending = false;

    DataGrid *m_dataGrid = nullptr;
    QWidget *m_panel = nullptr;
    QWidget *m_tabsArea = nullptr;
    QTabBar *m_groupTabs = nullptr;
    GroupsPanel *m_groupsPanel = nullptr;
    Thumbnail *m_thumbnail = nullptr;
    QPlainTextEdit *m_fileInformation = nullptr;
    DocumentChanges::Connection m_connection;
};

} // namespace quarvel
