#include "cli/CliArgs.h"

namespace kivo::cli {

std::optional<CliArgs> parseArgs(const QStringList& args, const QStringList& valued, const QStringList& flags,
                                 QString* error)
{
    CliArgs out;
    const auto fail = [&](const QString& why) -> std::optional<CliArgs> {
        if (error) *error = why;
        return std::nullopt;
    };
    bool optionsEnded = false; // after "--" every word is an operand, "-x.mes" too
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (optionsEnded || !a.startsWith(u'-') || a == u"-") {
            if (out.command.isEmpty() && !optionsEnded)
                out.command = a;
            else
                out.operands << a;
            continue;
        }
        if (a == u"--") {
            optionsEnded = true;
            continue;
        }
        if (!a.startsWith(u"--")) return fail(QStringLiteral("unknown option %1").arg(a));
        const qsizetype eq = a.indexOf(u'=');
        const QString name = a.mid(2, eq < 0 ? -1 : eq - 2);
        // Given twice, one of the two would be dropped without a word.
        if (out.options.contains(name)) return fail(QStringLiteral("--%1 is given twice").arg(name));
        if (flags.contains(name)) {
            if (eq >= 0) return fail(QStringLiteral("--%1 takes no value").arg(name));
            out.options.insert(name, QString());
        } else if (valued.contains(name)) {
            if (eq >= 0) {
                out.options.insert(name, a.mid(eq + 1));
            } else if (i + 1 < args.size()) {
                out.options.insert(name, args[++i]);
            } else {
                return fail(QStringLiteral("--%1 needs a value").arg(name));
            }
        } else {
            return fail(QStringLiteral("unknown option --%1").arg(name));
        }
    }
    return out;
}

} // namespace kivo::cli
