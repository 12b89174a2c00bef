#include "ui/image_window.h"

#include "render/document_drawing.h"
#include "render/image_export.h"
#include "render/qpainter_canvas.h"
#include "ui/cursors.h"
#include "ui/text_input_dialog.h"

#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QSvgGenerator>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace quarvel {

ImageView::ImageView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Imagen"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_image)
        painter.drawImage(QPoint(0, 0), *m_image);
}

void ImageView::mousePressEvent(QMouseEvent *event)
{
    m_clickPending = event->button() == Qt::LeftButton;
    emit pressed(event);
}

void ImageView::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(event);
}

void ImageView::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a left press and release on the image, reported before the release itself.
    if (m_clickPending && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(event);
    m_clickPending = false;
    emit released(event);
}

void ImageView::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_clickPending = false;
    emit doubleClicked(event);
}

namespace {

QToolButton *toolButton(QToolBar *bar, const char *name, const QString &caption, const QString &hint)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setToolTip(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

QLabel *readOutField(QToolBar *bar, const char *name)
{
    auto *field = new QLabel(QStringLiteral("0"), bar);
    field->setObjectName(QLatin1String(name));
    field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    field->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    font.setBold(true);
    field->setFont(font);
    field->setAutoFillBackground(true);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Window, QColor(210, 243, 207));
    field->setPalette(palette);
    field->setMinimumWidth(50);
    return field;
}

QLabel *readOutCaption(QToolBar *bar, const char *name)
{
    auto *caption = new QLabel(bar);
    caption->setObjectName(QLatin1String(name));
    caption->setContentsMargins(6, 0, 3, 0);
    return caption;
}

enum class StyleKind { Line, Width, Fill };

// The fill value of each item of the fill list.
constexpr std::uint8_t kFillOfItem[] = {0, 1, 5, 4, 6, 7, 2, 3};

// An item of a style list shows its style, never its text.
void drawStyleItem(QPainter &painter, const QRect &rect, StyleKind kind, int item)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (kind == StyleKind::Fill) {
        static const Qt::BrushStyle patterns[] = {Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,
                                                  Qt::VerPattern,   Qt::FDiagPattern, Qt::BDiagPattern,
                                                  Qt::CrossPattern, Qt::DiagCrossPattern};
        const std::uint8_t fill = item >= 0 && item < 8 ? kFillOfItem[item] : 1;
        if (fill != 1) {
            painter.fillRect(rect, Qt::white);
            painter.setPen(QPen(Qt::black, 0));
            painter.setBrush(QBrush(Qt::black, patterns[fill]));
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
        }
    } else {
        static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
        painter.fillRect(rect, Qt::white);
        const Qt::PenStyle style = kind == StyleKind::Line && item >= 0 && item < 4 ? styles[item] : Qt::SolidLine;
        const int width = kind == StyleKind::Width ? item + 1 : 1;
        painter.setPen(QPen(Qt::black, width, style, Qt::FlatCap));
        const int y = (rect.top() + rect.bottom()) / 2;
        painter.drawLine(QPoint(rect.left(), y), QPoint(rect.right(), y));
    }
    painter.restore();
}

class StyleItemDelegate : public QStyledItemDelegate
{
public:
    StyleItemDelegate(StyleKind kind, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_kind(kind)
    {
    }
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        drawStyleItem(*painter, option.rect.adjusted(2, 1, -2, -1), m_kind, index.row());
        if (option.state & QStyle::State_Selected) {
            painter->save();
            painter->setPen(QPen(option.palette.highlight(), 2));
            painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
            painter->restore();
        }
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
    }

private:
    StyleKind m_kind;
};

class StyleList : public QComboBox
{
public:
    StyleList(StyleKind kind, QWidget *parent)
        : QComboBox(parent)
        , m_kind(kind)
    {
        setItemDelegate(new StyleItemDelegate(kind, this));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        option.currentText.clear();
        option.currentIcon = QIcon();
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        if (currentIndex() >= 0) {
            const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
            drawStyleItem(painter, field.adjusted(1, 1, -1, -1), m_kind, currentIndex());
        }
    }

private:
    StyleKind m_kind;
};

QComboBox *styleList(QWidget *parent, const char *name, const QString &hint, const QStringList &items,
                     StyleKind kind)
{
    auto *list = new StyleList(kind, parent);
    list->setObjectName(QLatin1String(name));
    list->setToolTip(hint);
    list->addItems(items);
    list->setCurrentIndex(-1);
    return list;
}

} // namespace

