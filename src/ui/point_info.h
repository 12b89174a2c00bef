#pragma once

#include "core/diagram_frame.h"
#include "core/samples.h"
#include "core/settings.h"
#include "core/user_locale.h"

#include <array>
#include <vector>

#include <QPolygon>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class QListWidget;

namespace quarvel {

// The ternary position under the mouse, in percent of the whole diagram. In the lower triangle of
// a diamond `side` holds the down value.
struct CursorPosition
{
    float bottom = 0;
    float side = 0;
    float right = 0;
    bool inUpper = true;
};

// What the read-out shows for one mouse position: the position and the four field texts
// (bottom, left, right, down), "-" where there is no value.
struct ReadOut
{
    CursorPosition position;
    std::array<QString, 4> texts;
};

// The ternary values at image pixel (x, y) of a drawing with `frame`; one decimal or none.
ReadOut readOutAt(const DrawnFrame &frame, const DiagramSettings &settings, int x, int y, bool oneDecimal,
                  const UserLocale &locale);

// A sample near a clicked position: its index in the list and its number (1 for the first sample
// of the list, shown or not).
struct NearSample
{
    int index = 0;
    int number = 0;
};

// The visible samples of the clicked triangle within 2 percentage points of the position on each
// of its three axes, in list order.
std::vector<NearSample> samplesNear(const SampleList &samples, const CursorPosition &position);

// The pop-up's lines for these samples; `captions` are the read-out's bottom, left, right and down
// titles.
QStringList pointInfoLines(const SampleList &samples, const std::vector<NearSample> &near,
                           const std::array<QString, 4> &captions, const UserLocale &locale);

// The point information pop-up: a light yellow balloon without a border, on top of the other
// windows, that closes when it loses the focus.
class PointInfo : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMinimumWidth = 206;
    static constexpr int kMaximumListHeight = 150;

    explicit PointInfo(QWidget *parent = nullptr);

    QLabel *title() const { return m_title; }
    QListWidget *list() const { return m_list; }
    const QPolygon &balloon() const { return m_balloon; }

    // Fills the list, sizes the balloon by the number of lines and the first line, and shows it
    // with its top-left corner at `screenPosition`.
    void showLines(const QStringList &lines, QPoint screenPosition);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void sizeFor(int count, const QString &firstLine);

    QLabel *m_title = nullptr;
    QListWidget *m_list = nullptr;
    QPolygon m_balloon;
};

} // namespace quarvel
