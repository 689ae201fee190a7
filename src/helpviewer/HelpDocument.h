#pragma once

#include <QObject>
#include <QTemporaryDir>
#include <QUrl>

class QHelpEngine;

// One compiled help file opened for reading. Qt Help reads documents through
// a collection file; ours is private to this viewer and lives in a temporary
// folder, since the program folder may be read-only.
class HelpDocument : public QObject
{
    Q_OBJECT

public:
    enum class Status { NoFile, Open, Missing, Unreadable };

    explicit HelpDocument(QObject *parent = nullptr);
    ~HelpDocument() override;

    // Opens `helpFile` (an empty path opens nothing). Call once.
    Status open(const QString &helpFile);
    // Why the file could not be read, when open() says Unreadable.
    QString errorString() const { return m_error; }

    QHelpEngine *engine() const { return m_engine; }

    // The start page of the document, or an empty URL.
    QUrl homeUrl() const;
    // The page of a topic id, or an empty URL when the document has none.
    QUrl topicUrl(int topicId) const;

private:
    QUrl identifierUrl(const QString &identifier) const;

    QTemporaryDir m_folder;
    QHelpEngine *m_engine = nullptr;
    QString m_error;
};