ImageWindow::ImageWindow(ImageWindowHost host, QWidget *parent)
    : QMainWindow(parent)
    , m_host(std::move(host))
{
    setObjectName(QStringLiteral("imageWindow"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_c.scrollBox = new QScrollArea(central);
    m_c.scrollBox->setObjectName(QStringLiteral("ScrollBox"));
    m_c.scrollBox->setFrameShape(QFrame::NoFrame);
    m_c.scrollBox->setWidgetResizable(false);
    m_c.imagen = new ImageView;
    m_c.imagen->setImage(&m_image);
    m_c.scrollBox->setWidget(m_c.imagen);
    layout->addWidget(m_c.scrollBox, 1);
    setCentralWidget(central);

    createToolBars();
    createDesignPanel();
    layout->addWidget(m_c.coolBar2);

    connect(m_c.imagen, &ImageView::pressed, this, &ImageWindow::imagePressed);
    connect(m_c.imagen, &ImageView::moved, this, &ImageWindow::imageMoved);
    connect(m_c.imagen, &ImageView::released, this, &ImageWindow::imageReleased);
    connect(m_c.imagen, &ImageView::clicked, this, &ImageWindow::imageClicked);
    connect(m_c.imagen, &ImageView::doubleClicked, this, &ImageWindow::imageDoubleClicked);

    m_pointInfo = new PointInfo(this);
    m_textDialog = new TextInputDialog(this);
    if (m_host.chooseLabelFont)
        m_textDialog->setFontChooser(m_host.chooseLabelFont);

    // The image starts as wide as the screen beside the design panel.
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    setImageWidth(std::max(screenWidth - m_c.coolBar2->width(), 2));

    if (Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr)
        setWindowTitle(document->caption);
    initialiseForDocument();
}

ImageWindow::~ImageWindow()
{
    // Closed first, so that the application's list of open pop-ups does not keep it.
    m_pointInfo->hide();
}

void ImageWindow::createToolBars()
{
    m_c.toolBar2 = addToolBar(QStringLiteral("ToolBar2"));
    m_c.toolBar2->setObjectName(QStringLiteral("ToolBar2"));
    m_c.toolBar2->setMovable(false);
    QToolBar *bar = m_c.toolBar2;
    m_c.bbData = toolButton(bar, "BBdata", QStringLiteral("Back"), QStringLiteral("Back to data window"));
    m_c.design = toolButton(bar, "ToolButton1", QStringLiteral("Design"), QStringLiteral("Show or hide the design tool"));
    m_c.bbOut = toolButton(bar, "BBout", QStringLiteral("Zoom"), QStringLiteral("Zoom less"));
    m_c.bbCenter = toolButton(bar, "BBcenter", QStringLiteral("Center"), QStringLiteral("Zoom to full triangle"));
    m_c.bbIn = toolButton(bar, "BBin", QStringLiteral("Zoom"), QStringLiteral("Zoom more"));
    m_c.dataOptions = toolButton(bar, "ToolButton2", QStringLiteral("Data"), QStringLiteral("Show data options"));
    m_c.bbOptions = toolButton(bar, "BBOptions", QStringLiteral("Options"), QStringLiteral("Show options window"));
    m_c.bbCopy = toolButton(bar, "BBCopy", QStringLiteral("Copy"), QStringLiteral("Copy image to memory"));
    m_c.bbPrint = toolButton(bar, "BBprint", QStringLiteral("Print"), QStringLiteral("Print image"));
    m_c.bbExport = toolButton(bar, "BBexport", QStringLiteral("Export"), QStringLiteral("Save image to a file"));

    connect(m_c.bbData, &QToolButton::clicked, this, &QWidget::close);
    connect(m_c.design, &QToolButton::clicked, this, &ImageWindow::toggleDesign);
    connect(m_c.bbOut, &QToolButton::clicked, this, &ImageWindow::zoomOut);
    connect(m_c.bbCenter, &QToolButton::clicked, this, [this] {
        center();
        redraw();
    });
    connect(m_c.bbIn, &QToolButton::clicked, this, &ImageWindow::zoomIn);
    connect(m_c.dataOptions, &QToolButton::clicked, this, &ImageWindow::dataOptionsRequested);
    connect(m_c.bbOptions, &QToolButton::clicked, this, &ImageWindow::triangleOptionsRequested);
    connect(m_c.bbCopy, &QToolButton::clicked, this, &ImageWindow::copyImage);
    connect(m_c.bbPrint, &QToolButton::clicked, this, &ImageWindow::print);
    connect(m_c.bbExport, &QToolButton::clicked, this, &ImageWindow::exportImage);

    addToolBarBreak();
    m_c.toolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    m_c.toolBar1->setObjectName(QStringLiteral("ToolBar1"));
    m_c.toolBar1->setMovable(false);
    static const char *captions[] = {"MarcX", "MarcY", "MarcZ", "MarcW"};
    static const char *fields[] = {"EditBottom", "EditLeft", "EditRight", "EditW"};
    for (std::size_t i = 0; i < 4; ++i) {
        m_c.marc[i] = readOutCaption(m_c.toolBar1, captions[i]);
        m_c.toolBar1->addWidget(m_c.marc[i]);
        m_c.edit[i] = readOutField(m_c.toolBar1, fields[i]);
        m_c.toolBar1->addWidget(m_c.edit[i]);
    }
}

void ImageWindow::createDesignPanel()
{
    m_c.coolBar2 = new QWidget;
    m_c.coolBar2->setObjectName(QStringLiteral("CoolBar2"));
    auto *column = new QVBoxLayout(m_c.coolBar2);
    column->setContentsMargins(2, 2, 2, 2);

    m_c.groupBox2 = new QGroupBox(QStringLiteral("Overlay"), m_c.coolBar2);
    m_c.groupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto *overlay = new QVBoxLayout(m_c.groupBox2);
    auto *tools = new QGridLayout;
    const auto tool = [&](const char *name, const QString &caption, const QString &hint, int row, int col) {
        auto *button = new QToolButton(m_c.groupBox2);
        button->setObjectName(QLatin1String(name));
        button->setText(caption);
        button->setToolTip(hint);
        button->setCheckable(true);
        button->setAutoExclusive(true);
        tools->addWidget(button, row, col);
        return button;
    };
    m_c.sbArrow = tool("SBarrow", QStringLiteral("Select"), QStringLiteral("Select a line"), 0, 0);
    m_c.sbLine = tool("SBline", QStringLiteral("Line"), QStringLiteral("Add a rect line"), 0, 1);
    m_c.sbDelete = tool("SBdelete", QStringLiteral("Delete"), QStringLiteral("Delete a line"), 0, 2);
    m_c.sbTexto = tool("SBtexto", QStringLiteral("Text"), QStringLiteral("Add a text label"), 1, 0);
    m_c.sbElipse = tool("SBelipse", QStringLiteral("Ellipse"), QStringLiteral("Add an ellipse"), 1, 1);
    m_c.sbBezier = tool("SBbezier", QStringLiteral("Curve"), QStringLiteral("Add a curve line"), 1, 2);
    m_c.sbArrow->setChecked(true);
    overlay->addLayout(tools);
    m_c.sbLinea = styleList(m_c.groupBox2, "SBlinea", QStringLiteral("Line style"),
                            {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}, StyleKind::Line);
    m_c.sbRelleno = styleList(m_c.groupBox2, "SBrelleno", QStringLiteral("Fill pattern"),
                              {QStringLiteral("Solid"), QStringLiteral("Clear"), QStringLiteral("Left Diagonal"),
                               QStringLiteral("Right Diagonal"), QStringLiteral("Cross"),
                               QStringLiteral("Diagonal Cross"), QStringLiteral("Horizontal"),
                               QStringLiteral("Vertical")},
                              StyleKind::Fill);
    m_c.sbColor = new ColorList(m_c.groupBox2);
    m_c.sbColor->setObjectName(QStringLiteral("SBcolor"));
    m_c.sbColor->setToolTip(QStringLiteral("Line color"));
    m_c.sbColor->setCurrentIndex(-1);
    m_c.sbWidth = styleList(m_c.groupBox2, "SBwidth", QStringLiteral("Line width"),
                            {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}, StyleKind::Width);
    for (QComboBox *list : {m_c.sbLinea, m_c.sbRelleno, static_cast<QComboBox *>(m_c.sbColor), m_c.sbWidth})
        overlay->addWidget(list);
    m_c.btClear = new QPushButton(QStringLiteral("Clear overlay"), m_c.groupBox2);
    m_c.btClear->setObjectName(QStringLiteral("btClear"));
    m_c.btOpenOver = new QPushButton(QStringLiteral("Open overlay"), m_c.groupBox2);
    m_c.btOpenOver->setObjectName(QStringLiteral("btOpenOver"));
    m_c.btSaveOver = new QPushButton(QStringLiteral("Save overlay"), m_c.groupBox2);
    m_c.btSaveOver->setObjectName(QStringLiteral("btSaveOver"));
    for (QPushButton *button : {m_c.btClear, m_c.btOpenOver, m_c.btSaveOver})
        overlay->addWidget(button);
    connect(m_c.sbArrow, &QToolButton::clicked, this, &ImageWindow::selectTool);
    connect(m_c.sbLine, &QToolButton::clicked, this,
            [this] { toolClicked(0, 0, diagramCursor(DiagramCursor::OpenCross)); });
    connect(m_c.sbBezier, &QToolButton::clicked, this,
            [this] { toolClicked(0, 1, diagramCursor(DiagramCursor::OpenCross)); });
    connect(m_c.sbElipse, &QToolButton::clicked, this,
            [this] { toolClicked(0, 2, diagramCursor(DiagramCursor::OpenCross)); });
    connect(m_c.sbTexto, &QToolButton::clicked, this, [this] {
        m_textDialog->setText(QString());
        toolClicked(8, 3, QCursor(Qt::IBeamCursor));
    });
    connect(m_c.sbDelete, &QToolButton::clicked, this,
            [this] { toolClicked(6, m_toolKind, QCursor(Qt::UpArrowCursor)); });
    connect(m_c.sbLinea, &QComboBox::activated, this,
            [this](int item) { styleChosen([item](VectorLine &o) { o.lineStyle = static_cast<std::uint8_t>(item); }); });
    connect(m_c.sbRelleno, &QComboBox::activated, this, [this](int item) {
        if (item >= 0 && item < 8)
            styleChosen([item](VectorLine &o) { o.fill = kFillOfItem[item]; });
    });
    connect(m_c.sbColor, &ColorList::colorChosen, this,
            [this](ColorRef color) { styleChosen([color](VectorLine &o) { o.color = color; }); });
    connect(m_c.sbWidth, &QComboBox::activated, this,
            [this](int item) { styleChosen([item](VectorLine &o) { o.width = item + 1; }); });
    connect(m_c.btClear, &QPushButton::clicked, this, &ImageWindow::clearOverlay);
    connect(m_c.btOpenOver, &QPushButton::clicked, this, &ImageWindow::openOverlayFile);
    connect(m_c.btSaveOver, &QPushButton::clicked, this, &ImageWindow::saveOverlay);

    m_c.panel3 = new QWidget(m_c.coolBar2);
    m_c.panel3->setObjectName(QStringLiteral("Panel3"));
    auto *panel = new QVBoxLayout(m_c.panel3);
    panel->setContentsMargins(0, 0, 0, 0);
    m_c.modos = new QGroupBox(QStringLiteral("Mode"), m_c.panel3);
    m_c.modos->setObjectName(QStringLiteral("Modos"));
    auto *items = new QVBoxLayout(m_c.modos);
    m_c.modeGroup = new QButtonGroup(this);
    static const char *modeNames[] = {"View mode", "Edit Overlay", "Set Subtriangle", "Move Legend"};
    for (int i = 0; i < 4; ++i) {
        auto *item = new QRadioButton(QLatin1String(modeNames[i]), m_c.modos);
        item->setObjectName(QStringLiteral("ModosItem%1").arg(i));
        m_c.modeItems[static_cast<std::size_t>(i)] = item;
        m_c.modeGroup->addButton(item, i);
        items->addWidget(item);
    }
    m_c.modeItems[0]->setChecked(true);
    panel->addWidget(m_c.modos);
    connect(m_c.modeGroup, &QButtonGroup::idToggled, this, [this](int item, bool checked) {
        if (checked)
            setMode(item);
    });

    m_c.groupBox3 = new QGroupBox(QStringLiteral("Options"), m_c.coolBar2);
    m_c.groupBox3->setObjectName(QStringLiteral("GroupBox3"));
    auto *options = new QVBoxLayout(m_c.groupBox3);
    const auto checkBox = [&](const char *name, const QString &caption) {
        auto *box = new QCheckBox(caption, m_c.groupBox3);
        box->setObjectName(QLatin1String(name));
        options->addWidget(box);
        return box;
    };
    m_c.cbSubtriangle = checkBox("CBsubtriangle", QStringLiteral("Subtriangle"));
    m_c.cbAdjust = checkBox("CBadjust", QStringLiteral("Adjust to window"));
    m_c.cbHide = checkBox("CBhide", QStringLiteral("Hide points"));
    m_c.cbHideOver = checkBox("CBhideover", QStringLiteral("Hide overlay"));
    m_c.cbClip = checkBox("CBclip", QStringLiteral("Show clipping area"));
    m_c.cbSnap = checkBox("CBsnap", QStringLiteral("Snap to integer"));
    m_c.cbAdjust->setEnabled(false);
    m_c.cbSnap->setChecked(true);
    m_c.cbSnap->setEnabled(false);
    // toggled, not clicked: the actions run also when the program changes a box.
    connect(m_c.cbSubtriangle, &QCheckBox::toggled, this, &ImageWindow::subtriangleToggled);
    connect(m_c.cbAdjust, &QCheckBox::toggled, this, &ImageWindow::adjustToggled);
    connect(m_c.cbHide, &QCheckBox::toggled, this, &ImageWindow::hideToggled);
    connect(m_c.cbHideOver, &QCheckBox::toggled, this, &ImageWindow::hideOverlayToggled);
    connect(m_c.cbClip, &QCheckBox::toggled, this, &ImageWindow::clipToggled);
    connect(m_c.cbSnap, &QCheckBox::toggled, this, &ImageWindow::snapToggled);

    const int groupWidth = std::max(static_cast<int>(1.1 * m_c.sbLinea->sizeHint().width()),
                                    static_cast<int>(1.2 * m_c.cbClip->sizeHint().width()));
    for (QWidget *group : {static_cast<QWidget *>(m_c.groupBox2), static_cast<QWidget *>(m_c.groupBox3), m_c.panel3})
        group->setFixedWidth(groupWidth);
    column->addWidget(m_c.groupBox2);
    column->addWidget(m_c.panel3);
    column->addWidget(m_c.groupBox3);
    column->addStretch(1);
    m_c.coolBar2->setFixedWidth(groupWidth + column->contentsMargins().left() + column->contentsMargins().right());
}

void ImageWindow::setImageWidth(int width)
{
    m_image = QImage(width, imageHeightFor(width), QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::white);
    m_c.imagen->setFixedSize(m_image.size());
}

void ImageWindow::initialiseForDocument()
{
    m_mode = ViewMode;
    m_c.bbIn->setEnabled(true);
    m_c.bbOut->setEnabled(true);
    m_c.bbCenter->setEnabled(true);
    enableOverlayTools(false);
    Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr;
    if (document) {
        m_c.cbSubtriangle->setEnabled(true);
        m_c.cbSubtriangle->setChecked(document->diagramSettings.fullTriangle == 0);
        if (document->diagramSettings.fullTriangle == 1) {
            m_c.cbAdjust->setEnabled(false);
            m_c.cbAdjust->setChecked(false);
        } else {
            m_c.cbAdjust->setEnabled(true);
            m_c.cbAdjust->setChecked(document->diagramSettings.adjustToWindow == 1);
        }
        m_c.cbHide->setChecked(false);
        document->diagramSettings.hidePoints = 0;
        m_c.cbHideOver->setChecked(false);
        document->diagramSettings.hideOverlay = 0;
        document->selectedOverlay = -1;
    }
    m_c.cbSnap->setEnabled(false);
    m_c.imagen->setCursor(Qt::ArrowCursor);
}

void ImageWindow::enableOverlayTools(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_c.sbArrow, m_c.sbLine, m_c.sbDelete, m_c.sbTexto, m_c.sbElipse,
                                                       m_c.sbBezier, m_c.sbLinea, m_c.sbRelleno, m_c.sbColor,
                                                       m_c.sbWidth})
        w->setEnabled(enabled);
}

void ImageWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        redraw();
}

void ImageWindow::closeEvent(QCloseEvent *event)
{
    m_pointInfo->hide();
    if (Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr) {
        if (m_host.drawThumbnail)
            m_host.drawThumbnail(*document);
    }
    emit closed();
    event->accept();
}

void ImageWindow::redraw()
{
    Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr;
    if (!document)
        return;
    {
        QPainterCanvas canvas(m_image, logicalDpiY());
        m_frame = drawDocument(*document, canvas, m_image.width(), m_image.height());
        placeOverlay(*document, m_frame, canvas);
    }
    m_drawnGeometry = document->geometry;
    m_drawnDocument = document;
    if (document != m_listenedDocument) {
        m_listenedDocument = document;
        m_changes = document->changes.connect([this](const DocumentChange &change) {
            if (change.kind != DocumentChange::PictureChanged || m_redrawPosted)
                return;
            m_redrawPosted = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_redrawPosted = false;
                    redraw();
                },
                Qt::QueuedConnection);
        });
    }
    if (m_mode == SetSubtriangleMode)
        drawQuad();
    if (m_mode == EditOverlayMode) {
        drawSelection();
        // A drag goes on after a release outside the image: its marks are drawn again, so that the
        // next move removes them instead of leaving a copy behind.
        if (m_toolState == 1)
            drawOutline(rubberBand(), Qt::SolidLine);
    }
    syncStyleLists(*document);
    updateZoomButtons();
    updateCaptions(*document);
    m_c.imagen->update();
}

