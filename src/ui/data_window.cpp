#include "ui/data_window.h"

#include "render/document_drawing.h"
#include "ui/busy_cursor.h"
#include "ui/data_grid.h"
#include "ui/groups_panel.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QVBoxLayout>

namespace quarvel {

namespace {

constexpr int kFileInformationLimit = 255;

QFont fontOf(const FontSpec &fontSpec, const QFont &base)
{
    QFont font = base;
    const QString face = fontSpec.face();
    if (!face.isEmpty())
        font.setFamily(face);
    if (fontSpec.size > 0 && fontSpec.size < 200)
        font.setPointSize(fontSpec.size);
    font.setBold(fontSpec.style & 8);
    font.setItalic(fontSpec.style & 4);
    font.setUnderline(fontSpec.style & 2);
    font.setStrikeOut(fontSpec.style & 1);
    return font;
}

} // namespace

Thumbnail::Thumbnail(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("thumbnail"));
    setToolTip(QStringLiteral("Double click to show the full image"));
    setAlignment(Qt::AlignCenter);
    setMinimumSize(1, 1);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void Thumbnail::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

DataWindow::DataWindow(std::unique_ptr<Document> document, UserPrompt &prompt, UserDialogs &dialogs, QWidget *parent)
    : QWidget(parent), m_document(std::move(document)), m_prompt(prompt), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("dataWindow"));
    setWindowTitle(m_document->caption);
    setMinimumSize(300, 200);

    m_dataGrid = new DataGrid(*m_document, this);
    m_dataGrid->setToolTip(QStringLiteral("Double click to edit data, right click for edit menu"));
    connect(m_dataGrid, &DataGrid::leftGrid, this, &DataWindow::updateTriangle);

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("rightPanel"));
    m_tabsArea = new QWidget(m_panel);
    auto *tabsLayout = new QVBoxLayout(m_tabsArea);
    tabsLayout->setContentsMargins(0, 0, 0, 0);
    tabsLayout->setSpacing(0);
    m_groupTabs = new QTabBar(m_tabsArea);
    m_groupTabs->setObjectName(QStringLiteral("groupTabs"));
    m_groupTabs->addTab(QStringLiteral("Symbol"));
    m_groupTabs->addTab(QStringLiteral("Color"));
    m_groupTabs->addTab(QStringLiteral("Statistics"));
    m_groupTabs->setExpanding(false);
    connect(m_groupTabs, &QTabBar::currentChanged, this, &DataWindow::tabChanged);
    tabsLayout->addWidget(m_groupTabs);
    GroupsPanelServices services;
    services.chooseColor = [this](ColorRef current) -> std::optional<ColorRef> {
        const std::optional<QColor> color =
            m_dialogs.chooseColor(this, QColor(redOf(current), greenOf(current), blueOf(current)));
        if (!color)
            return std::nullopt;
        return rgbColor(color->red(), color->green(), color->blue());
    };
    m_groupsPanel = new GroupsPanel(*m_document, std::move(services), m_tabsArea);
    connect(m_groupsPanel, &GroupsPanel::rowRequested, this, [this](int row) { m_dataGrid->setCurrentCell(row, 1); });
    tabsLayout->addWidget(m_groupsPanel, 1);

    m_thumbnail = new Thumbnail(m_panel);
    connect(m_thumbnail, &Thumbnail::doubleClicked, this, &DataWindow::showImage);

    m_fileInformation = new QPlainTextEdit(m_panel);
    m_fileInformation->setObjectName(QStringLiteral("fileInformation"));
    m_fileInformation->setToolTip(QStringLiteral("File info here"));
    m_fileInformation->setPlainText(m_document->fileInfo.left(kFileInformationLimit));
    connect(m_fileInformation, &QPlainTextEdit::textChanged, this, &DataWindow::fileInformationEdited);

    createPopupMenu();
    applyDataSettings();
    m_connection = m_document->changes.connect([this](const DocumentChange &change) { documentChanged(change); });
}

DataWindow::~DataWindow()
{
    // The widgets read the document, so they go before it.
    m_connection.disconnect();
    delete m_dataGrid;
    delete m_panel;
}

void DataWindow::createPopupMenu()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("dataGridMenu"));
    connect(menu->addAction(QStringLiteral("Cut")), &QAction::triggered, this, &DataWindow::cutRequested);
    connect(menu->addAction(QStringLiteral("Copy")), &QAction::triggered, this, &DataWindow::copyRequested);
    connect(menu->addAction(QStringLiteral("Paste")), &QAction::triggered, this, &DataWindow::pasteRequested);
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("Update Triangle")), &QAction::triggered, this, [this] {
        BusyCursor busy;
        updateTriangle();
    });
    m_dataGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_dataGrid, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint &at) { menu->popup(m_dataGrid->viewport()->mapToGlobal(at)); });
}

