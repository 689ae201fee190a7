#include "widgets/StatementsBackup.h"

#include "core/AppState.h"
#include "core/DatabaseError.h"
#include "core/Messages.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "core/UserDatabaseBackup.h"
#include "reports/ReportNaming.h"
#include "store/CurrentStore.h"
#include "store/SqliteStatementStore.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>

namespace {

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString chooseFile(QWidget *parent, const BackupFileChooser &chooser, bool save,
                   const QString &suggested)
{
    if (chooser)
        return chooser(save, suggested);
    QFileDialog dialog(parent, caption(save ? kBackUpTitle : kRestoreTitle), suggested,
                       caption(kDatabaseFileFilter));
    dialog.setObjectName(save ? QStringLiteral("dlgBackUpFile") : QStringLiteral("dlgRestoreFile"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("mdb"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

// The statements of a team database are backed up on its server.
bool keptOnThisComputer(QWidget *parent)
{
    StatementStore &store = statementStore();
    if (!store.isTeam())
        return true;
    ShowMessage(caption(kBackupOnServerText).arg(store.description(appState().gintLanguage)),
                MsgButtons::Ok, MsgIcon::Information, QString(), parent);
    return false;
}

bool isDatabaseInUse(const QString &path)
{
    const QFileInfo chosen(path);
    return chosen.exists() && chosen.canonicalFilePath() ==
                                  QFileInfo(appState().gcnUser.filePath()).canonicalFilePath();
}

// A progress window that shows itself only when a copy lasts.
class CopyProgress
{
public:
    CopyProgress(QWidget *parent, int labelId)
        : m_dialog(caption(labelId), QString(), 0, 100, parent)
    {
        m_dialog.setObjectName(QStringLiteral("dlgCopyProgress"));
        m_dialog.setWindowTitle(caption(2));
        m_dialog.setCancelButton(nullptr); // a copy ends whole or changes nothing
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(500);
        m_dialog.setValue(0);
    }
    BackupProgress callback()
    {
        return [this](int done, int total) {
            m_dialog.setValue(total > 0 ? int(qint64(done) * 100 / total) : 100);
        };
    }

private:
    QProgressDialog m_dialog;
};
} // namespace

void subBackUpStatements(QWidget *parent, const BackupFileChooser &chooser)
{
    if (!keptOnThisComputer(parent))
        return;
    const QString suggested =
        QDir(exportFolder())
            .filePath(
                QStringLiteral("Quorvel %1.mdb").arg(QDate::currentDate().toString(Qt::ISODate)));
    const QString target = chooseFile(parent, chooser, true, suggested);
    if (target.isEmpty())
        return;
    if (isDatabaseInUse(target)) {
        ShowMessage(caption(kDatabaseInUseText).arg(nativePath(target)), MsgButtons::Ok,
                    MsgIcon::Warning, QString(), parent);
        return;
    }
    rememberExportFolder(target);
    try {
        CopyProgress progress(parent, kBackUpProgress);
        fncBackUpDatabase(appState().gcnUser, target, progress.callback());
    } catch (const DatabaseError &error) {
        ShowMessage(caption(kBackUpFailedText).arg(error.description()), MsgButtons::Ok,
                    MsgIcon::Warning, QString(), parent);
        return;
    }
    ShowMessage(caption(kBackedUpText).arg(nativePath(target)), MsgButtons::Ok,
                MsgIcon::Information, QString(), parent);
}

bool subRestoreStatements(QWidget *parent, const BackupFileChooser &chooser)
{
    if (!keptOnThisComputer(parent))
        return false;
    const QString path = chooseFile(parent, chooser, false, exportFolder());
    if (path.isEmpty())
        return false;
    const auto refuse = [parent](const QString &text) {
        ShowMessage(text, MsgButtons::Ok, MsgIcon::Warning, QString(), parent);
        return false;
    };
    if (isDatabaseInUse(path))
        return refuse(caption(kDatabaseInUseText).arg(nativePath(path)));
    if (const auto problem = fncCheckRestorableDatabase(path))
        return refuse(fncDatabaseProblemText(*problem, appState().gintLanguage) + QLatin1Char(' ') +
                      caption(kCannotRestoreText));

    Connection &live = appState().gcnUser;
    const QString setAside =
        fncSetAsidePath(live.filePath(), caption(kSetAsideLabel), QDateTime::currentDateTime());
    // What the restore does to the statements saved now: those of a firm and
    // year the backup holds are replaced, the others leave the list.
    QSet<QPair<QString, int>> incoming;
    QSet<QPair<QString, int>> saved;
    try {
        incoming = fncSavedStatementKeys(path);
        saved = fncSavedStatementKeys(live.filePath());
    } catch (const DatabaseError &error) {
        return refuse(caption(kRestoreFailedText).arg(error.description()));
    }
    const qsizetype replaced = QSet<QPair<QString, int>>(saved).intersect(incoming).size();
    if (ShowMessage(caption(kRestoreQuestion)
                        .arg(QString::number(incoming.size()), nativePath(path),
                             nativePath(setAside), QString::number(replaced),
                             QString::number(saved.size() - replaced)),
                    MsgButtons::YesNo, MsgIcon::Question, QString(), parent,
                    MsgAnswer::No) != MsgAnswer::Yes)
        return false;
    try {
        CopyProgress progress(parent, kRestoreProgress);
        fncRestoreDatabase(live, path, setAside, progress.callback());
    } catch (const DatabaseError &error) {
        return refuse(caption(kRestoreFailedText).arg(error.description()));
    }
    ShowMessage(caption(kRestoredText).arg(nativePath(path), nativePath(setAside)), MsgButtons::Ok,
                MsgIcon::Information, QString(), parent);
    return true;
}
