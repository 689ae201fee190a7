#include "import/ImportTexts.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "firm/StatementItems.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {
// The import's texts beyond those of StringIds.h (English; French at id + 1).
constexpr int kFaultOwnExport = 3000;           // %1 the file
constexpr int kFaultNothingFilled = 3002;       // %1 the file
constexpr int kFaultTooLarge = 3004;            // %1 the file, %2 the limit
constexpr int kFaultBeyondSheetLimits = 3006;   // %1 the file, %2 the cell
constexpr int kFaultFormulaWithoutValue = 3008; // %1 the file, %2 the cells
constexpr int kFaultRaggedCsvRow = 3010;        // %1 the file, %2 the line
constexpr int kFaultSheetNotChosen = 3012;      // %1 the file, %2 the sheets
constexpr int kFaultUnknownSheet = 3014;        // %1 the file, %2 its sheets
constexpr int kSummaryNothingFilled = 3016;
constexpr int kCheckUnbalanced = 3018;  // %1 assets, %2 liabilities and equity, %3 difference
constexpr int kCheckIncomeOrder = 3020; // %1 %2 the line, %3 %4 the one it is part of, %5, %6 row
constexpr int kCheckNegative = 3022;    // %1 the line, %2 its amount, %3 its row
constexpr int kCheckFileTotal = 3024;   // %1 the total, %2 in the file, %3 computed, %4, %5 row
constexpr int kSummarySheet = 3026;
constexpr int kSummaryScaleFromFile = 3028;   // %1 the file's words, %2 the factor
constexpr int kSummaryScaleAsked = 3030;      // %1 the factor
constexpr int kSummaryScaleOverridden = 3032; // %1 the file's words
constexpr int kSummaryHidden = 3034;          // %1 rows, %2 columns
constexpr int kSummaryDebitCredit = 3036;
constexpr int kSummarySignedBalance = 3038;
constexpr int kSummarySummed = 3040;
constexpr int kSummarySummedRow = 3042; // %1 the item, %2 the rows, %3 the sum
constexpr int kSummaryMoreRows = 3044;  // %1 how many more

// The rows listed one by one; a file of thousands gets a count for the rest.
constexpr int kListedRows = 50;

int faultTextId(ImportFault fault)
{
    switch (fault) {
    case ImportFault::CannotOpen:
        return kImportCannotOpen;
    case ImportFault::PasswordProtected:
        return kImportPasswordProtected;
    case ImportFault::Empty:
        return kImportEmpty;
    case ImportFault::MixedSeparators:
        return kImportMixedSeparators;
    case ImportFault::NoAmountColumn:
        return kImportNoAmountColumn;
    case ImportFault::NoItems:
        return kImportNoItems;
    case ImportFault::UnknownColumn:
        return kImportUnknownColumn;
    case ImportFault::ColumnNotChosen:
        return kImportColumnNotChosen;
    case ImportFault::OwnExport:
        return kFaultOwnExport;
    case ImportFault::NothingFilled:
        return kFaultNothingFilled;
    case ImportFault::TooLarge:
        return kFaultTooLarge;
    case ImportFault::BeyondSheetLimits:
        return kFaultBeyondSheetLimits;
    case ImportFault::FormulaWithoutValue:
        return kFaultFormulaWithoutValue;
    case ImportFault::RaggedCsvRow:
        return kFaultRaggedCsvRow;
    case ImportFault::SheetNotChosen:
        return kFaultSheetNotChosen;
    case ImportFault::UnknownSheet:
        return kFaultUnknownSheet;
    case ImportFault::NotSpreadsheet:
    case ImportFault::None:
        break;
    }
    return kImportNotSpreadsheet;
}

QString itemName(int item, Language language)
{
    return ResourceString(statementItems()[item].captionId, language).trimmed();
}

// An item's name inside a sentence.
QString itemNameWithin(int item, Language language)
{
    QString name = itemName(item, language);
    if (!name.isEmpty())
        name[0] = name[0].toLower();
    return name;
}

QString quoted(const QString &text, Language language)
{
    return ResourceString(kQuotedText, language).arg(text);
}

// A check the statement fails, with both amounts and their difference.
QString checkLine(const ImportCheck &check, Language language)
{
    const auto amount = [language](double value) { return summaryAmount(value, language); };
    const QString difference = amount(std::fabs(check.difference()));
    switch (check.kind) {
    case ImportCheck::Kind::Unbalanced:
        return ResourceString(kCheckUnbalanced, language)
            .arg(amount(check.amount), amount(check.other), difference);
    case ImportCheck::Kind::IncomeOrder:
        return ResourceString(kCheckIncomeOrder, language)
            .arg(itemName(check.item, language), amount(check.amount),
                 itemNameWithin(check.otherItem, language), amount(check.other), difference)
            .arg(check.row);
    case ImportCheck::Kind::Negative:
        return ResourceString(kCheckNegative, language)
            .arg(itemName(check.item, language), amount(check.amount))
            .arg(check.row);
    case ImportCheck::Kind::FileTotal:
        return ResourceString(kCheckFileTotal, language)
            .arg(itemName(check.item, language), amount(check.amount), amount(check.other),
                 difference)
            .arg(check.row);
    }
    return QString();
}

// A row's value as the summary shows it: an amount the import read back in
// the language's figures ("-1,200", never the file's "(1,200)"), any other
// text as the file gives it.
QString shownValue(const QString &value, Language language)
{
    static const QRegularExpression plain(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    return plain.match(value).hasMatch() ? summaryAmount(value.toDouble(), language) : value;
}
} // namespace

