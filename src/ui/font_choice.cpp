#include "ui/font_choice.h"

#include "core/codepage.h"
#include "ui/color_list.h"

#include <algorithm>
#include <cstring>

#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace quarvel {

namespace {

struct CharsetOfSystem
{
    QFontDatabase::WritingSystem system;
    std::uint8_t charset;
};

// The font system's charset numbers for the writing systems that have one.
constexpr CharsetOfSystem kCharsets[] = {
    {QFontDatabase::Latin, 0},
    {QFontDatabase::Symbol, 2},
    {QFontDatabase::Japanese, 128},
    {QFontDatabase::Korean, 129},
    {QFontDatabase::SimplifiedChinese, 134},
    {QFontDatabase::TraditionalChinese, 136},
    {QFontDatabase::Greek, 161},
    {QFontDatabase::Vietnamese, 163},
    {QFontDatabase::Hebrew, 177},
    {QFontDatabase::Arabic, 178},
    {QFontDatabase::Cyrillic, 204},
    {QFontDatabase::Thai, 222},
};

} // namespace

ChosenFont chosenFontOf(const FontSpec &font)
{
    ChosenFont chosen;
    chosen.face = font.face();
    chosen.size = font.size;
    chosen.charset = font.charset;
    chosen.color = font.color;
    chosen.styles = fontStyleFromBits(font.style);
    return chosen;
}

void storeChosenFont(FontSpec &font, const ChosenFont &chosen)
{
    std::string face = toCodePage(chosen.face);
    face.resize(std::min(face.size(), font.faceName.size() - 1));
    std::memcpy(font.faceName.data(), face.c_str(), face.size() + 1);
    font.size = chosen.size;
    font.charset = chosen.charset;
    font.color = chosen.color;
    font.style = fontStyleToBits(chosen.styles);
}

void storeFontFields(FontSpec &into, const FontSpec &from)
{
    into.faceName = from.faceName;
    into.size = from.size;
    into.charset = from.charset;
    into.color = from.color;
    into.style = from.style;
}

QFont displayFontOf(const ChosenFont &chosen)
{
    QFont font(chosen.face);
    font.setPointSize(std::clamp(chosen.size, 1, 48));
    font.setBold(chosen.styles.bold);
    font.setItalic(chosen.styles.italic);
    font.setUnderline(chosen.styles.underline);
    font.setStrikeOut(chosen.styles.strikeOut);
    return font;
}

std::uint8_t charsetOfWritingSystem(int writingSystem)
{
    for (const CharsetOfSystem &entry : kCharsets) {
        if (entry.system == writingSystem)
            return entry.charset;
    }
    return 1;
}

int writingSystemOfCharset(std::uint8_t charset)
{
    for (const CharsetOfSystem &entry : kCharsets) {
        if (entry.charset == charset)
            return entry.system;
    }
    return QFontDatabase::Any;
}

std::optional<ChosenFont> chooseScalableFont(QWidget *parent, const ChosenFont &initial)
{
    QFontDialog dialog(parent);
    dialog.setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::ScalableFonts);
    dialog.setCurrentFont(displayFontOf(initial));

    // The dialog lists its writing systems in their enumeration order, "Any" first; the chosen
    // one is the charset the font is made with. A charset with no writing system of its own
    // survives as long as the user leaves the list alone.
    QComboBox *writingSystems = dialog.findChild<QComboBox *>();
    int shownSystem = QFontDatabase::Any;
    if (writingSystems) {
        const int system = writingSystemOfCharset(initial.charset);
        if (system < writingSystems->count())
            writingSystems->setCurrentIndex(system);
        shownSystem = writingSystems->currentIndex();
    }
    ColorList *colors = nullptr;
    QGroupBox *effects = nullptr;
    for (QGroupBox *box : dialog.findChildren<QGroupBox *>()) {
        if (box->title().contains(QStringLiteral("Effects")))
            effects = box;
    }
    if (auto *column = effects ? qobject_cast<QBoxLayout *>(effects->layout()) : nullptr) {
        auto *row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("Color"), effects));
        colors = new ColorList(effects);
        colors->setObjectName(QStringLiteral("fontColor"));
        colors->setColor(initial.color);
        row->addWidget(colors, 1);
        column->addLayout(row);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;

    const QFont font = dialog.selectedFont();
    ChosenFont chosen;
    chosen.face = font.family();
    chosen.size = font.pointSize() > 0 ? font.pointSize() : initial.size;
    chosen.charset = initial.charset;
    if (writingSystems && writingSystems->currentIndex() != shownSystem)
        chosen.charset = charsetOfWritingSystem(writingSystems->currentIndex());
    chosen.color = colors ? colors->color() : initial.color;
    chosen.styles = {font.bold(), font.italic(), font.underline(), font.strikeOut()};
    return chosen;
}

FontSample::FontSample(QWidget *parent)
    : QLabel(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setAlignment(Qt::AlignCenter);
    setMinimumHeight(40);
    setMinimumWidth(150);
}

void FontSample::showFont(const ChosenFont &font)
{
    setFont(displayFontOf(font));
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, QColor(redOf(font.color), greenOf(font.color), blueOf(font.color)));
    setPalette(palette);
    setText(font.face + QLatin1Char(' ') + QString::number(font.size));
}

} // namespace quarvel
