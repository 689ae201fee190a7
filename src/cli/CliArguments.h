#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The options of one command line: "--name value", "--name=value" and
// flags. Anything the command does not know is a usage error.

struct CliOption
{
    // Without the leading "--". An option named "" takes the one word that
    // is no option: the command's operand ("import FILE").
    const char *name;
    bool takesValue = true;  // false for a flag
    bool repeatable = false; // may be given several times ("--map A=B --map C=D")
};

class CliArguments
{
public:
    CliArguments() = default;
    // Reads `arguments` (after the command's name) against `known`; throws
    // CliFailure with CliStatus::Usage on an unknown option, a value left
    // out or a word that is no option.
    CliArguments(const QStringList &arguments, const QList<CliOption> &known);

    bool has(const QString &name) const { return m_values.contains(name); }
    QString value(const QString &name) const { return m_values.value(name); }
    // Every value of a repeatable option, in the order given.
    QStringList values(const QString &name) const { return m_lists.value(name); }
    // The option's value; a usage error when it was not given.
    QString required(const QString &name) const;
    // The option's value as a whole number; a usage error when it is none.
    int integer(const QString &name) const;
    // The value, which must be one of `choices` (any letter case); a usage
    // error otherwise. Returns it in the choice's spelling.
    QString choice(const QString &name, const QStringList &choices) const;

private:
    QHash<QString, QString> m_values;
    QHash<QString, QStringList> m_lists;
};
