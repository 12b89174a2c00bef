#include "ui/text_input_dialog.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quarvel {

TextInputDialog::TextInputDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TFtexto"));
    setWindowTitle(QStringLiteral("Text Input"));
    auto *grid = new QGridLayout(this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit"));
    m_edit->setMaxLength(kMaxTextLength);
    m_edit->setMinimumWidth(260);
    grid->addWidget(m_edit, 0, 0, 1, 4);
    m_fontButton = new QPushButton(QStringLiteral("Font"), this);
    m_fontButton->setObjectName(QStringLiteral("Button1"));
    grid->addWidget(m_fontButton, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Angle"), this), 1, 1, Qt::AlignRight);
    m_angle = new QComboBox(this);
    m_angle->setObjectName(QStringLiteral("cbAngle"));
    m_angle->setEditable(true);
    for (int a = 0; a <= 360; a += 15)
        m_angle->addItem(QString::number(a));
    m_angle->setCurrentIndex(0);
    grid->addWidget(m_angle, 1, 2);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("btOk"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("btCancel"));
    grid->addWidget(m_ok, 2, 2);
    grid->addWidget(m_cancel, 2, 3);

    m_font.face = QStringLiteral("Arial");
    m_font.size = 10;
    m_edit->setFont(displayFontOf(m_font));

    connect(m_fontButton, &QPushButton::clicked, this, &TextInputDialog::chooseFont);
    connect(m_angle, &QComboBox::editTextChanged, this, &TextInputDialog::checkAngle);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TextInputDialog::setText(const QString &text)
{
    m_edit->setText(text);
}

void TextInputDialog::checkAngle(const QString &text)
{
    bool whole = false;
    const int angle = text.toInt(&whole);
    if (!whole || angle < 0 || angle > 360)
        m_angle->setEditText(QStringLiteral("0"));
}

void TextInputDialog::chooseFont()
{
    const std::optional<ChosenFont> chosen = m_chooser ? m_chooser(this, m_font) : std::nullopt;
    if (!chosen)
        return;
    m_font.face = chosen->face;
    m_font.size = chosen->size;
    m_font.charset = chosen->charset;
    m_edit->setFont(displayFontOf(m_font));
    // One character set serves every label of the document.
    if (m_document)
        m_document->diagramSettings.overlayTextFont.charset = chosen->charset;
}

bool TextInputDialog::ask(Document &document, IntPoint anchor, const DrawnFrame &frame, bool editSelected,
                          bool snap)
{
    const int selected = document.selectedOverlay;
    VectorLine *label = editSelected && selected >= 0 && selected < static_cast<int>(document.overlayList.size())
                            ? &document.overlayList[static_cast<std::size_t>(selected)]
                            : nullptr;
    if (editSelected && (!label || label->kind != 't'))
        return false;
    if (label) {
        m_font.face = label->fontName;
        m_font.size = label->fontSize;
        m_angle->setEditText(QString::number(label->angle));
        m_edit->setFont(displayFontOf(m_font));
    }
    m_document = &document;
    const bool accepted = exec() == QDialog::Accepted;
    m_document = nullptr;
    if (!accepted || m_edit->text().isEmpty())
        return accepted;
    // The box until the next drawing places the label and measures it again.
    const QFontMetrics metrics(displayFontOf(m_font));
    const int w = metrics.horizontalAdvance(m_edit->text());
    const int h = metrics.height();
    const int angle = m_angle->currentText().toInt();
    if (label) {
        label->text = m_edit->text();
        label->pixDest = {label->pixOrigin.x + w, label->pixOrigin.y + h};
        label->fontName = m_font.face;
        label->angle = angle;
        label->fontSize = m_font.size;
        label->toTernary(frame, snap);
    } else {
        VectorLine made;
        made.kind = 't';
        made.pixOrigin = anchor;
        made.pixDest = {anchor.x + w, anchor.y + h};
        made.lineStyle = 0;
        made.text = m_edit->text();
        made.fontName = m_font.face;
        made.angle = angle;
        made.fontSize = m_font.size;
        made.toTernary(frame, false);
        document.overlayList.push_back(std::move(made));
    }
    return true;
}

} // namespace quarvel