void ImageWindow::updateZoomButtons()
{
    if (m_mode == SetSubtriangleMode) {
        m_c.bbIn->setEnabled(false);
        m_c.bbOut->setEnabled(false);
        m_c.bbCenter->setEnabled(false);
        return;
    }
    m_c.bbOut->setEnabled(m_zoomStep != 1);
    m_c.bbIn->setEnabled(m_zoomStep < kMaxZoomStep);
    m_c.bbCenter->setEnabled(true);
}

void ImageWindow::updateCaptions(const Document &document)
{
    // The title cell of the data column that each axis shows.
    const std::array<std::int32_t, 4> axisOfColumn = document.diagramSettings.axisOfColumns();
    for (std::size_t column = 0; column < 4; ++column) {
        const int gridColumn = document.findColumn(document.dataSettings.title(static_cast<int>(column) + 1));
        const QString title = gridColumn >= 0 ? document.table.cell(0, gridColumn) : QString();
        m_c.marc[static_cast<std::size_t>(axisOfColumn[column])]->setText(title);
    }
}

void ImageWindow::center()
{
    m_zoomStep = 1;
    centralWidget()->layout()->activate();
    setImageWidth(std::max(m_c.scrollBox->width(), 2));
}

void ImageWindow::zoomIn()
{
    if (kMaxImageWidth < m_image.width() + kZoomIncrement)
        return;
    ++m_zoomStep;
    setImageWidth(m_image.width() + kZoomIncrement);
    redraw();
}

void ImageWindow::zoomOut()
{
    if (width() - m_c.coolBar2->width() >= m_image.width() - kZoomIncrement) {
        center();
    } else {
        --m_zoomStep;
        setImageWidth(m_image.width() - kZoomIncrement);
    }
    redraw();
}

void ImageWindow::toggleDesign()
{
    m_c.coolBar2->setVisible(!m_c.coolBar2->isVisible());
    if (!m_c.coolBar2->isVisible() && m_zoomStep == 1)
        center();
    redraw();
}

void ImageWindow::subtriangleToggled(bool checked)
{
    Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr;
    if (document)
        document->diagramSettings.fullTriangle = checked ? 0 : 1;
    if (checked) {
        m_c.cbAdjust->setEnabled(true);
        m_c.cbClip->setEnabled(false);
        m_c.cbClip->setChecked(false);
    } else {
        if (document)
            document->diagramSettings.adjustToWindow = 0;
        m_c.cbAdjust->setEnabled(false);
        m_c.cbAdjust->setChecked(false);
        m_c.cbClip->setEnabled(true);
    }
    redraw();
}

namespace {

void writeSetting(Document *document, std::uint8_t DiagramSettings::*field, bool checked)
{
    if (document)
        document->diagramSettings.*field = checked ? 1 : 0;
}

} // namespace

void ImageWindow::adjustToggled(bool checked)
{
    writeSetting(m_host.activeDocument ? m_host.activeDocument() : nullptr, &DiagramSettings::adjustToWindow, checked);
    redraw();
}

void ImageWindow::hideToggled(bool checked)
{
    writeSetting(m_host.activeDocument ? m_host.activeDocument() : nullptr, &DiagramSettings::hidePoints, checked);
    redraw();
}

void ImageWindow::hideOverlayToggled(bool checked)
{
    writeSetting(m_host.activeDocument ? m_host.activeDocument() : nullptr, &DiagramSettings::hideOverlay, checked);
    redraw();
}

void ImageWindow::clipToggled(bool checked)
{
    writeSetting(m_host.activeDocument ? m_host.activeDocument() : nullptr, &DiagramSettings::showClippingArea,
                 checked);
    redraw();
}

void ImageWindow::snapToggled(bool checked)
{
    writeSetting(m_host.activeDocument ? m_host.activeDocument() : nullptr, &DiagramSettings::snapToInteger, checked);
    redraw();
}

void ImageWindow::selectTool()
{
    m_c.sbArrow->setChecked(true);
    m_c.imagen->setCursor(diagramCursor(DiagramCursor::Ring));
    m_toolState = 2;
    redraw();
}

