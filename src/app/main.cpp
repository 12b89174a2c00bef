#include "core/user_locale.h"
#include "ui/main_window.h"
#include "ui/message_box_prompt.h"
#include "ui/program_windows.h"
#include "ui/user_dialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarvel"));
    quarvel::MessageBoxPrompt prompt;
    quarvel::QtUserDialogs dialogs;
    quarvel::MainWindow window(prompt, dialogs, quarvel::UserLocale::fromEnvironment());
    quarvel::ProgramWindows programWindows(window);
    window.show();
    window.startUp(application.arguments().mid(1));
    return application.exec();
}
