#pragma once

#include "core/diagram_frame.h"
#include "core/diagram_geometry.h"
#include "core/document.h"
#include "core/user_prompt.h"
#include "core/vector_line.h"
#include "files/overlay_files.h"
#include "ui/color_list.h"
#include "ui/copy_settings.h"
#include "ui/font_choice.h"
#include "ui/point_info.h"

#include <array>
#include <functional>
#include <optional>

#include <QImage>
#include <QMainWindow>
#include <QString>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QCursor;
class QGroupBox;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QToolBar;
class QToolButton;

namespace quarvel {

// What the image window needs from the rest of the program. It keeps no document of its own: every
// operation asks for the active one.
struct ImageWindowHost
{
    std::function<Document *()> activeDocument;
    // The active document window draws its thumbnail again (on closing).
    std::function<void(Document &)> drawThumbnail;
    // The file last opened or saved, for the printed footer.
    std::function<QString()> currentFileName;
    // The options dialog's copy settings; their defaults until it provides them.
    std::function<CopySettings()> copySettings;
    // Messages of failed prints and exports; none are shown when null.
    UserPrompt *prompt = nullptr;
    // The overlay file dialogs; the platform's when null. Opening gives the name and the type the
    // user chose, nothing when cancelled; saving gives an empty name when cancelled.
    std::function<std::optional<std::pair<QString, OverlayFileType>>()> chooseOverlayToOpen;
    std::function<QString()> chooseOverlayToSave;
    // The font dialog of the text input dialog; the program's own when null.
    FontChooser chooseLabelFont;
};

// The image of the window: shows the diagram bitmap and hands its mouse events to the window.
class TextInputDialog;

class ImageView : public QWidget
{
    Q_OBJECT

public:
    explicit ImageView(QWidget *parent = nullptr);
    void setImage(const QImage *image) { m_image = image; }

signals:
    void pressed(QMouseEvent *event);
    void moved(QMouseEvent *event);
    void released(QMouseEvent *event);
    void clicked(QMouseEvent *event);
    void doubleClicked(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    const QImage *m_image = nullptr;
    bool m_clickPending = false;
};

// The image window: the diagram of the active document at a chosen zoom, its view options and
// modes, the coordinate read-out, point information, subtriangle and legend placement, copy,
// print and export. A top-level window; it deletes itself when closed.
class ImageWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The interaction modes. The radio items list them in another order: View, Edit Overlay,
    // Set Subtriangle, Move Legend.
    enum Mode { ViewMode = 0, EditOverlayMode = 1, MoveLegendMode = 2, SetSubtriangleMode = 3 };
    static constexpr int kMaxImageWidth = 4096;
    static constexpr int kZoomIncrement = 600;
    static constexpr int kMaxZoomStep = 6;

    explicit ImageWindow(ImageWindowHost host, QWidget *parent = nullptr);
    ~ImageWindow() override;

    // The one drawing of the window: the active document at the image's size, then the marks of
    // the mode. Does nothing without an active document.
    void redraw();

    void zoomIn();
    void zoomOut();
    void center();
    void toggleDesign();

    // "Copy": a picture or a bitmap, as the copy settings say.
    void copyImage();
    void copyAsBitmap();
    // The diagram drawn afresh 7 inches wide at `dpi` (the window's own when 0), as SVG with a PNG
    // of the same drawing.
    void copyAsPicture(int dpi = 0);
    // "Print": the print dialog, then printTo.
    void print();
    // Draws the page and its footer; false (with a message) when the printer cannot be used.
    bool printTo(QPrinter &printer);
    // "Export": asks for a file and a width, then exportTo.
    void exportImage();
    // Writes PNG, SVG or PDF by the file's extension; false (with a message) on failure.
    bool exportTo(const QString &path, int width);

    // The size the copy as picture draws at for `dpi` pixels per inch.
    static QSize pictureSize(int dpi);

    const QImage &image() const { return m_image; }
    int imageWidth() const { return m_image.width(); }
    int imageHeight() const { return m_image.height(); }
    int zoomStep() const { return m_zoomStep; }
    Mode mode() const { return m_mode; }
    const DrawnFrame &frame() const { return m_frame; }
    const DiagramGeometry &drawnGeometry() const { return m_drawnGeometry; }
    const CursorPosition &cursorPosition() const { return m_cursor; }
    int pressX() const { return m_pressX; }
    int pressY() const { return m_pressY; }
    PointInfo *pointInfo() const { return m_pointInfo; }
    TextInputDialog *textDialog() const { return m_textDialog; }

    // The clipping quadrilateral's mark, drawn in not-xor straight onto the image: a second call
    // removes it.
    void drawQuad();

