#pragma once

#include "core/settings.h"
#include "ui/font_choice.h"

#include <array>

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace quarvel {

class Document;

// The data options dialog: edits the column titles, the data grid and groups panel fonts and the
// decimal precision of a document. Apply applies and stays open, Cancel undoes the last Apply,
// the title-bar close changes nothing.
class DataOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DataOptionsDialog(QWidget *parent = nullptr, FontChooser chooseFont = chooseScalableFont);

    // Shows the dialog modally on document; returns when it is closed.
    int showOptions(Document &document);
    // What showOptions does before it runs the dialog: load the controls.
    void prepare(Document &document);

signals:
    // The document's data settings were stored (or restored), the title row rewritten and the
    // document refreshed: the data grid takes dataFont, the groups panel groupsFont, both
    // repaint, and the image window redraws.
    void documentRefreshed(quarvel::Document *document);

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void loadSettings(const Document &document);
    void store();
    void refreshDocument();
    void okClicked();
    void applyClicked();
    void cancelClicked();
    void setDefaultTitles();

    FontChooser m_chooseFont;
    Document *m_document = nullptr;
    DataSettings m_undoCopy{};
    bool m_applied = false;
    FontSpec m_dataFont = FontSpec::make("Arial", 9);
    FontSpec m_groupsFont = FontSpec::make("Arial", 9);

    // Group label, data columns 1 to 4, sample label: the order of the stored titles.
    std::array<QLineEdit *, 6> m_titles{};
    QComboBox *m_precision = nullptr;
    FontSample *m_dataSample = nullptr;
    FontSample *m_groupsSample = nullptr;
};

} // namespace quarvel
