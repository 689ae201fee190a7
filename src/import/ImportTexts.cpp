#include "import/ImportTexts.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "firm/StatementItems.h"

#include <QLocale>
#include <cmath>

namespace {
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

QString quoted(const QString &text, Language language)
{
    return ResourceString(kQuotedText, language).arg(text);
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
        for (const ImportRowNote &note : notes)
            lines << QStringLiteral("  ") +
                         text(kSummaryRowNote).arg(note.row).arg(label(note.label), note.value);
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
    if (!import.totalDifferences.isEmpty()) {
        lines << text(kSummaryTotals);
        for (const TotalDifference &total : import.totalDifferences)
            lines << QStringLiteral("  ") + text(kSummaryTotalRow)
                                                .arg(total.row)
                                                .arg(itemName(total.item, language),
                                                     summaryAmount(total.inFile, language),
                                                     summaryAmount(total.computed, language));
    }
    return lines;
}
