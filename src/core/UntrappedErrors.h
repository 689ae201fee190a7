#pragma once

#include <QApplication>
#include <functional>

// The one place where an error that nothing trapped ends the program: a
// message box gives its number and description, then the process ends with
// a non-zero status.
[[noreturn]] void reportUntrappedError(int number, const QString &description);

// The text of that message.
QString untrappedErrorText(int number, const QString &description);

// Runs `work`, sending any error that escapes it to reportUntrappedError.
// Returns normally only if `work` did.
void runGuarded(const std::function<void()> &work);

// The application object: every event is dispatched under runGuarded, so no
// exception crosses Qt's event loop.
class QuorvelApplication : public QApplication
{
    Q_OBJECT

public:
    QuorvelApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
