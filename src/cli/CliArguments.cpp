#include "cli/CliArguments.h"

#include "cli/CliStatus.h"

#include <algorithm>

namespace {
[[noreturn]] void usageError(const QString &message)
{
    throw CliFailure{CliStatus::Usage, message};
}
} // namespace

CliArguments::CliArguments(const QStringList &arguments, const QList<CliOption> &known)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &word = arguments.at(i);
        if (!word.startsWith(QLatin1String("--")) || word.size() == 2) {
            const bool operand = std::any_of(known.cbegin(), known.cend(),
                                             [](const CliOption &o) { return !*o.name; });
            if (!operand || m_values.contains(QString()))
                usageError(QStringLiteral("unexpected argument \"%1\"").arg(word));
            m_values.insert(QString(), word);
            continue;
        }
        QString name = word.mid(2);
        std::optional<QString> value;
        if (const qsizetype equals = name.indexOf(QLatin1Char('=')); equals >= 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        const auto option = std::find_if(known.cbegin(), known.cend(), [&name](const CliOption &o) {
            return name == QLatin1String(o.name);
        });
        if (option == known.cend())
            usageError(QStringLiteral("unknown option --%1").arg(name));
        if (!option->takesValue) {
            if (value)
                usageError(QStringLiteral("--%1 takes no value").arg(name));
            m_values.insert(name, QString());
            continue;
        }
        if (!value) {
            if (i + 1 >= arguments.size())
                usageError(QStringLiteral("--%1 needs a value").arg(name));
            value = arguments.at(++i);
        }
        if (m_values.contains(name) && !option->repeatable)
            usageError(QStringLiteral("--%1 is given twice").arg(name));
        m_values.insert(name, *value);
        m_lists[name].append(*value);
    }
}

QString CliArguments::required(const QString &name) const
{
    if (!has(name) || value(name).trimmed().isEmpty())
        usageError(QStringLiteral("--%1 is required").arg(name));
    return value(name);
}

int CliArguments::integer(const QString &name) const
{
    bool ok = false;
    const int number = required(name).trimmed().toInt(&ok);
    if (!ok)
        usageError(QStringLiteral("--%1 takes a whole number, not \"%2\"").arg(name, value(name)));
    return number;
}

QString CliArguments::choice(const QString &name, const QStringList &choices) const
{
    const QString given = required(name).trimmed();
    for (const QString &choice : choices)
        if (given.compare(choice, Qt::CaseInsensitive) == 0)
            return choice;
    usageError(QStringLiteral("--%1 is one of %2, not \"%3\"")
                   .arg(name, choices.join(QLatin1Char('|')), given));
}
