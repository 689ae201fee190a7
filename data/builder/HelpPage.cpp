#include "HelpPage.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <stdexcept>

namespace {
QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(file.readAll());
}

QHash<QString, QString> texts(const QString &path, int column)
{
    QHash<QString, QString> byKey;
    for (const QString &line : readText(path).split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (cells.size() != 3)
            throw std::runtime_error(path.toStdString() +
                                     ": not three cells: " + line.toStdString());
        byKey.insert(cells.at(0), cells.at(column));
    }
    return byKey;
}
} // namespace

void writeHelpPage(const QString &output, const QString &templatePath, const QString &textsPath,
                   const QString &language)
{
    const QHash<QString, QString> byKey = texts(textsPath, language == QLatin1String("fr") ? 2 : 1);
    const QString page = readText(templatePath);
    static const QRegularExpression token(QStringLiteral(R"(\{\{(\w+)\}\})"));
    QString result;
    qsizetype last = 0;
    auto it = token.globalMatch(page);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const auto text = byKey.constFind(match.captured(1));
        if (text == byKey.constEnd())
            throw std::runtime_error(templatePath.toStdString() + ": no text for " +
                                     match.captured(1).toStdString());
        result += page.mid(last, match.capturedStart() - last) + text->toHtmlEscaped();
        last = match.capturedEnd();
    }
    result += page.mid(last);
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(result.toUtf8()) < 0 || !file.commit())
        throw std::runtime_error("cannot write " + output.toStdString());
}
