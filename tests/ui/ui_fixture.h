#pragma once

// The program's windows driven as a user would, with the message boxes and file dialogs answered
// by a script.

#include "core/table_model.h"
#include "ui/data_grid.h"
#include "ui/data_window.h"
#include "ui/main_window.h"
#include "ui/user_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QList>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

namespace quarvel::test {

class ScriptedPrompt final : public UserPrompt
{
public:
    struct Message
    {
        QString text;
        QString caption;
        bool question = false;
    };
    QList<Message> messages;
    QList<bool> answers; // for the questions in turn; Cancel once they run out

    bool askOkCancel(const QString &text, const QString &caption) override
    {
        messages << Message{text, caption, true};
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void warn(const QString &text, const QString &caption) override { messages << Message{text, caption, false}; }

    QStringList texts() const
    {
        QStringList list;
        for (const Message &m : messages)
            list << m.text;
        return list;
    }
};

class ScriptedDialogs final : public UserDialogs
{
public:
    std::optional<OpenChoice> open;
    std::optional<QString> saveName;
    std::optional<QString> importFile;
    std::optional<QColor> color;
    int asked = 0;

    std::optional<OpenChoice> chooseDocumentToOpen(QWidget *) override { return ++asked, open; }
    std::optional<QString> chooseSaveName(QWidget *) override { return ++asked, saveName; }
    std::optional<QString> chooseTextFileToImport(QWidget *) override { return ++asked, importFile; }
    std::optional<QColor> chooseColor(QWidget *, const QColor &) override { return ++asked, color; }
};

struct UiFixture
{
    ScriptedPrompt prompt;
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> window;

    MainWindow &start(const QStringList &arguments = {})
    {
        window = std::make_unique<MainWindow>(prompt, dialogs, UserLocale::point());
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("main window not exposed");
        window->startUp(arguments);
        QCoreApplication::processEvents();
        return *window;
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    QAction *command(const char *name) const { return window->findChild<QAction *>(QLatin1String(name)); }
    void trigger(const char *name) const
    {
        QAction *action = command(name);
        QVERIFY2(action, name);
        QVERIFY2(action->isEnabled(), name);
        action->trigger();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    DataWindow *active() const { return window->activeDataWindow(); }
    Document &document() const { return active()->document(); }
    DataGrid *grid() const { return active()->dataGrid(); }
    QString statusText() const { return window->findChild<QLabel *>(QStringLiteral("sampleCountPanel"))->text(); }
    QString pasteModeText() const { return window->findChild<QLabel *>(QStringLiteral("pasteModePanel"))->text(); }

    // Cells of grid positions as the user sees them typed.
    void setCells(int row, const QStringList &texts) const
    {
        for (int i = 0; i < texts.size(); ++i)
            document().table.setCell(row, i + 1, texts.at(i));
        document().changes.tableReset();
    }
    QString cell(int row, int column) const { return document().table.cell(row, column); }
};

} // namespace quarvel::test
