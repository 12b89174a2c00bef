#include "ui/symbol_chooser.h"

#include "core/codepage.h"
#include "core/document.h"
#include "files/field_values.h"
#include "render/qpainter_canvas.h"
#include "ui/symbol_cell.h"
#include "ui/symbol_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace quarvel {

namespace {

const QString kDefaultSymbolFace = QStringLiteral("Wingdings");
constexpr int kListPoints = 12;
constexpr int kSmallestSize = 4;
constexpr int kLargestSize = 48;
constexpr int kStartSize = 12;

} // namespace

// The chosen character in the chosen face, size and colour.
class SymbolPreview : public QFrame
{
public:
    explicit SymbolPreview(QWidget *parent) : QFrame(parent)
    {
        setObjectName(QStringLiteral("symbolPreview"));
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setFixedSize(80, 80);
    }
    void setSymbol(const SymbolStyle &style, int code)
    {
        m_style = style;
        m_code = code;
        update();
    }
    const SymbolStyle &style() const { return m_style; }
    int code() const { return m_code; }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        {
            QPainterCanvas canvas(this, logicalDpiY());
            canvas.painter().fillRect(contentsRect(), Qt::white);
            if (m_code >= 0) {
                canvas.painter().setClipRect(contentsRect());
                drawSymbolCentred(canvas, contentsRect(), m_style, m_code);
            }
        }
        QFrame::paintEvent(event);
    }

private:
    SymbolStyle m_style;
    int m_code = -1;
};

SymbolChooser::SymbolChooser(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("symbolChooser"));
    setWindowTitle(QStringLiteral("Symbols"));

    auto *fontBox = new QGroupBox(QStringLiteral("Font"), this);
    auto *fontLabel = new QLabel(QStringLiteral("Symbol font"), fontBox);
    m_faces = new QComboBox(fontBox);
    m_faces->setObjectName(QStringLiteral("symbolFontList"));
    m_faces->addItems(offeredFaces());
    fontLabel->setBuddy(m_faces);
    auto *fontLayout = new QHBoxLayout(fontBox);
    fontLayout->addWidget(fontLabel);
    fontLayout->addWidget(m_faces, 1);

    m_baseFontOnly = new QCheckBox(QStringLiteral("Change base font only"), this);
    m_baseFontOnly->setObjectName(QStringLiteral("baseFontOnly"));

    m_symbolBox = new QGroupBox(QStringLiteral("Symbol"), this);
    m_symbolBox->setObjectName(QStringLiteral("symbolBox"));
    m_symbols = new SymbolList(m_symbolBox);
    auto *symbolLayout = new QVBoxLayout(m_symbolBox);
    symbolLayout->addWidget(m_symbols, 0, Qt::AlignHCenter);

    m_sizeBox = new QGroupBox(QStringLiteral("Symbol size"), this);
    m_sizeBox->setObjectName(QStringLiteral("symbolSizeBox"));
    m_size = new QSlider(Qt::Horizontal, m_sizeBox);
    m_size->setObjectName(QStringLiteral("symbolSize"));
    m_size->setRange(kSmallestSize, kLargestSize);
    m_size->setTickPosition(QSlider::TicksBelow);
    m_size->setTickInterval(1);
    m_size->setSingleStep(1);
    m_size->setPageStep(4);
    m_sizeText = new QLabel(m_sizeBox);
    m_sizeText->setObjectName(QStringLiteral("symbolSizeText"));
    m_sizeText->setMinimumWidth(m_sizeText->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    m_preview = new SymbolPreview(m_sizeBox);
    auto *sizeLayout = new QHBoxLayout(m_sizeBox);
    sizeLayout->addWidget(m_size, 1);
    sizeLayout->addWidget(m_sizeText);
    sizeLayout->addWidget(m_preview);

    m_sizeForGroupOnly = new QCheckBox(QStringLiteral("Each point can have a diferent size"), this);
    m_sizeForGroupOnly->setObjectName(QStringLiteral("sizeForGroupOnly"));

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(fontBox);
    layout->addWidget(m_baseFontOnly);
    layout->addWidget(m_symbolBox);
    layout->addWidget(m_sizeBox);
    layout->addWidget(m_sizeForGroupOnly);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &SymbolChooser::accept);
    connect(cancel, &QPushButton::clicked, this, &SymbolChooser::reject);
    connect(m_faces, &QComboBox::currentIndexChanged, this, &SymbolChooser::faceChanged);
    connect(m_size, &QSlider::valueChanged, this, &SymbolChooser::sizeChanged);
    connect(m_baseFontOnly, &QCheckBox::toggled, this, &SymbolChooser::baseFontOnlyToggled);
    connect(m_symbols, &SymbolList::entryClicked, this, [this] { sizeChanged(m_size->value()); });
    connect(m_symbols, &SymbolList::entryDoubleClicked, this, &SymbolChooser::entryDoubleClicked);

    selectFace(kDefaultSymbolFace);
    m_size->setValue(kStartSize);
    sizeChanged(kStartSize);
    faceChanged();
}