void ImageWindow::setMode(int item)
{
    Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr;
    switch (item) {
    case 0:
        m_mode = ViewMode;
        m_c.imagen->setCursor(Qt::ArrowCursor);
        enableOverlayTools(false);
        m_c.cbSnap->setEnabled(false);
        m_c.cbSubtriangle->setEnabled(true);
        m_c.cbHideOver->setEnabled(true);
        m_c.cbClip->setEnabled(true);
        break;
    case 1:
        m_mode = EditOverlayMode;
        enableOverlayTools(true);
        m_c.cbSnap->setEnabled(true);
        // The overlay is always edited on the whole diagram, with the overlay shown. "Subtriangle"
        // goes first: unchecking it enables "Show clipping area".
        m_c.cbSubtriangle->setChecked(false);
        m_c.cbSubtriangle->setEnabled(false);
        m_c.cbClip->setChecked(false);
        m_c.cbClip->setEnabled(false);
        m_c.cbHideOver->setChecked(false);
        m_c.cbHideOver->setEnabled(false);
        // Keeps the selection; the select tool redraws.
        selectTool();
        return;
    case 2:
        m_mode = SetSubtriangleMode;
        m_c.imagen->setCursor(diagramCursor(DiagramCursor::Ring));
        // The overlay tools belong to Edit Overlay mode only.
        enableOverlayTools(false);
        m_c.cbSnap->setEnabled(false);
        m_c.cbSubtriangle->setChecked(false);
        // The corners are dragged on the unfitted whole triangle, also when the stored settings
        // held a fit without the subtriangle view.
        if (document) {
            document->diagramSettings.fullTriangle = 1;
            document->diagramSettings.adjustToWindow = 0;
        }
        center();
        m_c.cbSubtriangle->setEnabled(false);
        m_c.cbClip->setEnabled(false);
        m_c.cbClip->setChecked(false);
        m_c.cbHideOver->setEnabled(true);
        break;
    case 3:
        m_mode = MoveLegendMode;
        m_c.imagen->setCursor(diagramCursor(DiagramCursor::Corner));
        enableOverlayTools(false);
        m_c.cbSnap->setEnabled(false);
        m_c.cbSubtriangle->setEnabled(false);
        m_c.cbClip->setEnabled(false);
        m_c.cbClip->setChecked(false);
        m_c.cbHideOver->setEnabled(true);
        break;
    default:
        return;
    }
    if (document)
        document->selectedOverlay = -1;
    redraw();
}

Document *ImageWindow::documentForMouse()
{
    Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr;
    // Another document became active since the last drawing: its frame is drawn first.
    if (document && document != m_drawnDocument)
        redraw();
    return document;
}

void ImageWindow::imagePressed(QMouseEvent *event)
{
    Document *document = documentForMouse();
    if (!document)
        return;
    const QPoint p = event->position().toPoint();
    if (m_mode == SetSubtriangleMode)
        pressQuad(p.x(), p.y());
    else if (m_mode == EditOverlayMode)
        overlayPress(*document, p.x(), p.y());
}

void ImageWindow::imageMoved(QMouseEvent *event)
{
    Document *document = documentForMouse();
    if (!document)
        return;
    const QPoint p = event->position().toPoint();
    readOut(p.x(), p.y());
    if (m_mode == SetSubtriangleMode)
        moveQuad(p.x(), p.y(), event->buttons() & Qt::LeftButton);
    else if (m_mode == EditOverlayMode)
        overlayMove(*document, p.x(), p.y(), event->buttons() & Qt::LeftButton);
}

void ImageWindow::imageClicked(QMouseEvent *)
{
    if (m_mode == ViewMode)
        showPointInfo();
}

void ImageWindow::imageReleased(QMouseEvent *event)
{
    Document *document = documentForMouse();
    if (!document)
        return;
    const QPoint p = event->position().toPoint();
    if (m_mode == SetSubtriangleMode) {
        document->modified = true;
    } else if (m_mode == MoveLegendMode) {
        document->diagramSettings.legendX = static_cast<float>(p.x()) / static_cast<float>(m_image.width());
        document->diagramSettings.legendY = static_cast<float>(p.y()) / static_cast<float>(m_image.height());
        document->modified = true;
    } else if (m_mode == EditOverlayMode) {
        overlayRelease(*document, p.x(), p.y());
    }
    redraw();
}

void ImageWindow::readOut(int x, int y)
{
    Document *document = m_drawnDocument;
    if (!document)
        return;
    const ReadOut out = readOutAt(m_frame, document->diagramSettings, x, y, m_c.cbAdjust->isChecked(),
                                  document->locale());
    m_cursor = out.position;
    for (std::size_t i = 0; i < 4; ++i)
        m_c.edit[i]->setText(out.texts[i]);
}

void ImageWindow::showPointInfo()
{
    Document *document = m_drawnDocument;
    if (!document)
        return;
    const std::vector<NearSample> near = samplesNear(document->samples, m_cursor);
    if (near.empty())
        return;
    const std::array<QString, 4> captions{m_c.marc[0]->text(), m_c.marc[1]->text(), m_c.marc[2]->text(),
                                          m_c.marc[3]->text()};
    m_pointInfo->showLines(pointInfoLines(document->samples, near, captions, document->locale()), QCursor::pos());
}

void ImageWindow::drawQuad()
{
    std::array<QPoint, 4> corners;
    for (std::size_t i = 0; i < 4; ++i) {
        const IntPoint p = truncated(m_drawnGeometry.clipPixels[i]);
        corners[i] = QPoint(p.x, p.y);
    }
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Not-xor with white leaves a pixel as it is: every mark is a pure inversion of the pixels it
    // touches, so a second drawing restores them.
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    const QPolygon quad(QList<QPoint>(corners.begin(), corners.end()));
    // The red hatch rising left to right, eight pixels apart, drawn line by line inside the
    // quadrilateral: a pattern brush would invert the gaps between its lines as well.
    painter.save();
    painter.setClipRegion(QRegion(quad));
    painter.setPen(QPen(Qt::red, 0));
    const QRect box = quad.boundingRect();
    const int first = box.left() + box.top();
    for (int c = first - ((first % 8) + 8) % 8; c <= box.right() + box.bottom(); c += 8) {
        // x + y = c: the line from the bottom edge of the box up to its top edge.
        painter.drawLine(QPoint(c - box.bottom(), box.bottom()), QPoint(c - box.top(), box.top()));
    }
    painter.restore();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(quad);
    painter.setPen(QPen(Qt::blue, 0));
    for (const QPoint &c : corners) {
        // The corner handle covers c - 4 up to c + 3, as a rectangle without its right and bottom.
        painter.drawRect(QRect(c.x() - 4, c.y() - 4, 7, 7));
    }
    painter.end();
    m_c.imagen->update();
}

