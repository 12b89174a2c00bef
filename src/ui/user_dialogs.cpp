#include "ui/user_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>

namespace quarvel {

namespace {

QString filterText(const FileTypeFilter &type)
{
    return QStringLiteral("%1 (%2)").arg(QLatin1String(type.label), QLatin1String(type.pattern));
}

} // namespace

QStringList openFilters()
{
    QStringList filters;
    for (const FileTypeFilter &type : kOpenFileTypes)
        filters << filterText(type);
    return filters;
}

QString saveFilter()
{
    return filterText(kSaveFileType);
}

QString importFilter()
{
    return QStringLiteral("Text files (*.txt)");
}

OpenFileType openFileTypeOfFilter(const QString &filter)
{
    const int index = static_cast<int>(openFilters().indexOf(filter));
    return index < 0 ? OpenFileType::Current : static_cast<OpenFileType>(index + 1);
}

std::optional<OpenChoice> QtUserDialogs::chooseDocumentToOpen(QWidget *parent)
{
    QFileDialog dialog(parent, QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(openFilters());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return OpenChoice{dialog.selectedFiles().constFirst(), openFileTypeOfFilter(dialog.selectedNameFilter())};
}

std::optional<QString> QtUserDialogs::chooseSaveName(QWidget *parent)
{
    // No default suffix here: the save command appends ".qvd" by its own rule and keeps the name
    // as chosen for the caption.
    const QString name = QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), {}, saveFilter());
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> QtUserDialogs::chooseTextFileToImport(QWidget *parent)
{
    const QString name =
        QFileDialog::getOpenFileName(parent, QStringLiteral("Import text file"), {}, importFilter());
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QColor> QtUserDialogs::chooseColor(QWidget *parent, const QColor &initial)
{
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

} // namespace quarvel
