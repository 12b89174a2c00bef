#pragma once

#include <QString>

namespace quarvel {

// The program's message boxes: the windows answer with real dialogs, tests with a script.
class UserPrompt
{
public:
    virtual ~UserPrompt() = default;
    // OK and Cancel; true for OK.
    virtual bool askOkCancel(const QString &text, const QString &caption) = 0;
    // OK only.
    virtual void warn(const QString &text, const QString &caption) = 0;
};

} // namespace quarvel
