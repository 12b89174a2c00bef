#pragma once

#include <QDialog>

namespace quarvel {

// The program's icon, name and version, closed with its one button.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    static inline const QString kVersionText = QStringLiteral("Version 4.5a");

    explicit AboutBox(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace quarvel
