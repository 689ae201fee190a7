#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// The words a statement file labels its rows and columns with: the items by
// their code (the MyValues column), their English and French names and the
// wordings of accounting programs in the synonyms table
// (resources/import_synonyms.tsv), the firm and year, and the headings of
// the columns.

// What a label names. The kinds after Year head columns.
enum class LabelKind {
    Item,
    Firm,
    Year,
    AmountHeading, // "Amount", "Montant", "Value"
    Balance,       // "Balance", "Solde", "Net": a trial balance's signed column
    Debit,         // "Debit", "Débit", "Dr"
    Credit,        // "Credit", "Crédit", "Cr"
    AccountNumber, // "Account No.", "N° de compte": never amounts
    LabelHeading,  // "Account", "Description", "Poste": the labels' column
    OtherHeading   // "NAICS", "Unit", "Notes": a column that holds no amounts
};

struct LabelMatch
{
    LabelKind kind = LabelKind::Item;
    int item = -1; // index into statementItems() for an item
};

// A label in the form in which labels are compared: letter case and accents
// ignored, punctuation read as a space, blanks collapsed, "&" and "et" read
// as "and", and an account number before the words dropped ("1200 · Accounts
// Receivable" reads as "accounts receivable").
QString foldImportLabel(const QString &text);

class ImportLabels
{
public:
    // Built once from the item list, the string table and the synonyms table.
    static const ImportLabels &instance();

    // A wording that names nothing as written is tried once more without a
    // "net" or "(net)" before or after its words: "Property, plant &
    // equipment (net)" names the capital assets. The whole wording comes
    // first, so "Net income" stays the profit after tax.
    std::optional<LabelMatch> match(const QString &text) const;

    // Folded wordings that name two different things; they are left out of
    // the matching, so that no amount goes to a guessed item.
    const QStringList &ambiguous() const { return m_ambiguous; }

private:
    ImportLabels();
    void add(const QString &wording, LabelMatch match);

    QHash<QString, LabelMatch> m_labels;
    QStringList m_ambiguous;
};
