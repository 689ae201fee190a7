#include "import/ImportSummaryDialog.h"

#include "core/AppState.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "import/ImportTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

ImportSummaryDialog::ImportSummaryDialog(const StatementFile &file, const QString &path,
                                         QWidget *parent)
    : QDialog(parent), m_file(file)
{
    setObjectName(QStringLiteral("dlgImportSummary"));
    setWindowTitle(caption(kImportTitle) + QStringLiteral(" – ") + QFileInfo(path).fileName());
    auto *layout = new QVBoxLayout(this);

    auto *columnRow = new QHBoxLayout;
    lblColumn = new QLabel(caption(kImportColumnLabel), this);
    lblColumn->setObjectName(QStringLiteral("lblColumn"));
    cboAmountColumn = new QComboBox(this);
    cboAmountColumn->setObjectName(QStringLiteral("cboAmountColumn"));
    for (const AmountColumn &column : file.amountColumns)
        cboAmountColumn->addItem(column.heading);
    lblColumn->setBuddy(cboAmountColumn);
    columnRow->addWidget(lblColumn);
    columnRow->addWidget(cboAmountColumn, 1);
    layout->addLayout(columnRow);
    // One column leaves nothing to choose.
    lblColumn->setVisible(file.amountColumns.size() > 1);
    cboAmountColumn->setVisible(file.amountColumns.size() > 1);

    txtImportSummary = new QPlainTextEdit(this);
    txtImportSummary->setObjectName(QStringLiteral("txtImportSummary"));
    txtImportSummary->setReadOnly(true);
    txtImportSummary->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    layout->addWidget(txtImportSummary, 1);

    lblImportQuestion = new QLabel(caption(kImportQuestion), this);
    lblImportQuestion->setObjectName(QStringLiteral("lblImportQuestion"));
    lblImportQuestion->setWordWrap(true);
    layout->addWidget(lblImportQuestion);

    auto *buttons = new QDialogButtonBox(this);
    btnImportAccept = buttons->addButton(caption(kImportAccept), QDialogButtonBox::AcceptRole);
    btnImportAccept->setObjectName(QStringLiteral("btnImportAccept"));
    btnImportCancel = buttons->addButton(caption(kImportCancel), QDialogButtonBox::RejectRole);
    btnImportCancel->setObjectName(QStringLiteral("btnImportCancel"));
    btnImportAccept->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(cboAmountColumn, &QComboBox::currentIndexChanged, this,
            &ImportSummaryDialog::chooseColumn);
    chooseColumn(0);
    resize(620, 460);
}

void ImportSummaryDialog::chooseColumn(int choice)
{
    if (cboAmountColumn->currentIndex() != choice) {
        cboAmountColumn->setCurrentIndex(choice); // comes back here through the signal
        return;
    }
    m_import = importStatement(m_file, choice);
    txtImportSummary->setPlainText(
        importSummaryLines(m_import, appState().gintLanguage).join(QLatin1Char('\n')));
}
