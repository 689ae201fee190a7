#include "import/ImportSummaryDialog.h"

#include "core/AppState.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "firm/StatementItems.h"
#include "import/ImportLabels.h"
#include "import/ImportTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// The rows the table offers for assignment: as many as the summary lists.
constexpr int kAssignableRows = 50;
} // namespace

ImportSummaryDialog::ImportSummaryDialog(StatementFile file, const QString &path,
                                         ImportOptions options, QWidget *parent)
    : QDialog(parent), m_file(std::move(file)), m_path(path), m_options(std::move(options))
{
    setObjectName(QStringLiteral("dlgImportSummary"));
    setWindowTitle(caption(kImportTitle) + QStringLiteral(" – ") + QFileInfo(path).fileName());
    auto *layout = new QVBoxLayout(this);

    auto *columnRow = new QHBoxLayout;
    lblColumn = new QLabel(caption(kImportColumnLabel), this);
    lblColumn->setObjectName(QStringLiteral("lblColumn"));
    cboAmountColumn = new QComboBox(this);
    cboAmountColumn->setObjectName(QStringLiteral("cboAmountColumn"));
    for (const AmountColumn &column : std::as_const(m_file.amountColumns))
        cboAmountColumn->addItem(column.heading);
    lblColumn->setBuddy(cboAmountColumn);
    columnRow->addWidget(lblColumn);
    columnRow->addWidget(cboAmountColumn, 1);
    layout->addLayout(columnRow);
    // One column leaves nothing to choose.
    lblColumn->setVisible(m_file.amountColumns.size() > 1);
    cboAmountColumn->setVisible(m_file.amountColumns.size() > 1);

    txtImportSummary = new QPlainTextEdit(this);
    txtImportSummary->setObjectName(QStringLiteral("txtImportSummary"));
    txtImportSummary->setReadOnly(true);
    txtImportSummary->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    layout->addWidget(txtImportSummary, 2);

    lblUnrecognised = new QLabel(caption(kImportAssignLabel), this);
    lblUnrecognised->setObjectName(QStringLiteral("lblUnrecognised"));
    lblUnrecognised->setWordWrap(true);
    layout->addWidget(lblUnrecognised);
    tblUnrecognised = new QTableWidget(0, 3, this);
    tblUnrecognised->setObjectName(QStringLiteral("tblUnrecognised"));
    tblUnrecognised->setHorizontalHeaderLabels(
        {caption(kImportRowHeading), caption(kImportValueHeading), caption(kImportItemHeading)});
    tblUnrecognised->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    tblUnrecognised->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    tblUnrecognised->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    tblUnrecognised->verticalHeader()->hide();
    tblUnrecognised->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lblUnrecognised->setBuddy(tblUnrecognised);
    layout->addWidget(tblUnrecognised, 1);

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
    resize(680, 560);
}

void ImportSummaryDialog::chooseColumn(int choice)
{
    if (choice >= 0 && cboAmountColumn->currentIndex() != choice) {
        cboAmountColumn->setCurrentIndex(choice); // comes back here through the signal
        return;
    }
    const Language language = appState().gintLanguage;
    if (!importable()) {
        // Assignments that leave the file nothing to import say so; nothing
        // can be imported until one is taken back.
        m_import = StatementImport();
        txtImportSummary->setPlainText(
            importFaultMessage(m_file.fault, QFileInfo(m_path).fileName(), language, m_file));
    } else {
        m_import = importStatement(m_file, qMax(choice, 0));
        txtImportSummary->setPlainText(
            importSummaryLines(m_import, language).join(QLatin1Char('\n')));
    }
    btnImportAccept->setEnabled(importable());
    fillUnrecognised();
}

void ImportSummaryDialog::assignRow(const QString &label, const QString &column)
{
    const QString folded = foldImportLabel(label);
    m_assignments.insert(folded, column);
    m_options.mapping.insert(folded, column);
    m_file = readStatementFile(m_path, m_options);
    const int choice = cboAmountColumn->currentIndex();
    chooseColumn(choice < m_file.amountColumns.size() ? choice : 0);
}

void ImportSummaryDialog::fillUnrecognised()
{
    const Language language = appState().gintLanguage;
    const QList<ImportRowNote> &rows = m_import.unrecognised;
    const int shown = int(qMin<qsizetype>(rows.size(), kAssignableRows));
    tblUnrecognised->setRowCount(shown);
    for (int i = 0; i < shown; ++i) {
        const ImportRowNote &row = rows.at(i);
        tblUnrecognised->setItem(
            i, 0,
            new QTableWidgetItem(
                caption(kImportRowAndLabel).arg(QString::number(row.row), row.label)));
        tblUnrecognised->setItem(i, 1, new QTableWidgetItem(row.value));
        auto *items = new QComboBox(tblUnrecognised);
        items->setObjectName(QStringLiteral("cboAssign%1").arg(row.row));
        items->setAccessibleName(caption(kImportItemHeading) + QStringLiteral(": ") + row.label);
        items->addItem(caption(kImportLeaveRow));
        items->addItem(caption(kImportIgnoreRow), QString());
        for (const StatementItem &item : statementItems())
            if (!item.computed)
                items->addItem(ResourceString(item.captionId, language).trimmed(),
                               QString::fromLatin1(item.column));
        // Queued: the assignment rebuilds this table, this box with it.
        connect(items, &QComboBox::activated, this, [this, items, label = row.label](int index) {
            if (index <= 0)
                return;
            const QString column = items->itemData(index).toString();
            QTimer::singleShot(0, this, [this, label, column] { assignRow(label, column); });
        });
        tblUnrecognised->setCellWidget(i, 2, items);
    }
    lblUnrecognised->setVisible(shown > 0);
    tblUnrecognised->setVisible(shown > 0);
}
