#include "cli/command_line.h"

namespace quarvel {

CommandLine parseCommandLine(const QStringList &words, const QStringList &valueOptions,
                             const QStringList &flagOptions)
{
    CommandLine line;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words[i];
        if (valueOptions.contains(word)) {
            if (i + 1 >= words.size()) {
                line.error = word + QStringLiteral(" needs a value");
                return line;
            }
            line.options.insert(word, words[++i]);
        } else if (flagOptions.contains(word)) {
            line.flags.append(word);
        } else if (word.startsWith(QLatin1Char('-')) && word.size() > 1) {
            line.error = QStringLiteral("unknown option ") + word;
            return line;
        } else {
            line.positional.append(word);
        }
    }
    return line;
}

} // namespace quarvel
