#pragma once

#include "core/color_table.h"
#include "core/settings.h"

#include <cstdint>
#include <functional>
#include <optional>

#include <QFont>
#include <QLabel>
#include <QString>

namespace quarvel {

// A font as a font dialog with effects hands it over: charset in the numbering the settings
// records store.
struct ChosenFont
{
    QString face;
    std::int32_t size = 0;
    std::uint8_t charset = 1;
    ColorRef color = 0;
    FontStyles styles;
    bool operator==(const ChosenFont &) const = default;
};

ChosenFont chosenFontOf(const FontSpec &font);
// Face name, size, charset, colour and style bits into font; the bytes behind the face name's
// terminator stay. A face longer than the field holds is cut to 30 characters.
void storeChosenFont(FontSpec &font, const ChosenFont &chosen);
// What a dialog stores of a font it holds: face name (the whole field), size, charset, colour and
// style; the padding of into stays.
void storeFontFields(FontSpec &into, const FontSpec &from);
// The font to show a stored font in: a damaged size is brought into what a label can show.
QFont displayFontOf(const ChosenFont &font);

// Asks for a font, starting at initial; nothing when the dialog was cancelled.
using FontChooser = std::function<std::optional<ChosenFont>(QWidget *parent, const ChosenFont &initial)>;
// The font dialog of the option dialogs: scalable fonts only, with the effects (underline,
// strike-out, colour) and the writing system, which gives the charset.
std::optional<ChosenFont> chooseScalableFont(QWidget *parent, const ChosenFont &initial);

// The charset of a writing system of the font dialog, and back; 1 (the default charset) for a
// writing system without one of its own.
std::uint8_t charsetOfWritingSystem(int writingSystem);
int writingSystemOfCharset(std::uint8_t charset);

// A white sunken box showing a font's face name, one blank and its size, drawn in that font.
class FontSample : public QLabel
{
public:
    explicit FontSample(QWidget *parent = nullptr);
    void showFont(const ChosenFont &font);
};

} // namespace quarvel
