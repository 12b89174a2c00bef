#pragma once

#include "core/diagram_frame.h"
#include "core/document.h"
#include "ui/font_choice.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace quarvel {

// The text input dialog: the text, font and angle of an overlay label. It makes a new label at the
// anchor the text tool was pressed at, or changes the selected label.
class TextInputDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kMaxTextLength = 50;

    explicit TextInputDialog(QWidget *parent = nullptr);

    void setFontChooser(FontChooser chooser) { m_chooser = std::move(chooser); }
    // The text shown in the edit; empty for a new label.
    void setText(const QString &text);

    // Shows the dialog modally. editSelected: change the document's selected label, else make a new
    // one with its top-left corner at anchor. frame converts the pixels back to weights; snap rounds
    // an edited label's anchor to whole numbers. True when OK was pressed.
    bool ask(Document &document, IntPoint anchor, const DrawnFrame &frame, bool editSelected, bool snap);

    QLineEdit *edit() const { return m_edit; }
    QPushButton *fontButton() const { return m_fontButton; }
    QComboBox *angleList() const { return m_angle; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    const ChosenFont &chosenFont() const { return m_font; }

private:
    void chooseFont();
    void checkAngle(const QString &text);

    QLineEdit *m_edit;
    QPushButton *m_fontButton;
    QComboBox *m_angle;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    ChosenFont m_font;
    FontChooser m_chooser = chooseScalableFont;
    Document *m_document = nullptr;
};

} // namespace quarvel