namespace {

QPoint qPoint(IntPoint p)
{
    return {p.x, p.y};
}

// A handle square, drawn as the corner handles of the clipping mark are.
void drawHandle(QPainter &painter, IntPoint p)
{
    painter.drawRect(QRect(p.x - 4, p.y - 4, 7, 7));
}

void strokeObject(QPainter &painter, const VectorLine &object)
{
    const QPoint o = qPoint(object.pixOrigin), d = qPoint(object.pixDest);
    // The band of a press not yet moved has no length and leaves no pixel behind.
    if (o == d && (object.kind == 'r' || object.kind == 'e'))
        return;
    switch (object.kind) {
    case 'b': {
        QPainterPath path(o);
        path.cubicTo(qPoint(object.pixCtrl1), qPoint(object.pixCtrl2), d);
        painter.drawPath(path);
        break;
    }
    case 'e': painter.drawEllipse(QRect(o, d).normalized()); break;
    case 't':
        painter.drawPolygon(QPolygon({o, qPoint(object.pixCtrl1), d, qPoint(object.pixCtrl2)}));
        break;
    default: painter.drawLine(o, d); break;
    }
}

bool near(IntPoint p, int x, int y)
{
    return std::abs(x - p.x) <= 25 && std::abs(y - p.y) <= 25;
}

} // namespace

void ImageWindow::drawSelection()
{
    Document *document = m_drawnDocument;
    const VectorLine *object = document ? selectedObject(*document) : nullptr;
    if (!object)
        return;
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::blue, 0));
    if (object->kind != 't') {
        drawHandle(painter, object->pixOrigin);
        drawHandle(painter, object->pixDest);
    }
    if (object->kind == 'b') {
        drawHandle(painter, object->pixCtrl1);
        drawHandle(painter, object->pixCtrl2);
    }
    painter.setPen(QPen(Qt::red, 0, Qt::DotLine));
    if (object->kind == 'b' || object->kind == 'e')
        painter.drawLine(qPoint(object->pixOrigin), qPoint(object->pixDest));
    else if (object->kind == 't')
        strokeObject(painter, *object);
    painter.end();
    m_c.imagen->update();
}

void ImageWindow::drawOutline(const VectorLine &object, Qt::PenStyle style)
{
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 0, style));
    strokeObject(painter, object);
    painter.end();
    m_c.imagen->update();
}

VectorLine *ImageWindow::selectedObject(Document &document) const
{
    const int i = document.selectedOverlay;
    if (i < 0 || i >= static_cast<int>(document.overlayList.size()))
        return nullptr;
    return &document.overlayList[static_cast<std::size_t>(i)];
}

VectorLine ImageWindow::rubberBand() const
{
    // The band of a curve is its chord.
    return newOverlayObject(m_toolKind == 2 ? 'e' : 'r', {m_newStartX, m_newStartY}, {m_newEndX, m_newEndY});
}

void ImageWindow::toolClicked(int state, int kind, const QCursor &cursor)
{
    m_c.imagen->setCursor(cursor);
    m_toolState = state;
    m_toolKind = kind;
    if (Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr)
        document->selectedOverlay = -1;
    redraw();
}

void ImageWindow::overlayPress(Document &document, int x, int y)
{
    switch (m_toolState) {
    case 0:
        m_newStartX = m_newEndX = x;
        m_newStartY = m_newEndY = y;
        m_toolState = 1;
        break;
    case 2:
    case 6: {
        const std::optional<int> i = pickObject(document.overlayList, x, y);
        m_pressX = x;
        m_pressY = y;
        document.selectedOverlay = i.value_or(-1);
        if (i) {
            drawSelection();
            m_toolState = m_toolState == 2 ? 3 : 7;
        }
        break;
    }
    case 7: {
        const std::optional<int> i = pickObject(document.overlayList, x, y);
        m_pressX = x;
        m_pressY = y;
        if (i && *i == document.selectedOverlay)
            document.overlayList.erase(document.overlayList.begin() + *i);
        document.selectedOverlay = -1;
        redraw();
        if (!document.overlayList.empty()) {
            m_toolState = 6;
        } else {
            m_c.sbArrow->setChecked(true);
            selectTool();
        }
        break;
    }
    case 3: {
        const VectorLine *object = selectedObject(document);
        if (!object) {
            m_toolState = 2;
            break;
        }
        std::optional<int> handle;
        if (object->kind == 'r' || object->kind == 'e') {
            if (near(object->pixOrigin, x, y))
                handle = 0;
            else if (near(object->pixDest, x, y))
                handle = 1;
        } else if (object->kind == 'b') {
            // The later handle wins where several are near.
            const IntPoint points[] = {object->pixOrigin, object->pixDest, object->pixCtrl1, object->pixCtrl2};
            for (int h = 0; h < 4; ++h) {
                if (near(points[h], x, y))
                    handle = h;
            }
        }
        if (handle) {
            m_handleIndex = *handle;
            m_toolState = 5;
        } else if (object->segmentDistance(x, y)) {
            m_toolState = 4;
        } else {
            document.selectedOverlay = -1;
            m_toolState = 2;
            redraw();
        }
        break;
    }
    case 8:
        m_pressX = x;
        m_pressY = y;
        askLabel(document, false);
        break;
    default: break;
    }
}

void ImageWindow::imageDoubleClicked(QMouseEvent *)
{
    Document *document = documentForMouse();
    if (!document || m_mode != EditOverlayMode)
        return;
    const VectorLine *object = selectedObject(*document);
    if (!object || object->kind != 't' || m_toolState == 7)
        return;
    m_textDialog->setText(object->text);
    askLabel(*document, true);
}

void ImageWindow::askLabel(Document &document, bool editSelected)
{
    m_textDialog->ask(document, {m_pressX, m_pressY}, m_frame, editSelected, m_c.cbSnap->isChecked());
    // OK and Cancel alike end with the select tool.
    m_c.sbArrow->setChecked(true);
    m_c.imagen->setCursor(diagramCursor(DiagramCursor::Ring));
    m_toolState = 2;
    document.selectedOverlay = -1;
    redraw();
}

void ImageWindow::overlayMove(Document &document, int x, int y, bool leftHeld)
{
    if (m_toolState == 1) {
        drawOutline(rubberBand(), Qt::SolidLine);
        m_newEndX = x;
        m_newEndY = y;
        drawOutline(rubberBand(), Qt::SolidLine);
        return;
    }
    VectorLine *object = selectedObject(document);
    if (!object)
        return;
    if (m_toolState == 3) {
        if (leftHeld)
            m_toolState = 4;
        return;
    }
    if (m_toolState != 4 && !(m_toolState == 5 && object->kind != 't'))
        return;
    // A dotted object moves as a dashed outline, so that the outline stays visible on it.
    const Qt::PenStyle style = object->lineStyle == 2 ? Qt::DashLine : Qt::DotLine;
    drawSelection();
    drawOutline(*object, style);
    if (m_toolState == 4) {
        object->translateTo(x, y);
    } else {
        static constexpr char handles[] = {'O', 'D', '1', '2'};
        object->moveHandle(handles[m_handleIndex & 3], x, y);
    }
    drawSelection();
    drawOutline(*object, style);
}

