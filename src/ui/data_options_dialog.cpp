#include "ui/data_options_dialog.h"

#include "core/codepage.h"
#include "core/document.h"
#include "ui/number_combo.h"

#include <algorithm>
#include <cstring>

#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quarvel {

namespace {

const char *const kEditNames[6] = {"Data_group", "Data_1", "Data_2", "Data_3", "Data_4", "Data_samples"};
const char *const kEditLabels[6] = {"Group Label",    "Data Column #1", "Data Column #2",
                                    "Data Column #3", "Data Column #4", "Sample Label"};
const char *const kStartTexts[6] = {"Group label", "Bottom", "Left up", "Right", "Left down", "Sample labels"};
const char *const kDefaultTitles[6] = {"Group label", "Bottom", "Left", "Right", "Down", "Sample label"};

// The title and a terminator; what stood behind the old terminator stays. A title longer than
// the field is cut to the 99 bytes it holds.
void storeTitle(std::array<char, 100> &field, const QString &title)
{
    std::string bytes = toCodePage(title);
    bytes.resize(std::min(bytes.size(), field.size() - 1));
    std::memcpy(field.data(), bytes.c_str(), bytes.size() + 1);
}

} // namespace

DataOptionsDialog::DataOptionsDialog(QWidget *parent, FontChooser chooseFont)
    : QDialog(parent)
    , m_chooseFont(std::move(chooseFont))
{
    setObjectName(QStringLiteral("FDataOptions"));
    setWindowTitle(QStringLiteral("Data options"));
    setModal(true);

    auto *titles = new QGridLayout;
    for (std::size_t i = 0; i < 6; ++i) {
        auto *edit = new QLineEdit(QString::fromLatin1(kStartTexts[i]));
        edit->setObjectName(QString::fromLatin1(kEditNames[i]));
        edit->setMinimumWidth(160);
        auto *label = new QLabel(QString::fromLatin1(kEditLabels[i]));
        label->setBuddy(edit);
        titles->addWidget(label, static_cast<int>(i), 0);
        titles->addWidget(edit, static_cast<int>(i), 1);
        m_titles[i] = edit;
        // The data titles name the axes and find the columns: never empty.
        if (i >= 1 && i <= 4) {
            connect(edit, &QLineEdit::textChanged, edit, [edit](const QString &text) {
                if (text.isEmpty())
                    edit->setText(QStringLiteral("-"));
            });
        }
    }
    auto *defaults = new QPushButton(QStringLiteral("Defaults"));
    defaults->setObjectName(QStringLiteral("Button6"));
    connect(defaults, &QPushButton::clicked, this, &DataOptionsDialog::setDefaultTitles);
    titles->addWidget(defaults, 6, 1, Qt::AlignLeft);
    auto *columnLabels = new QGroupBox(QStringLiteral("Column labels"));
    columnLabels->setLayout(titles);

    auto *fonts = new QGridLayout;
    const auto fontRow = [this, fonts](int row, const char *buttonName, const char *caption, const char *sampleName,
                                       FontSpec &font, FontSample *&sample) {
        auto *button = new QPushButton(QString::fromLatin1(caption));
        button->setObjectName(QString::fromLatin1(buttonName));
        sample = new FontSample;
        sample->setObjectName(QString::fromLatin1(sampleName));
        sample->showFont(chosenFontOf(font));
        FontSample *shown = sample;
        connect(button, &QPushButton::clicked, this, [this, &font, shown] {
            if (const std::optional<ChosenFont> chosen = m_chooseFont(this, chosenFontOf(font))) {
                storeChosenFont(font, *chosen);
                shown->showFont(chosenFontOf(font));
            }
        });
        fonts->addWidget(button, row, 0);
        fonts->addWidget(sample, row, 1);
    };
    fontRow(0, "Button2", "Data font", "InfoData", m_dataFont, m_dataSample);
    fontRow(1, "Button4", "Groups font", "InfoGroups", m_groupsFont, m_groupsSample);
    fonts->setColumnStretch(1, 1);

    m_precision = makeNumberCombo({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                                   QStringLiteral("5"), QStringLiteral("6")},
                                  {1, 6, QStringLiteral("6"), QStringLiteral("6"), QStringLiteral("6")});
    m_precision->setObjectName(QStringLiteral("cbPrecision"));
    {
        // The start text is no precision; the document's value replaces it when the dialog loads.
        const QSignalBlocker quiet(m_precision);
        m_precision->setEditText(QStringLiteral("0"));
    }
    auto *precisionLayout = new QVBoxLayout;
    precisionLayout->addWidget(m_precision);
    auto *precision = new QGroupBox(QStringLiteral("Decimal precision"));
    precision->setLayout(precisionLayout);

    auto *grid = new QWidget;
    auto *gridLayout = new QGridLayout(grid);
    gridLayout->addWidget(columnLabels, 0, 0, 2, 1, Qt::AlignTop);
    auto *fontBox = new QWidget;
    fontBox->setLayout(fonts);
    gridLayout->addWidget(fontBox, 0, 1, Qt::AlignTop);
    gridLayout->addWidget(precision, 1, 1, Qt::AlignTop);
    gridLayout->setRowStretch(2, 1);
    auto *pages = new QTabWidget;
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->addTab(grid, QStringLiteral("Data Grid"));

    auto *buttons = new QDialogButtonBox;
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton *apply = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::ApplyRole);
    ok->setObjectName(QStringLiteral("OKbtn"));
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    apply->setObjectName(QStringLiteral("ApplyBtn"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &DataOptionsDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &DataOptionsDialog::cancelClicked);
    connect(apply, &QPushButton::clicked, this, &DataOptionsDialog::applyClicked);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(buttons);
}

