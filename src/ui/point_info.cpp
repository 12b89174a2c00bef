#include "ui/point_info.h"

#include "core/number_format.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QRegion>

#include <cmath>

namespace quarvel {

namespace {

struct TriangleValues
{
    double bottom = 0;
    double side = 0;
    double right = 0;
};

TriangleValues upperValues(const DrawnFrame &f, double x, double y, bool clockwise)
{
    const double r = std::sqrt(1.3333333333333333);
    const double side = 100 - (y - f.apexY) / (f.leftY - f.apexY) * 100;
    const double g = (x - f.leftX - 0.5 * r * (f.rightY - y)) / (f.rightX - f.leftX) * 100;
    return clockwise ? TriangleValues{100 - g - side, side, g} : TriangleValues{g, side, 100 - g - side};
}

TriangleValues lowerValues(const DrawnFrame &f, double x, double y, bool clockwise)
{
    const double r = std::sqrt(1.3333333333333333);
    const double down = 100 - (f.lowerY - y) / (f.lowerY - f.leftY) * 100;
    const double g = (x - f.leftX - 0.5 * r * (y - f.rightY)) / (f.rightX - f.leftX) * 100;
    return clockwise ? TriangleValues{100 - g - down, down, g} : TriangleValues{g, down, 100 - g - down};
}

CursorPosition positionOf(const TriangleValues &v, bool inUpper)
{
    return {static_cast<float>(v.bottom), static_cast<float>(v.side), static_cast<float>(v.right), inUpper};
}

} // namespace

ReadOut readOutAt(const DrawnFrame &frame, const DiagramSettings &settings, int x, int y, bool oneDecimal,
                  const UserLocale &locale)
{
    const char *pattern = oneDecimal ? "##0.0" : "##0";
    const auto text = [&](float value) { return formatFloat(pattern, value, locale); };
    const QString none = QStringLiteral("-");
    const bool clockwise = settings.clockwise == 1;

    ReadOut out;
    const TriangleValues upper = upperValues(frame, x, y, clockwise);
    if (!isDiamond(settings)) {
        out.position = positionOf(upper, true);
        const CursorPosition &p = out.position;
        if (p.bottom >= 0 && p.side >= 0 && p.right >= 0)
            out.texts = {text(p.bottom), text(p.side), text(p.right), none};
        else
            out.texts = {none, none, none, none};
        return out;
    }
    out.position = positionOf(upper, true);
    if (out.position.bottom > 0 && out.position.side > 0 && out.position.right > 0) {
        const CursorPosition &p = out.position;
        out.texts = {text(p.bottom), text(p.side), text(p.right), none};
        return out;
    }
    out.position = positionOf(lowerValues(frame, x, y, clockwise), false);
    const CursorPosition &p = out.position;
    if (p.bottom < 0 || p.side < 0 || p.right < 0)
        out.texts = {none, none, none, none};
    else
        out.texts = {text(p.bottom), none, text(p.right), text(p.side)};
    return out;
}

std::vector<NearSample> samplesNear(const SampleList &samples, const CursorPosition &position)
{
    std::vector<NearSample> found;
    const char kind = position.inUpper ? 't' : 'd';
    // The second axis of the clicked triangle: left above the base line, down below it.
    const std::size_t sideAxis = position.inUpper ? 1 : 3;
    const int count = samples.size();
    for (int i = 0; i < count; ++i) {
        const Sample &s = samples[i];
        if (!s.visible || s.kind != kind)
            continue;
        if (std::fabs(s.percents[0] - position.bottom) < 2 && std::fabs(s.percents[sideAxis] - position.side) < 2
            && std::fabs(s.percents[2] - position.right) < 2)
            found.push_back({i, i + 1});
    }
    return found;
}

QStringList pointInfoLines(const SampleList &samples, const std::vector<NearSample> &near,
                           const std::array<QString, 4> &captions, const UserLocale &locale)
{
    const auto part = [&](float value) {
        QString text = QString::asprintf("%3.2f", static_cast<double>(value));
        text.replace(QLatin1Char('.'), QLatin1Char(locale.decimalSeparator()));
        return text;
    };
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(near.size()));
    for (const NearSample &n : near) {
        const Sample &s = samples[n.index];
        const std::size_t sideAxis = s.kind == 'd' ? 3 : 1;
        lines.append(QStringLiteral("Sample #") + QString::number(n.number) + QStringLiteral(": ") + captions[0]
                     + QLatin1Char('=') + part(s.parts[0]) + QLatin1Char(' ') + captions[sideAxis] + QLatin1Char('=')
                     + part(s.parts[sideAxis]) + QLatin1Char(' ') + captions[2] + QLatin1Char('=') + part(s.parts[2]));
    }
    return lines;
}