namespace {

SymbolChooser *sharedChooser = nullptr;

void deleteSharedChooser()
{
    delete sharedChooser;
    sharedChooser = nullptr;
}

} // namespace

SymbolChooser &SymbolChooser::shared()
{
    if (!sharedChooser) {
        sharedChooser = new SymbolChooser;
        // Gone with the application, while widgets can still be destroyed.
        qAddPostRoutine(deleteSharedChooser);
    }
    return *sharedChooser;
}

QStringList SymbolChooser::offeredFaces()
{
    QStringList faces;
    for (const QString &family : QFontDatabase::families()) {
        if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family))
            faces.append(family);
    }
    if (!faces.contains(kDefaultSymbolFace, Qt::CaseInsensitive))
        faces.append(kDefaultSymbolFace);
    std::sort(faces.begin(), faces.end(),
              [](const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    return faces;
}

void SymbolChooser::selectFace(const QString &face)
{
    int index = m_faces->findText(face, Qt::MatchFixedString);
    if (index < 0 && !face.isEmpty()) {
        // A face the document names but this machine lacks stays choosable, so that OK does not
        // replace it behind the user's back.
        m_faces->addItem(face);
        index = m_faces->count() - 1;
    }
    if (index >= 0)
        m_faces->setCurrentIndex(index);
}

void SymbolChooser::load(Document &document, int group)
{
    m_document = &document;
    m_group = group;
    const Group &g = document.groupList.group(group);
    selectFace(document.diagramSettings.symbolFont.face());
    m_symbols->setFace(m_faces->currentText(), kListPoints);
    m_symbols->setCurrentEntry(g.symbol - SymbolList::kFirstCode);
    m_size->setValue(std::clamp(g.symbolSize, kSmallestSize, kLargestSize));
    SymbolStyle style = m_preview->style();
    style.color = g.color;
    m_preview->setSymbol(style, m_preview->code());
    sizeChanged(m_size->value());
}

bool SymbolChooser::chooseFor(Document &document, int group)
{
    load(document, group);
    const bool accepted = exec() == QDialog::Accepted;
    m_document = nullptr;
    return accepted;
}

void SymbolChooser::faceChanged()
{
    m_symbols->setFace(m_faces->currentText(), kListPoints);
    sizeChanged(m_size->value());
}

void SymbolChooser::sizeChanged(int size)
{
    m_sizeText->setText(QString::number(size));
    const int entry = m_symbols->currentEntry();
    SymbolStyle style{m_faces->currentText(), size, m_preview->style().color};
    m_preview->setSymbol(style, entry < 0 ? -1 : entry + SymbolList::kFirstCode);
}

void SymbolChooser::baseFontOnlyToggled(bool on)
{
    m_symbolBox->setVisible(!on);
    m_sizeBox->setVisible(!on);
}

void SymbolChooser::accept()
{
    if (m_document && m_group >= 0 && m_group < m_document->groupList.size()) {
        FontSpec &font = m_document->diagramSettings.symbolFont;
        setFaceName(font, toCodePage(m_faces->currentText()));
        font.size = m_size->value();
        font.style = 0;
        if (!m_baseFontOnly->isChecked()) {
            Group &group = m_document->groupList.group(m_group);
            // Without a selected entry the group keeps its symbol.
            if (m_symbols->currentEntry() >= 0)
                group.symbol = m_symbols->currentEntry() + SymbolList::kFirstCode;
            if (m_sizeForGroupOnly->isChecked()) {
                group.symbolSize = m_size->value();
            } else {
                for (int i = 0; i < m_document->groupList.size(); ++i)
                    m_document->groupList.group(i).symbolSize = m_size->value();
            }
        }
    }
    QDialog::accept();
}

void SymbolChooser::entryDoubleClicked(int entry)
{
    if (m_document && m_group >= 0 && m_group < m_document->groupList.size())
        m_document->groupList.group(m_group).symbol = entry + SymbolList::kFirstCode;
    QDialog::accept();
}

} // namespace quarvel
