#include "ui/program_windows.h"

#include "core/document.h"
#include "ui/data_options_dialog.h"
#include "ui/data_window.h"
#include "ui/image_window.h"
#include "ui/main_window.h"
#include "ui/triangle_options_dialog.h"

namespace quarvel {

ProgramWindows::ProgramWindows(MainWindow &mainWindow)
    : QObject(nullptr),
      m_mainWindow(mainWindow),
      m_triangleOptions(new TriangleOptionsDialog(m_copySettings, &mainWindow)),
      m_dataOptions(new DataOptionsDialog(&mainWindow))
{
    connect(&mainWindow, &MainWindow::showImageRequested, this, &ProgramWindows::showImage);
    connect(&mainWindow, &MainWindow::triangleOptionsRequested, this,
            [this](MainWindow::OptionsPage page) { showTriangleOptions(static_cast<int>(page)); });
    connect(&mainWindow, &MainWindow::dataOptionsRequested, this, [this](DataWindow *window) {
        if (window)
            showDataOptions(&window->document());
    });
    connect(m_triangleOptions, &TriangleOptionsDialog::documentRefreshed, this, &ProgramWindows::documentRefreshed);
    connect(m_triangleOptions, &TriangleOptionsDialog::dataGridFontChanged, this, &ProgramWindows::documentRefreshed);
    connect(m_dataOptions, &DataOptionsDialog::documentRefreshed, this, &ProgramWindows::documentRefreshed);
}

ProgramWindows::~ProgramWindows()
{
    delete m_imageWindow.data();
}

ImageWindow *ProgramWindows::imageWindow() const
{
    return m_imageWindow.data();
}

void ProgramWindows::showImage(DataWindow *window)
{
    if (!window)
        return;
    if (m_imageWindow)
        m_imageWindow->close();

    ImageWindowHost host;
    host.activeDocument = [this]() -> Document * {
        DataWindow *active = m_mainWindow.activeDataWindow();
        return active ? &active->document() : nullptr;
    };
    host.drawThumbnail = [](Document &document) { document.drawThumbnail(); };
    host.currentFileName = [this] { return m_mainWindow.currentFileName(); };
    host.copySettings = [this] { return m_copySettings; };
    host.prompt = &m_mainWindow.prompt();

    auto *image = new ImageWindow(std::move(host));
    image->setWindowTitle(window->windowTitle());
    connect(image, &ImageWindow::triangleOptionsRequested, this, [this] { showTriangleOptions(-1); });
    connect(image, &ImageWindow::dataOptionsRequested, this, [this] {
        if (DataWindow *active = m_mainWindow.activeDataWindow())
            showDataOptions(&active->document());
    });
    m_imageWindow = image;
    image->showMaximized();
}

void ProgramWindows::showTriangleOptions(int page)
{
    if (DataWindow *active = m_mainWindow.activeDataWindow())
        m_triangleOptions->showOptions(active->document(), page);
}

void ProgramWindows::showDataOptions(Document *document)
{
    if (document)
        m_dataOptions->showOptions(*document);
}

void ProgramWindows::documentRefreshed(Document *document)
{
    for (DataWindow *window : m_mainWindow.dataWindows()) {
        if (&window->document() == document)
            window->applyDataSettings();
    }
}

} // namespace quarvel
