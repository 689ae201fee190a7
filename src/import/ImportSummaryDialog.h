#pragma once

#include "import/StatementFile.h"
#include "import/StatementImport.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// What an import would put on the firm screen, for the user to accept or
// cancel: the amount column to take when the file has several, the summary
// of that column's import (its failed checks first), and the rows no item
// was found for, each of which the user may assign to an item or ignore.
class ImportSummaryDialog : public QDialog
{
    Q_OBJECT

public:
    // `file` as read from `path` with `options`; an assignment reads the
    // file again with it.
    ImportSummaryDialog(StatementFile file, const QString &path, ImportOptions options,
                        QWidget *parent);

    // Takes the amounts of file.amountColumns[choice] and shows their summary.
    void chooseColumn(int choice);
    // Assigns the rows labelled `label` to the item of `column` ("Cash"), or
    // ignores them when `column` is empty, and imports again.
    void assignRow(const QString &label, const QString &column);
    const StatementImport &result() const { return m_import; }
    // The assignments made here, to remember for the client.
    const LabelMapping &assignments() const { return m_assignments; }
    // Whether the file as now assigned can be imported.
    bool importable() const { return m_file.fault == ImportFault::None; }

    QLabel *lblColumn = nullptr;
    QComboBox *cboAmountColumn = nullptr;
    QPlainTextEdit *txtImportSummary = nullptr;
    QLabel *lblUnrecognised = nullptr;
    QTableWidget *tblUnrecognised = nullptr;
    QLabel *lblImportQuestion = nullptr;
    QPushButton *btnImportAccept = nullptr;
    QPushButton *btnImportCancel = nullptr;

private:
    void fillUnrecognised();

    StatementFile m_file;
    QString m_path;
    ImportOptions m_options;
    LabelMapping m_assignments;
    StatementImport m_import;
};
