#pragma once

#include "core/color_table.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

namespace quarvel {

class Document;
class SymbolList;
class SymbolPreview;

// Chooses the symbol and size of one group and the document's symbol font. One instance serves
// the whole run and keeps its face, size and check boxes between showings; showing it reloads
// them from the document and the group.
class SymbolChooser : public QDialog
{
    Q_OBJECT
public:
    explicit SymbolChooser(QWidget *parent = nullptr);

    // The program's one chooser, made on first use.
    static SymbolChooser &shared();

    // Modal for group `group` of the document; true when OK or a double click changed it.
    bool chooseFor(Document &document, int group);
    // What showing does: face, symbol, size and colour from the document and the group. OK and a
    // double click then act on them.
    void load(Document &document, int group);

    // The installed scalable faces and the default symbol face, which the diagram draws with
    // substitute shapes where it is not installed.
    static QStringList offeredFaces();

    void accept() override;

private:
    void selectFace(const QString &face);
    void faceChanged();
    void sizeChanged(int size);
    void baseFontOnlyToggled(bool on);
    void entryDoubleClicked(int entry);

    Document *m_document = nullptr;
    int m_group = -1;
    QComboBox *m_faces = nullptr;
    QCheckBox *m_baseFontOnly = nullptr;
    QGroupBox *m_symbolBox = nullptr;
    SymbolList *m_symbols = nullptr;
    QGroupBox *m_sizeBox = nullptr;
    QSlider *m_size = nullptr;
    QLabel *m_sizeText = nullptr;
    SymbolPreview *m_preview = nullptr;
    QCheckBox *m_sizeForGroupOnly = nullptr;
};

} // namespace quarvel
