// The firm screen's files: the blank template it writes and the statements
// it imports.
#include "firm/frmMyValues.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "firm/ReferenceYears.h"
#include "firm/StatementItems.h"
#include "import/ImportSummaryDialog.h"
#include "import/ImportTexts.h"
#include "import/StatementTemplate.h"
#include "reports/ReportNaming.h"
#include "session/AppSession.h"
#include "store/StoreError.h"
#include "store/StoreMessages.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>

void frmMyValues::subSaveTemplate()
{
    const Language language = appState().gintLanguage;
    const QString suggested =
        QDir(exportFolder())
            .filePath(language == Language::French ? QStringLiteral("modele-etat-financier.xlsx")
                                                   : QStringLiteral("statement-template.xlsx"));
    QString path;
    if (m_fileChooser) {
        path = m_fileChooser(true, suggested);
    } else {
        const QString xlsx = caption(kXlsxFilter);
        QString chosenFilter = xlsx;
        path = QFileDialog::getSaveFileName(this, caption(kSaveTemplateTitle), suggested,
                                            xlsx + QStringLiteral(";;") + caption(kCsvFilter),
                                            &chosenFilter);
        if (!path.isEmpty() && !templateFormatOf(path))
            path += chosenFilter == xlsx ? QStringLiteral(".xlsx") : QStringLiteral(".csv");
    }
    if (path.isEmpty())
        return; // the user cancelled
    const std::optional<TemplateFormat> format = templateFormatOf(path);
    const QString firm = fncVerifyFirmName() ? txtFirmName->text().trimmed() : QString();
    const std::optional<int> year = fncStorableYear(cboYear->currentText());
    if (!format || !writeStatementTemplate(path, *format, language, firm, year)) {
        ShowMessage(caption(kTemplateNotWritten).arg(QDir::toNativeSeparators(path)),
                    MsgButtons::Ok, MsgIcon::Warning, QString(), this);
        return;
    }
    rememberExportFolder(path);
}

bool frmMyValues::subImportStatement()
{
    const QString path = m_fileChooser
                             ? m_fileChooser(false, exportFolder())
                             : QFileDialog::getOpenFileName(this, caption(kImportTitle),
                                                            exportFolder(), caption(kImportFilter));
    if (path.isEmpty())
        return false;
    rememberExportFolder(path);
    // The client's rows assigned by hand before apply: the client is the
    // firm on the screen, or else the one the file names.
    const Language language = appState().gintLanguage;
    QString client = fncVerifyFirmName() ? txtFirmName->text() : QString();
    ImportOptions options;
    StatementFile file;
    try {
        if (client.isEmpty())
            client = readStatementFile(path).firmName;
        options = appSession().importOptions(client, {});
        file = readStatementFile(path, options);
    } catch (const StoreError &error) {
        ShowMessage(fncStoreRefusalMessage(StoreCommand::Read, error, language), MsgButtons::Ok,
                    MsgIcon::Warning, QString(), this);
        return false;
    }
    if (file.fault != ImportFault::None) {
        ShowMessage(importFaultMessage(file.fault, QDir::toNativeSeparators(path), language, file) +
                        QLatin1Char(' ') + caption(kImportNothingChanged),
                    MsgButtons::Ok, MsgIcon::Warning, QString(), this);
        return false;
    }
    ImportSummaryDialog summary(file, path, options, this);
    const bool accepted =
        m_summaryRunner ? m_summaryRunner(summary) : summary.exec() == QDialog::Accepted;
    if (!accepted || !summary.importable())
        return false;
    const QString firm = summary.result().firmName.isEmpty() ? client : summary.result().firmName;
    try {
        appSession().rememberMapping(firm, summary.assignments());
    } catch (const StoreError &error) {
        // The amounts still go on the screen; only the memory of the rows is lost.
        ShowMessage(fncStoreRefusalMessage(StoreCommand::Save, error, language), MsgButtons::Ok,
                    MsgIcon::Warning, QString(), this);
    }

    const StatementImport &import = summary.result();
    if (!import.firmName.isEmpty())
        txtFirmName->setText(import.firmName);
    if (import.year)
        cboYear->setEditText(QString::number(*import.year));
    const auto amounts = import.amounts();
    for (int i = 0; i < kStatementItemCount; ++i) {
        if (!statementItems()[i].computed)
            amountBox(QString::fromLatin1(statementItems()[i].column))
                ->setText(QString::number(amounts[i], 'f', 0));
    }
    subCalculateSubTotals();
    mblnDataChanged = true;
    return true;
}