    // The overlay editor's state: 0 ready to draw, 1 drawing, 2 select, 3 selected, 4 moving,
    // 5 dragging a handle, 6 delete, 7 marked for deletion, 8 waiting for a label's position.
    int toolState() const { return m_toolState; }
    int toolKind() const { return m_toolKind; }
    int handleIndex() const { return m_handleIndex; }
    // The marks of the selected object and an object's outline, in not-xor straight onto the
    // image like drawQuad: a second call removes them.
    void drawSelection();
    void drawOutline(const VectorLine &object, Qt::PenStyle style);

signals:
    void dataOptionsRequested();
    void triangleOptionsRequested();
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createToolBars();
    void createDesignPanel();
    void initialiseForDocument();
    void setImageWidth(int width);
    void updateZoomButtons();
    void updateCaptions(const Document &document);
    void setMode(int item);
    void enableOverlayTools(bool enabled);
    void selectTool();
    Document *documentForMouse();

    void subtriangleToggled(bool checked);
    void adjustToggled(bool checked);
    void hideToggled(bool checked);
    void hideOverlayToggled(bool checked);
    void clipToggled(bool checked);
    void snapToggled(bool checked);

    void imagePressed(QMouseEvent *event);
    void imageMoved(QMouseEvent *event);
    void imageReleased(QMouseEvent *event);
    void imageClicked(QMouseEvent *event);

    void toolClicked(int state, int kind, const QCursor &cursor);
    void overlayPress(Document &document, int x, int y);
    void overlayMove(Document &document, int x, int y, bool leftHeld);
    void overlayRelease(Document &document, int x, int y);
    VectorLine *selectedObject(Document &document) const;
    VectorLine rubberBand() const;
    void syncStyleLists(Document &document);
    void styleChosen(const std::function<void(VectorLine &)> &write);
    void clearOverlay();
    void imageDoubleClicked(QMouseEvent *event);
    void askLabel(Document &document, bool editSelected);
    void openOverlayFile();
    void saveOverlay();

    void readOut(int x, int y);
    void showPointInfo();
    void pressQuad(int x, int y);
    void moveQuad(int x, int y, bool leftHeld);
    void storeClipCorners();
    void warn(const QString &text);

    ImageWindowHost m_host;
    QImage m_image;
    DrawnFrame m_frame;
    // The geometry as the last screen drawing laid it out, for the mouse: a thumbnail, copy, print
    // or export lays the document's own geometry out for another size in between.
    DiagramGeometry m_drawnGeometry;
    Document *m_drawnDocument = nullptr;
    // The drawn document's reports: a changed picture (its refresh ends with one) is drawn again
    // once the report's command is over.
    DocumentChanges::Connection m_changes;
    Document *m_listenedDocument = nullptr;
    bool m_redrawPosted = false;
    int m_zoomStep = 1;
    Mode m_mode = ViewMode;

    int m_toolState = 2;
    int m_toolKind = 0;
    int m_handleIndex = 0;
    int m_pressX = 0, m_pressY = 0;
    int m_newStartX = 0, m_newStartY = 0, m_newEndX = 0, m_newEndY = 0;
    int m_lastX = 0, m_lastY = 0;
    int m_cornerIndex = 0;
    bool m_dragWholeQuad = false;
    CursorPosition m_cursor;

public:
    // The controls by their names, for the dialogs that plug in and for tests.
    struct Controls
    {
        QScrollArea *scrollBox;
        ImageView *imagen;
        QToolBar *toolBar2, *toolBar1;
        QToolButton *bbData, *design, *bbOut, *bbCenter, *bbIn, *dataOptions, *bbOptions, *bbCopy, *bbPrint,
            *bbExport;
        std::array<QLabel *, 4> marc;
        std::array<QLabel *, 4> edit; // EditBottom, EditLeft, EditRight, EditW
        QWidget *coolBar2;
        QGroupBox *groupBox2, *groupBox3, *modos;
        QWidget *panel3;
        QToolButton *sbArrow, *sbLine, *sbDelete, *sbTexto, *sbElipse, *sbBezier;
        QComboBox *sbLinea, *sbRelleno, *sbWidth;
        ColorList *sbColor;
        QPushButton *btClear, *btOpenOver, *btSaveOver;
        QButtonGroup *modeGroup;
        std::array<QRadioButton *, 4> modeItems;
        QCheckBox *cbSubtriangle, *cbAdjust, *cbHide, *cbHideOver, *cbClip, *cbSnap;
    };
    const Controls &controls() const { return m_c; }

private:
    Controls m_c{};
    PointInfo *m_pointInfo = nullptr;
    TextInputDialog *m_textDialog = nullptr;
};

} // namespace quarvel
