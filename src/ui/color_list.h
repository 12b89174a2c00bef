#pragma once

#include "core/color_table.h"

#include <functional>
#include <optional>

#include <QComboBox>

class QPainter;
class QRect;

namespace quarvel {

// Asks the user for a colour, starting at initial; nothing when the dialog was cancelled.
using ColorChooser = std::function<std::optional<ColorRef>(QWidget *parent, ColorRef initial)>;
// The platform's colour dialog.
std::optional<ColorRef> chooseColorInDialog(QWidget *parent, ColorRef initial);

// Draws entry index of the colour list into rect: silver ground, the swatch, the name.
void drawColorEntry(QPainter &painter, const QRect &rect, int index);

// The drop-down list of the 16 named colours and "CUSTOM", each drawn with its swatch. The item
// texts are the entry numbers and are never shown.
//
// It holds the colour its owner stores: showing a colour that no entry names selects "CUSTOM"
// and keeps that value, so a custom colour survives until the user picks another entry.
class ColorList : public QComboBox
{
    Q_OBJECT

public:
    explicit ColorList(QWidget *parent = nullptr);

    ColorRef color() const { return m_color; }
    // Selects the entry of color without announcing a choice.
    void setColor(ColorRef color);
    void setCustomColorChooser(ColorChooser chooser) { m_chooser = std::move(chooser); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user picked an entry; for "CUSTOM" the colour dialog has been answered (black when
    // it was cancelled).
    void colorChosen(quarvel::ColorRef color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void entryActivated(int index);

    ColorRef m_color = 0;
    ColorChooser m_chooser = chooseColorInDialog;
};

} // namespace quarvel