QString summaryAmount(double amount, Language language)
{
    const QLocale locale(language == Language::French ? QLocale::French : QLocale::English,
                         QLocale::Canada);
    const bool whole = amount == std::round(amount);
    return locale.toString(amount, 'f', whole ? 0 : 2);
}

QString importFaultMessage(ImportFault fault, const QString &path, Language language,
                           const StatementFile &file, const QString &column)
{
    QString text = ResourceString(faultTextId(fault), language);
    QStringList headings;
    for (const AmountColumn &amountColumn : file.amountColumns)
        headings << quoted(amountColumn.heading, language);
    if (fault == ImportFault::UnknownColumn) {
        text = text.arg(path, quoted(column, language), headings.join(QStringLiteral(", ")));
    } else if (fault == ImportFault::ColumnNotChosen) {
        text = text.arg(path, headings.join(QStringLiteral(", ")));
    } else if (fault == ImportFault::SheetNotChosen || fault == ImportFault::UnknownSheet) {
        QStringList sheets;
        for (const QString &sheet : file.faultPlaces)
            sheets << quoted(sheet, language);
        text = text.arg(path, sheets.join(QStringLiteral(", ")));
    } else if (text.contains(QLatin1String("%2"))) {
        text = text.arg(path, file.faultPlaces.join(QStringLiteral(", ")));
    } else {
        text = text.arg(path);
    }
    return text;
}

QStringList importSummaryLines(const StatementImport &import, Language language)
{
    const auto text = [language](int id) { return ResourceString(id, language); };
    const auto label = [&](const QString &shown) {
        return shown.isEmpty() ? text(kSummaryNoLabel) : quoted(shown, language);
    };
    QStringList lines;
    // What stands in the way of saving comes first.
    if (import.filledCount() == 0)
        lines << text(kSummaryNothingFilled);
    for (const ImportCheck &check : import.checks)
        lines << checkLine(check, language);

    if (!import.sheetName.isEmpty())
        lines << text(kSummarySheet).arg(quoted(import.sheetName, language));
    if (import.scale != 1 && !import.scaleText.isEmpty())
        lines << text(kSummaryScaleFromFile)
                     .arg(quoted(import.scaleText, language),
                          summaryAmount(import.scale, language));
    else if (import.scale != 1)
        lines << text(kSummaryScaleAsked).arg(summaryAmount(import.scale, language));
    else if (!import.scaleText.isEmpty())
        lines << text(kSummaryScaleOverridden).arg(quoted(import.scaleText, language));
    if (import.hiddenRows > 0 || import.hiddenColumns > 0)
        lines << text(kSummaryHidden).arg(import.hiddenRows).arg(import.hiddenColumns);
    if (import.layout == AmountLayout::DebitCredit)
        lines << text(kSummaryDebitCredit);
    else if (import.layout == AmountLayout::SignedBalance)
        lines << text(kSummarySignedBalance);
    if (!import.summed.isEmpty()) {
        lines << text(kSummarySummed);
        for (const SummedAccounts &summed : import.summed) {
            QStringList rows;
            for (const int row : summed.rows)
                rows << QString::number(row);
            lines << QStringLiteral("  ") +
                         text(kSummarySummedRow)
                             .arg(itemName(summed.item, language), rows.join(QStringLiteral(", ")),
                                  summaryAmount(import.amounts()[summed.item], language));
        }
    }

    if (!import.firmName.isEmpty())
        lines << text(kSummaryFirm).arg(import.firmName);
    if (import.year)
        lines << text(kSummaryYear).arg(*import.year);
    lines << text(kSummaryColumn).arg(quoted(import.columnHeading, language));
    lines << text(kSummaryFilled)
                 .arg(import.filledCount())
                 .arg(import.filledCount() + import.missing.size());
    if (!import.missing.isEmpty()) {
        QStringList names;
        for (const int item : import.missing)
            names << itemName(item, language);
        lines << text(kSummaryMissing).arg(names.join(QStringLiteral(", ")));
    }
    const auto list = [&](int heading, const QList<ImportRowNote> &notes) {
        if (notes.isEmpty())
            return;
        lines << text(heading);
        for (qsizetype i = 0; i < std::min<qsizetype>(notes.size(), kListedRows); ++i) {
            const ImportRowNote &note = notes[i];
            lines << QStringLiteral("  ") +
                         text(kSummaryRowNote)
                             .arg(note.row)
                             .arg(label(note.label), shownValue(note.value, language));
        }
        if (notes.size() > kListedRows)
            lines << QStringLiteral("  ") + text(kSummaryMoreRows).arg(notes.size() - kListedRows);
    };
    list(kSummaryUnrecognised, import.unrecognised);
    if (!import.duplicates.isEmpty()) {
        lines << text(kSummaryDuplicates);
        for (const DuplicateRow &duplicate : import.duplicates)
            lines << QStringLiteral("  ") + text(kSummaryDuplicateRow)
                                                .arg(duplicate.row)
                                                .arg(itemName(duplicate.item, language))
                                                .arg(duplicate.keptRow);
    }
    list(kSummaryNotAmounts, import.notAmounts);
    if (!import.rounded.isEmpty()) {
        lines << text(kSummaryRounded);
        for (const RoundedAmount &rounded : import.rounded)
            lines << QStringLiteral("  ") + text(kSummaryRoundedRow)
                                                .arg(rounded.row)
                                                .arg(itemName(rounded.item, language),
                                                     summaryAmount(rounded.inFile, language),
                                                     summaryAmount(rounded.rounded, language));
    }
    // The file's totals that differ are among the checks, at the top.
    return lines;
}
