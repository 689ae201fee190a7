#include "core/MenuMnemonics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace {
QString withoutMarks(const QString &text)
{
    QString plain = text;
    plain.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    plain.remove(QLatin1Char('&'));
    plain.replace(QStringLiteral("\x01"), QStringLiteral("&&"));
    return plain;
}

// Positions to try, in order: the first letter of each word, then every
// other letter or digit.
QList<qsizetype> candidates(const QString &text)
{
    QList<qsizetype> wordStarts;
    QList<qsizetype> others;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!text.at(i).isLetterOrNumber())
            continue;
        const bool wordStart = i == 0 || !text.at(i - 1).isLetterOrNumber();
        (wordStart ? wordStarts : others) << i;
    }
    return wordStarts + others;
}

void assignToActions(const QList<QAction *> &actions)
{
    QList<QAction *> items;
    QStringList texts;
    for (QAction *action : actions) {
        if (action->isSeparator() || action->text().isEmpty())
            continue;
        items << action;
        texts << action->text();
    }
    const QStringList marked = withMnemonics(texts);
    for (int i = 0; i < items.size(); ++i)
        items.at(i)->setText(marked.at(i));
}
} // namespace

QStringList withMnemonics(const QStringList &texts)
{
    QStringList result;
    QSet<QString> used;
    for (const QString &text : texts) {
        const QString plain = withoutMarks(text);
        QString marked = plain;
        for (const qsizetype position : candidates(plain)) {
            const QString key = plain.at(position).toLower();
            if (used.contains(key))
                continue;
            used.insert(key);
            marked.insert(position, QLatin1Char('&'));
            break;
        }
        result << marked;
    }
    return result;
}

void assignMnemonics(QMenuBar *bar)
{
    assignToActions(bar->actions());
    for (QAction *title : bar->actions())
        if (QMenu *menu = title->menu())
            assignToActions(menu->actions());
}
