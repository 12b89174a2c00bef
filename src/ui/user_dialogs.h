#pragma once

#include "files/open_save_commands.h"

#include <optional>

#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

namespace quarvel {

struct OpenChoice
{
    QString fileName;
    OpenFileType type = OpenFileType::Current;
};

// The file and colour dialogs. Each returns the user's choice, or nothing when the dialog was
// cancelled; the commands take the choice from here, so tests answer in place of the user.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;
    virtual std::optional<OpenChoice> chooseDocumentToOpen(QWidget *parent) = 0;
    virtual std::optional<QString> chooseSaveName(QWidget *parent) = 0;
    virtual std::optional<QString> chooseTextFileToImport(QWidget *parent) = 0;
    virtual std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) = 0;
};

// The open dialog's filters, "Quarvel 3.0 files (*.qvd)" and so on, in type order.
QStringList openFilters();
QString saveFilter();
QString importFilter();
// The type a filter of the open dialog stands for; the first type for an unknown filter.
OpenFileType openFileTypeOfFilter(const QString &filter);

class QtUserDialogs final : public UserDialogs
{
public:
    std::optional<OpenChoice> chooseDocumentToOpen(QWidget *parent) override;
    std::optional<QString> chooseSaveName(QWidget *parent) override;
    std::optional<QString> chooseTextFileToImport(QWidget *parent) override;
    std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) override;
};

} // namespace quarvel
