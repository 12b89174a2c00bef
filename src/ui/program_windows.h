#pragma once
#include "ui/copy_settings.h"

#include <QObject>
#include <QPointer>

namespace quarvel {

class DataOptionsDialog;
class DataWindow;
class Document;
class ImageWindow;
class MainWindow;
class TriangleOptionsDialog;

// The windows that live beside the main window for the whole run: the one image window, the two
// option dialogs and the copy settings they share. Connects the main window's commands and the
// image window's buttons to them, so that none of these windows needs to know the others.
class ProgramWindows : public QObject
{
    Q_OBJECT

public:
    explicit ProgramWindows(MainWindow &mainWindow);
    ~ProgramWindows() override;

    ImageWindow *imageWindow() const;
    TriangleOptionsDialog &triangleOptions() const { return *m_triangleOptions; }
    DataOptionsDialog &dataOptions() const { return *m_dataOptions; }
    const CopySettings &copySettings() const { return m_copySettings; }

    // "Show Image" of a data window: the document was just evaluated; a new image window, owned by
    // that document, replaces any open one.
    void showImage(DataWindow *window);
    void showTriangleOptions(int page);
    void showDataOptions(Document *document);

private:
    // The data window of a document the dialogs changed follows its new settings.
    void documentRefreshed(Document *document);

    MainWindow &m_mainWindow;
    CopySettings m_copySettings;
    TriangleOptionsDialog *m_triangleOptions;
    DataOptionsDialog *m_dataOptions;
    QPointer<ImageWindow> m_imageWindow;
};

} // namespace quarvel
