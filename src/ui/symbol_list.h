#pragma once

#include "core/color_table.h"

#include <QWidget>

namespace quarvel {

// The symbol chooser's list of characters: the codes 31 to 254 in ten columns, each drawn in the
// list's symbol face (through the canvas, so a face that is not installed shows the diagram's
// substitute shapes). Entry k shows the character with code k + 31.
class SymbolList : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kFirstCode = 31;
    static constexpr int kEntries = 224;
    static constexpr int kColumns = 10;
    static constexpr int kItemHeight = 17;
    static constexpr int kItemWidth = 24;

    explicit SymbolList(QWidget *parent = nullptr);

    void setFace(const QString &face, int points);
    const QString &face() const { return m_face; }
    // -1 when no entry is selected.
    int currentEntry() const { return m_current; }
    void setCurrentEntry(int entry);
    QRect entryRect(int entry) const;
    int entryAt(QPoint position) const;

    QSize sizeHint() const override;

signals:
    void entryClicked(int entry);
    void entryDoubleClicked(int entry);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_face;
    int m_points = 12;
    int m_current = -1;
};

} // namespace quarvel