namespace {

const QColor kBalloonColor(255, 255, 128);

} // namespace

PointInfo::PointInfo(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TFPointInfo"));
    setAttribute(Qt::WA_TranslucentBackground, false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBalloonColor);
    palette.setColor(QPalette::Base, kBalloonColor);
    setPalette(palette);
    setAutoFillBackground(true);

    m_title = new QLabel(QStringLiteral("Point Information"), this);
    m_title->setObjectName(QStringLiteral("Titulo"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setUnderline(true);
    m_title->setFont(titleFont);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setGeometry(1, 42, 161, 17);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListaPuntos"));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setPalette(palette);
    m_list->setUniformItemSizes(true);
    m_list->move(1, m_title->y() + m_title->height() + 1);
    resize(kMinimumWidth, 57);
}

void PointInfo::sizeFor(int count, const QString &firstLine)
{
    const QFontMetrics metrics(m_list->font());
    const int tw = metrics.horizontalAdvance(firstLine);
    const int th = metrics.height();
    const int listHeight = std::min(th * count + 5, kMaximumListHeight);
    m_list->resize(tw + 40, listHeight);
    const int w = std::max(kMinimumWidth, tw + 50);
    // The body ends two pixels below the list, also when the list is cut at its largest height
    // (else a long list left an empty yellow column below it).
    const int h = m_list->y() + listHeight + 2;
    m_balloon = QPolygon({QPoint(0, 0), QPoint(76, 40), QPoint(w, 40), QPoint(w, h), QPoint(0, h), QPoint(0, 40),
                          QPoint(32, 40)});
    resize(w, h);
    setMask(QRegion(m_balloon, Qt::WindingFill));
}

void PointInfo::showLines(const QStringList &lines, QPoint screenPosition)
{
    m_list->clear();
    if (lines.isEmpty())
        return;
    m_list->addItems(lines);
    const int th = QFontMetrics(m_list->font()).height();
    for (int i = 0; i < m_list->count(); ++i)
        m_list->item(i)->setSizeHint(QSize(0, th));
    sizeFor(static_cast<int>(lines.size()), lines.first());
    move(screenPosition);
    show();
    activateWindow();
    qApp->installEventFilter(this);
}

bool PointInfo::eventFilter(QObject *watched, QEvent *event)
{
    // A press anywhere else closes it, also where the window system does not take the focus
    // away (the balloon is a tool window, which need not be activated).
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget != this && !isAncestorOf(widget))
            hide();
    }
    return false;
}

void PointInfo::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
}

void PointInfo::paintEvent(QPaintEvent *)
{
    if (m_balloon.isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    const int w = width(), h = height();
    painter.drawPolygon(QPolygon({QPoint(0, 0), QPoint(75, 40), QPoint(w - 1, 40), QPoint(w - 1, h - 1),
                                  QPoint(0, h - 1), QPoint(0, 40), QPoint(33, 40)}));
}

bool PointInfo::event(QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate)
        hide();
    return QWidget::event(event);
}

} // namespace quarvel
