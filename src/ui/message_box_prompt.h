#pragma once

#include "core/user_prompt.h"

class QWidget;

namespace quarvel {

// The program's message boxes as real dialogs, modal over the active window.
class MessageBoxPrompt final : public UserPrompt
{
public:
    bool askOkCancel(const QString &text, const QString &caption) override;
    void warn(const QString &text, const QString &caption) override;
};

} // namespace quarvel