void ImageWindow::overlayRelease(Document &document, int x, int y)
{
    // A release outside the image leaves the operation going until a release inside it.
    if (x <= 0 || x >= m_image.width() || y <= 0 || y >= m_image.height())
        return;
    const bool snap = m_c.cbSnap->isChecked();
    if (m_toolState == 1) {
        static constexpr char kinds[] = {'r', 'b', 'e'};
        m_newEndX = x;
        m_newEndY = y;
        VectorLine object = newOverlayObject(kinds[std::clamp(m_toolKind, 0, 2)], {m_newStartX, m_newStartY},
                                             {m_newEndX, m_newEndY});
        document.modified = true;
        m_toolState = 0;
        object.toTernary(m_frame, snap);
        if (object.pixOrigin.x == object.pixDest.x && object.pixOrigin.y == object.pixDest.y)
            warn(QStringLiteral("line too small"));
        else
            document.overlayList.push_back(std::move(object));
    } else if (m_toolState == 4 || m_toolState == 5) {
        if (VectorLine *object = selectedObject(document))
            object->toTernary(m_frame, snap);
        document.modified = true;
        m_toolState = 3;
    }
}

void ImageWindow::syncStyleLists(Document &document)
{
    const VectorLine *object = m_mode == EditOverlayMode ? selectedObject(document) : nullptr;
    if (!object) {
        for (QComboBox *list : {m_c.sbLinea, m_c.sbRelleno, static_cast<QComboBox *>(m_c.sbColor), m_c.sbWidth}) {
            list->setEnabled(false);
            list->setCurrentIndex(-1);
        }
    } else if (m_toolState == 3 || m_toolState == 7) {
        if (object->kind != 't') {
            m_c.sbLinea->setEnabled(true);
            m_c.sbLinea->setCurrentIndex(object->lineStyle <= 3 ? object->lineStyle : 0);
            m_c.sbWidth->setEnabled(true);
            if (object->width >= 0 && object->width <= 3)
                m_c.sbWidth->setCurrentIndex(std::max(object->width - 1, 0));
        }
        if (object->kind == 'e') {
            // The list's item of each fill value.
            static constexpr int items[] = {0, 1, 6, 7, 3, 2, 4, 5};
            m_c.sbRelleno->setEnabled(true);
            if (object->fill < 8)
                m_c.sbRelleno->setCurrentIndex(items[object->fill]);
        }
        m_c.sbColor->setEnabled(true);
        m_c.sbColor->setColor(object->color);
    }
    const bool any = !document.overlayList.empty();
    m_c.btClear->setEnabled(any);
    m_c.btSaveOver->setEnabled(any);
}

void ImageWindow::styleChosen(const std::function<void(VectorLine &)> &write)
{
    Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr;
    VectorLine *object = document ? selectedObject(*document) : nullptr;
    if (!object)
        return;
    write(*object);
    redraw();
}

void ImageWindow::clearOverlay()
{
    Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr;
    if (!document)
        return;
    // Every object is lost at once: the user confirms first.
    if (m_host.prompt && !m_host.prompt->askOkCancel(QStringLiteral("Delete all the objects of the overlay?"),
                                                      QStringLiteral("Confirm")))
        return;
    document->overlayList.clear();
    document->modified = true;
    document->selectedOverlay = -1;
    redraw();
}

void ImageWindow::openOverlayFile()
{
    Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr;
    if (!document)
        return;
    std::optional<std::pair<QString, OverlayFileType>> chosen;
    if (m_host.chooseOverlayToOpen) {
        chosen = m_host.chooseOverlayToOpen();
    } else {
        const QString extended = QStringLiteral("Extended Overlay files (*.xvl)");
        QString filter = extended;
        const QString name = QFileDialog::getOpenFileName(
            this, QStringLiteral("Open overlay"), QString(),
            extended + QStringLiteral(";;Overlay files (*.ovl)"), &filter);
        if (!name.isEmpty())
            chosen.emplace(name, filter == extended ? OverlayFileType::Extended : OverlayFileType::Text);
    }
    if (!chosen)
        return;
    m_c.modeItems[0]->setChecked(true);
    const OverlayResult result = openOverlay(*document, chosen->first, chosen->second);
    if (!result.ok)
        warn(result.message);
    redraw();
}

void ImageWindow::saveOverlay()
{
    Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr;
    if (!document || document->overlayList.empty())
        return;
    const QString name = m_host.chooseOverlayToSave
                             ? m_host.chooseOverlayToSave()
                             : QFileDialog::getSaveFileName(this, QStringLiteral("Save overlay"), QString(),
                                                            QStringLiteral("Extended Overlay files (*.xvl)"));
    if (!name.isEmpty()) {
        const OverlaySaveResult result = saveOverlayFile(document->overlayList, name);
        if (!result.ok) {
            warn(kErrorWrittingFileMessage);
        } else if (!result.changedTexts.empty()) {
            // The file's fields are fixed: say which texts did not go in whole.
            QStringList lines;
            for (const OverlayTextChange &change : result.changedTexts)
                lines.append(QStringLiteral("Object %1: the %2 was cut or changed to fit the file.")
                                 .arg(change.object + 1)
                                 .arg(change.fontName ? QStringLiteral("font name") : QStringLiteral("label text")));
            warn(lines.join(QLatin1Char('\n')));
        }
    }
    document->selectedOverlay = -1;
    redraw();
}

void ImageWindow::pressQuad(int x, int y)
{
    m_lastX = x;
    m_lastY = y;
    double best = 1e8;
    for (int i = 0; i < 4; ++i) {
        const IntPoint c = truncated(m_drawnGeometry.clipPixels[static_cast<std::size_t>(i)]);
        const double d = std::hypot(static_cast<double>(x - c.x), static_cast<double>(y - c.y));
        if (d < best) {
            best = d;
            m_cornerIndex = i;
        }
    }
    m_dragWholeQuad = best >= 25;
}

void ImageWindow::moveQuad(int x, int y, bool leftHeld)
{
    const int dx = x - m_lastX, dy = y - m_lastY;
    m_lastX = x;
    m_lastY = y;
    if (!leftHeld)
        return;
    drawQuad();
    if (m_dragWholeQuad) {
        for (PointF &c : m_drawnGeometry.clipPixels) {
            c.x += static_cast<float>(dx);
            c.y += static_cast<float>(dy);
        }
        m_drawnGeometry.pixelsToClipCorners();
    } else if (m_drawnGeometry.cornerMoveKeepsConvex(x, y, m_cornerIndex)) {
        m_drawnGeometry.clipPixels[static_cast<std::size_t>(m_cornerIndex)] = {static_cast<float>(x),
                                                                                 static_cast<float>(y)};
        m_drawnGeometry.pixelsToClipCorners();
    }
    storeClipCorners();
    drawQuad();
}

