#include "reports/ReferenceAttachment.h"

#include "core/DatabaseError.h"

#include <QFileInfo>
#include <QHash>
#include <QUrl>

namespace {
// The reference connection attached to each user connection, by name.
// Connection names are never used twice, so an entry cannot go stale.
QHash<QString, QString> &attachedConnections()
{
    thread_local QHash<QString, QString> attached;
    return attached;
}
} // namespace

void attachReference(Connection &cnUser, Connection &cnReference)
{
    if (!cnReference.isOpen())
        throw DatabaseError(3704,
                            QStringLiteral("Operation is not allowed when the object is closed."));
    const QString user = cnUser.connectionName();
    const auto attached = attachedConnections().constFind(user);
    if (attached != attachedConnections().constEnd() && *attached == cnReference.connectionName())
        return;

    qint16 errors = 0;
    const QString schema = QLatin1String(kReferenceSchema);
    if (attached != attachedConnections().constEnd())
        ExecCmdInDB(cnUser, QStringLiteral("detach database ") + schema, errors);
    // The user connection reads file names as URIs: "mode=ro" keeps the
    // reference database read-only there too.
    const QString uri = QUrl::fromLocalFile(QFileInfo(cnReference.filePath()).absoluteFilePath())
                            .toString(QUrl::FullyEncoded) +
                        QStringLiteral("?mode=ro");
    ExecCmdInDB(cnUser, QStringLiteral("attach database ? as ") + schema, errors, {uri});
    attachedConnections().insert(user, cnReference.connectionName());
}
