#include "ui/message_box_prompt.h"

#include <QApplication>
#include <QMessageBox>

namespace quarvel {

bool MessageBoxPrompt::askOkCancel(const QString &text, const QString &caption)
{
    return QMessageBox::warning(QApplication::activeWindow(), caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Cancel)
           == QMessageBox::Ok;
}

void MessageBoxPrompt::warn(const QString &text, const QString &caption)
{
    QMessageBox::warning(QApplication::activeWindow(), caption, text, QMessageBox::Ok);
}

} // namespace quarvel
