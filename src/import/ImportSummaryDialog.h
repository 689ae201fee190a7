#pragma once

#include "import/StatementFile.h"
#include "import/StatementImport.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// What an import would put on the firm screen, for the user to accept or
// cancel: the amount column to take when the file has several, and the
// summary of that column's import.
class ImportSummaryDialog : public QDialog
{
    Q_OBJECT

public:
    ImportSummaryDialog(const StatementFile &file, const QString &path, QWidget *parent);

    // Takes the amounts of file.amountColumns[choice] and shows their summary.
    void chooseColumn(int choice);
    const StatementImport &result() const { return m_import; }

    QLabel *lblColumn = nullptr;
    QComboBox *cboAmountColumn = nullptr;
    QPlainTextEdit *txtImportSummary = nullptr;
    QLabel *lblImportQuestion = nullptr;
    QPushButton *btnImportAccept = nullptr;
    QPushButton *btnImportCancel = nullptr;

private:
    const StatementFile &m_file;
    StatementImport m_import;
};
