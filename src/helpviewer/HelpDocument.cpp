#include "helpviewer/HelpDocument.h"

#include <QFileInfo>
#include <QHelpEngine>
#include <QHelpLink>
#include <QHelpSearchEngine>

namespace {

// Help projects mark their pages with keyword ids: "home" for the start
// page, "topic-<n>" for the page of topic id n.
const QString kHomeIdentifier = QStringLiteral("home");

QString topicIdentifier(int topicId)
{
    return QStringLiteral("topic-%1").arg(topicId);
}

} // namespace

HelpDocument::HelpDocument(QObject *parent) : QObject(parent)
{
    m_engine = new QHelpEngine(m_folder.filePath(QStringLiteral("viewer.qhc")), this);
    m_engine->setReadOnly(false);
    m_engine->setUsesFilterEngine(true);
}

// The engine closes its collection before the temporary folder goes away.
HelpDocument::~HelpDocument()
{
    delete m_engine;
}

HelpDocument::Status HelpDocument::open(const QString &helpFile)
{
    Status status = Status::NoFile;
    if (!helpFile.isEmpty()) {
        const QFileInfo info(helpFile);
        if (!info.isFile()) {
            status = Status::Missing;
        } else if (!m_folder.isValid()) {
            m_error = m_folder.errorString();
            status = Status::Unreadable;
        } else if (!m_engine->setupData() || !m_engine->registerDocumentation(helpFile)) {
            m_error = m_engine->error();
            status = Status::Unreadable;
        } else {
            status = Status::Open;
        }
    }
    // Builds the contents and index models of whatever is registered.
    m_engine->setupData();
    if (status == Status::Open)
        m_engine->searchEngine()->reindexDocumentation();
    return status;
}

QUrl HelpDocument::homeUrl() const
{
    return identifierUrl(kHomeIdentifier);
}

QUrl HelpDocument::topicUrl(int topicId) const
{
    return identifierUrl(topicIdentifier(topicId));
}

QUrl HelpDocument::identifierUrl(const QString &identifier) const
{
    const QList<QHelpLink> links = m_engine->documentsForIdentifier(identifier);
    return links.isEmpty() ? QUrl() : links.first().url;
}