void DataWindow::updateTriangle()
{
    BusyCursor busy;
    m_document->updateTriangle();
}

void DataWindow::documentChanged(const DocumentChange &change)
{
    switch (change.kind) {
    case DocumentChange::Evaluated:
        m_groupsPanel->refresh();
        emit sampleCountChanged(change.validSamples);
        // The picture follows every evaluation, also those that do not ask for it.
        scheduleThumbnail();
        break;
    case DocumentChange::PictureChanged: scheduleThumbnail(); break;
    default: break;
    }
}

void DataWindow::showImage()
{
    updateTriangle();
    emit showImageRequested(this);
}

void DataWindow::scheduleThumbnail()
{
    // Several changes in one command draw the thumbnail once, after the command.
    if (m_thumbnailPending)
        return;
    m_thumbnailPending = true;
    QMetaObject::invokeMethod(this, [this] {
        if (m_thumbnailPending)
            drawThumbnail();
    }, Qt::QueuedConnection);
}

void DataWindow::drawThumbnail()
{
    m_thumbnailPending = false;
    const QSize size = m_thumbnail->size();
    if (size.width() < 2 || size.height() < 2)
        return;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    quarvel::drawThumbnail(*m_document, image);
    m_thumbnail->setPixmap(QPixmap::fromImage(image));
}

void DataWindow::applyDataSettings()
{
    m_document->applyDataSettings();
    m_dataGrid->setFont(fontOf(m_document->dataSettings.dataFont, font()));
    m_groupsPanel->refresh();
}

ImportResult DataWindow::importTextFile(const QString &path)
{
    BusyCursor busy;
    const ImportResult result = quarvel::importTextFile(*m_document, path);
    // The import writes the table directly and may add rows.
    m_document->changes.tableReset();
    m_document->drawThumbnail();
    return result;
}

void DataWindow::takeFileInformation()
{
    m_document->fileInfo = m_fileInformation->toPlainText().left(kFileInformationLimit);
}

void DataWindow::documentSaved()
{
    setWindowTitle(m_document->caption);
}

void DataWindow::fileInformationEdited()
{
    QString text = m_fileInformation->toPlainText();
    if (text.size() > kFileInformationLimit) {
        QSignalBlocker block(m_fileInformation);
        text.truncate(kFileInformationLimit);
        m_fileInformation->setPlainText(text);
        m_fileInformation->moveCursor(QTextCursor::End);
    }
    if (text != m_document->fileInfo) {
        m_document->fileInfo = text;
        // Typed text is saved with the document, so closing without saving must ask.
        m_document->modified = true;
    }
}

void DataWindow::tabChanged(int index)
{
    m_groupsPanel->setTab(index);
}

void DataWindow::closeEvent(QCloseEvent *event)
{
    m_dataGrid->finishEditing();
    if (m_askBeforeClosing && !m_document->mayClose(m_prompt)) {
        event->ignore();
        return;
    }
    emit closing(this);
    event->accept();
}

DataWindow::Layout DataWindow::layoutFor(QSize size)
{
    const int w = size.width();
    const int h = size.height();
    const int gridWidth = 2 * w / 3;
    const int panelWidth = w / 3;
    const int tabsHeight = 2 * h / 3;
    const int thumbnailHeight = static_cast<int>((h / 3) * 0.8);
    const int informationHeight = static_cast<int>((h / 3) * 0.2);
    Layout layout;
    layout.grid = QRect(0, 0, gridWidth, h);
    layout.panel = QRect(gridWidth, 0, panelWidth, h);
    layout.tabs = QRect(0, 0, panelWidth, tabsHeight);
    layout.thumbnail = QRect(0, tabsHeight, panelWidth, thumbnailHeight);
    layout.fileInformation = QRect(0, tabsHeight + thumbnailHeight, panelWidth, informationHeight);
    return layout;
}

void DataWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const Layout layout = layoutFor(size());
    m_dataGrid->setGeometry(layout.grid);
    m_panel->setGeometry(layout.panel);
    m_tabsArea->setGeometry(layout.tabs);
    m_thumbnail->setGeometry(layout.thumbnail);
    m_fileInformation->setGeometry(layout.fileInformation);
    m_dataGrid->fitColumnsToWidth();
    m_groupsPanel->setDefaultColumnWidth(m_groupsPanel->viewport()->width() / 4 - 1);
    scheduleThumbnail();
}

} // namespace quarvel