void ImageWindow::storeClipCorners()
{
    if (m_drawnDocument)
        m_drawnDocument->geometry.clipCorners = m_drawnGeometry.clipCorners;
}

void ImageWindow::warn(const QString &text)
{
    if (m_host.prompt)
        m_host.prompt->warn(text, QStringLiteral("Warning"));
}

void ImageWindow::copyImage()
{
    const CopySettings settings = m_host.copySettings ? m_host.copySettings() : CopySettings{};
    if (settings.copyAsMetafile)
        copyAsPicture();
    else
        copyAsBitmap();
}

namespace {

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "PNG");
    return bytes;
}

} // namespace

void ImageWindow::copyAsBitmap()
{
    if (!m_host.activeDocument || !m_host.activeDocument())
        return;
    redraw();
    auto *data = new QMimeData;
    const QImage picture = m_image.convertToFormat(QImage::Format_RGB32);
    data->setImageData(picture);
    data->setData(QStringLiteral("image/png"), pngBytes(picture));
    QGuiApplication::clipboard()->setMimeData(data);
}

QSize ImageWindow::pictureSize(int dpi)
{
    // 7 inches by 7 / 1.3 (5.384615) inches, held in hundredths of a millimetre.
    const int widthHmm = static_cast<int>(7 * 2.54 * 1000);
    const int heightHmm = static_cast<int>(5.384615f * 2.54 * 1000);
    return {widthHmm * dpi / 2540, heightHmm * dpi / 2540};
}

void ImageWindow::copyAsPicture(int dpi)
{
    Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr;
    if (!document)
        return;
    if (dpi <= 0)
        dpi = logicalDpiY();
    const CopySettings settings = m_host.copySettings ? m_host.copySettings() : CopySettings{};
    quarvel::RenderFlags flags;
    flags.convertSymbols = settings.convertSymbolsToGraphics;
    flags.thinPenWidth = settings.fixDotLines ? 1 : 0;
    const QSize size = pictureSize(dpi);

    QByteArray svgBytes;
    {
        QBuffer buffer(&svgBytes);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(dpi);
        svg.setTitle(QStringLiteral("Quarvel"));
        svg.setDescription(QStringLiteral("Data"));
        QPainterCanvas canvas(&svg, dpi);
        drawDocument(*document, canvas, size.width(), size.height(), flags);
    }
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    {
        QPainterCanvas canvas(picture, dpi);
        drawDocument(*document, canvas, size.width(), size.height(), flags);
    }
    auto *data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), svgBytes);
    const QImage flat = picture.convertToFormat(QImage::Format_RGB32);
    data->setImageData(flat);
    data->setData(QStringLiteral("image/png"), pngBytes(flat));
    QGuiApplication::clipboard()->setMimeData(data);
    // The document's geometry is laid out for the screen again.
    redraw();
}

void ImageWindow::print()
{
    if (!m_host.activeDocument || !m_host.activeDocument())
        return;
    QPrinter printer(QPrinter::ScreenResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printTo(printer);
}

bool ImageWindow::printTo(QPrinter &printer)
{
    Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr;
    if (!document)
        return false;
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    const QString date = locale.toString(now.date(), QLocale::ShortFormat);
    const QString time = locale.toString(now.time(), QLocale::LongFormat);
    const QString fileName = m_host.currentFileName ? m_host.currentFileName() : QString();
    bool printed = false;
    {
        QPainterCanvas canvas(&printer, printer.resolution());
        if (canvas.painter().isActive()) {
            const int pageWidth = printer.width();
            const int pageHeight = printer.height();
            drawDocument(*document, canvas, pageWidth, pageHeight);
            CanvasFont footer;
            footer.face = QStringLiteral("Arial");
            footer.size = 10;
            canvas.setFont(footer);
            const int y = pageHeight - 100;
            canvas.textOut(1, y, date);
            canvas.textOut(canvas.textWidth(date) + 50, y, time);
            canvas.textOut(pageWidth - canvas.textWidth(fileName) - 5, y, fileName);
            printed = canvas.painter().end();
        }
    }
    redraw();
    if (!printed)
        warn(QStringLiteral("The image could not be printed."));
    return printed;
}

bool ImageWindow::exportTo(const QString &path, int width)
{
    Document *document = m_host.activeDocument ? m_host.activeDocument() : nullptr;
    if (!document)
        return false;
    const std::optional<ExportFormat> format = exportFormatFromPath(path);
    if (!format) {
        warn(QStringLiteral("Export needs a file name ending in .png, .svg or .pdf."));
        return false;
    }
    ExportOptions options;
    options.width = width;
    options.dpi = logicalDpiY();
    const QString problem = exportDocument(*document, path, *format, options);
    redraw();
    if (!problem.isEmpty()) {
        warn(QStringLiteral("Error writing file: ") + problem);
        return false;
    }
    return true;
}

void ImageWindow::exportImage()
{
    if (!m_host.activeDocument || !m_host.activeDocument())
        return;
    QString filter;
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export"), QString(),
        QStringLiteral("PNG image (*.png);;SVG picture (*.svg);;PDF document (*.pdf)"), &filter);
    if (path.isEmpty())
        return;
    QString chosen = path;
    if (!exportFormatFromPath(chosen)) {
        if (filter.contains(QLatin1String("*.svg")))
            chosen += QStringLiteral(".svg");
        else if (filter.contains(QLatin1String("*.pdf")))
            chosen += QStringLiteral(".pdf");
        else
            chosen += QStringLiteral(".png");
    }
    QDialog sizeDialog(this);
    sizeDialog.setWindowTitle(QStringLiteral("Export"));
    auto *form = new QFormLayout(&sizeDialog);
    auto *widthBox = new QSpinBox(&sizeDialog);
    widthBox->setObjectName(QStringLiteral("exportWidth"));
    widthBox->setRange(2, 20000);
    widthBox->setValue(m_image.width());
    widthBox->setSuffix(QStringLiteral(" pixels"));
    form->addRow(QStringLiteral("Width"), widthBox);
    auto *heightLabel = new QLabel(&sizeDialog);
    const auto showHeight = [heightLabel](int w) { heightLabel->setText(QString::number(imageHeightFor(w)) + QStringLiteral(" pixels")); };
    showHeight(widthBox->value());
    connect(widthBox, &QSpinBox::valueChanged, heightLabel, showHeight);
    form->addRow(QStringLiteral("Height"), heightLabel);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &sizeDialog);
    connect(buttons, &QDialogButtonBox::accepted, &sizeDialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &sizeDialog, &QDialog::reject);
    form->addRow(buttons);
    if (sizeDialog.exec() != QDialog::Accepted)
        return;
    exportTo(chosen, widthBox->value());
}

} // namespace quarvel