int DataOptionsDialog::showOptions(Document &document)
{
    prepare(document);
    return exec();
}

void DataOptionsDialog::prepare(Document &document)
{
    m_document = &document;
    loadSettings(document);
    m_applied = false;
}

void DataOptionsDialog::loadSettings(const Document &document)
{
    const DataSettings &s = document.dataSettings;
    m_precision->setEditText(QString::number(s.precision));
    for (std::size_t i = 0; i < 6; ++i)
        m_titles[i]->setText(s.title(static_cast<int>(i)));
    m_dataFont = s.dataFont;
    m_groupsFont = s.groupsFont;
    m_dataSample->showFont(chosenFontOf(m_dataFont));
    m_groupsSample->showFont(chosenFontOf(m_groupsFont));
}

void DataOptionsDialog::store()
{
    DataSettings &s = m_document->dataSettings;
    for (std::size_t i = 0; i < 6; ++i)
        storeTitle(s.columnTitles[i], m_titles[i]->text());
    m_document->applyDataSettings();
    s.setPrecision(wholeNumberWithin(m_precision->currentText(), 1, 6, 6));
    storeFontFields(s.dataFont, m_dataFont);
    storeFontFields(s.groupsFont, m_groupsFont);
    refreshDocument();
}

void DataOptionsDialog::refreshDocument()
{
    m_document->updateTriangle();
    m_document->modified = true;
    emit documentRefreshed(m_document);
}

void DataOptionsDialog::okClicked()
{
    if (m_document)
        store();
    accept();
}

void DataOptionsDialog::applyClicked()
{
    if (!m_document)
        return;
    m_undoCopy = m_document->dataSettings;
    m_applied = true;
    store();
}

void DataOptionsDialog::cancelClicked()
{
    if (m_applied && m_document) {
        m_document->dataSettings = m_undoCopy;
        m_document->applyDataSettings();
        refreshDocument();
    }
    // Cancel once: a second Escape or Cancel of the same showing must not restore again.
    m_applied = false;
    QDialog::reject();
}

void DataOptionsDialog::reject()
{
    cancelClicked();
}

void DataOptionsDialog::closeEvent(QCloseEvent *event)
{
    // The title-bar close keeps what was applied.
    done(QDialog::Rejected);
    event->accept();
}

void DataOptionsDialog::setDefaultTitles()
{
    for (std::size_t i = 0; i < 6; ++i)
        m_titles[i]->setText(QString::fromLatin1(kDefaultTitles[i]));
}

} // namespace quarvel
