#include "support/LogicTestSupport.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

// Checks the shipped string table as the screens read it: pairs complete,
// ids unique, and texts exactly as the screens and messages need them.
class tst_StringTable : public QObject
{
    Q_OBJECT

private:
    // The ids in file order, read from the same resource the program reads.
    static QList<int> idsInFile()
    {
        QList<int> ids;
        QFile file(QStringLiteral(":/strings/strings.tsv"));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return ids;
        QTextStream in(&file);
        in.setEncoding(QStringConverter::Utf8);
        static const QRegularExpression idLine(QStringLiteral("^(\\d+)\\t"));
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const auto match = idLine.match(line);
            ids << (match.hasMatch() ? match.captured(1).toInt() : -1);
        }
        return ids;
    }

private slots:
    void everyLineHasAnIdAndTheIdsAreUniqueAndSorted()
    {
        const QList<int> ids = idsInFile();
        QVERIFY2(ids.size() > 200, "the string table resource is missing or nearly empty");
        QVERIFY2(!ids.contains(-1), "a line without a numeric id and a tab");
        QSet<int> seen;
        for (qsizetype i = 0; i < ids.size(); ++i) {
            QVERIFY2(!seen.contains(ids.at(i)),
                     qPrintable(QStringLiteral("duplicate id %1").arg(ids.at(i))));
            seen.insert(ids.at(i));
            if (i > 0)
                QVERIFY2(ids.at(i - 1) < ids.at(i),
                         qPrintable(QStringLiteral("id %1 out of order").arg(ids.at(i))));
            // The original table runs to 572; texts added since start at 1000.
            QVERIFY2(ids.at(i) < 573 || ids.at(i) >= 1000,
                     qPrintable(QStringLiteral("id %1 beyond the table").arg(ids.at(i))));
        }
    }

    void everyEnglishTextHasItsFrenchPair()
    {
        const QList<int> ids = idsInFile();
        for (const int id : ids) {
            const int partner = id % 2 == 0 ? id + 1 : id - 1;
            QVERIFY2(ids.contains(partner),
                     qPrintable(QStringLiteral("id %1 has no pair %2").arg(id).arg(partner)));
            QVERIFY2(!ResourceString(id).isEmpty(),
                     qPrintable(QStringLiteral("id %1 is empty").arg(id)));
        }
    }

    void exactTexts_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("en:exit question") << 478 << QStringLiteral("Do you want to exit?");
        QTest::newRow("fr:exit question") << 479 << QStringLiteral("Voulez-vous quitter?");
        QTest::newRow("fr:no dataset chosen")
            << 481 << QStringLiteral("Veuillez choisir un ensemble de données financières");
        QTest::newRow("fr:volume 2")
            << 493
            << QStringLiteral("Entreprises ayant de 5 $ millions à 25 $ millions de recettes");
        QTest::newRow("en:volume 3")
            << 494 << QStringLiteral("Firms with Revenue $30,000 to $5 million");
        QTest::newRow("fr:OR") << 539 << QStringLiteral("ou");
        QTest::newRow("fr:northwest territories")
            << 459 << QStringLiteral("Territoires du nord-ouest");
        QTest::newRow("en:search method, two blanks") << 404 << QStringLiteral("1.  Search Method");
        QTest::newRow("fr:select an industry, with period")
            << 519 << QStringLiteral("Sélectionner une industrie.");
        QTest::newRow("fr:definition message typo")
            << 557 << QStringLiteral("Vous devez selecter une industrie.");
        QTest::newRow("en:equity, trailing blank")
            << 198 << QStringLiteral("Total shareholders' equity ");
        QTest::newRow("fr:income heading, trailing blank")
            << 295 << QStringLiteral("Données de l'état des résultats ");
        QTest::newRow("fr:firm prompt, typographic apostrophe")
            << 545 << QStringLiteral("Entrer un nom d’entreprise ici");
        QTest::newRow("en:totals differ")
            << 550
            << QStringLiteral(
                   "Total Assets is not equal Total Liabilities and Shareholders' Equity");
        QTest::newRow("fr:about title") << 567 << QStringLiteral("Au sujet de LAVOR");
        QTest::newRow("fr:return") << 569 << QStringLiteral("Retourner");
        QTest::newRow("en:product title") << 2 << QStringLiteral("Quorvel");
        QTest::newRow("fr:sector") << 525 << QStringLiteral("Secteur");
        QTest::newRow("fr:print") << 59 << QStringLiteral("Imprimer");
        QTest::newRow("fr:no match, as the search screen always said")
            << kNoMatchFound + 1 << QStringLiteral("L'item n'a pas été trouver");
        QTest::newRow("fr:quoted, guillemets and spaces")
            << kQuotedText + 1 << QStringLiteral("« %1 »");
        QTest::newRow("fr:report not shown, two line breaks")
            << kReportNotShown + 1 << QStringLiteral("Le rapport ne peut pas être affiché.\n\n%1");
        QTest::newRow("en:balance sheet viewer title")
            << 2614 << QStringLiteral("ROVA Balance Sheet Report");
        QTest::newRow("fr:zoom tip, blank before the colon")
            << 2635 << QStringLiteral("Zoom (Ctrl+0 : pleine largeur)");
        QTest::newRow("fr:last CSV heading") << kCsvFirstHeading + 23 << QStringLiteral("Texte");
        QTest::newRow("fr:batch skipped heading")
            << kBatchSkippedHeading + 1 << QStringLiteral("Non exportés :");
    }

    void exactTexts()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QCOMPARE(ResourceString(id), text);
    }

    // The named ids of the logic and the messages point at their texts, and
    // each language's text holds the places the code fills in.
    void namedIds_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("englishStart");
        QTest::addColumn<int>("places");
        const auto row = [](const char *name, int id, const char *start, int places = 0) {
            QTest::newRow(name) << id << QString::fromUtf8(start) << places;
        };
        row("exit question", kExitQuestion, "Do you want to exit?");
        row("choose dataset", kChooseDataset, "Please choose a set of financial data");
        row("NAICS label", kNaicsLabel, "NAICS");
        row("sector label", kSectorLabel, "Sector");
        row("select industry", kSelectIndustry, "You must select an industry.");
        row("firm name prompt", kFirmNamePrompt, "Enter a Firm Name Here");
        row("compare title", kCompareFirmTitle, "Compare a firm with");
        row("totals differ", kTotalsDiffer, "Total Assets is not equal");
        row("enter firm name", kEnterFirmName, "Please enter a firm name");
        row("invalid firm name", kInvalidFirmName, "Invalid firm name.");
        row("values first", kEnterValuesFirst, "Please enter your firm values first");
        row("trend title", kTrendTitle, "Your firm over the years");
        row("trend note", kTrendNote, "For each ratio: ");
        row("trend industry", kTrendIndustry, "Industry: Q1 · median · Q3");
        row("trend n/m", kTrendNotMeaningful, "n/m");
        row("export comparisons", kExportComparisons, "Export comparisons…");
        row("export folder", kExportFolderQuestion, "Choose the folder for the comparison files");
        row("export progress", kExportProgress, "Writing the comparison of ", 4);
        row("export cancel", kExportCancel, "Cancel");
        row("empty file", kEmptyFileText, "The database file %1 is empty", 1);
        row("missing tables", kMissingTablesText, "The database file %1 lacks these tables", 2);
        row("missing columns", kMissingColumnsText, "The database file %1 lacks these columns", 2);
        row("read-only file", kReadOnlyFileText, "The database file %1 is read-only", 1);
        row("read-only folder", kReadOnlyFolderText, "The folder of the database file %1", 1);
        row("locked file", kLockedText, "The database file %1 is locked", 1);
        row("cannot start", kCannotStartText, "Quorvel cannot start");
        row("read-only reason", kReadOnlyReason, "it is read-only");
        row("locked reason", kLockedReason, "another program holds it locked");
        row("disk full reason", kDiskFullReason, "the disk is full");
        row("not writable reason", kNotWritableReason, "it cannot be written");
        row("save refused", kSaveRefused, "The statement could not be saved", 2);
        row("delete refused", kDeleteRefused, "The statement could not be deleted", 2);
        row("report refused", kReportRefused, "The report could not be prepared", 2);
        row("no printer", kNoPrinterText, "There is no printer connected");
        row("preview button", kPreviewButton, "Preview");
        row("report not printed", kReportNotPrinted, "The report could not be printed.");
        row("export title", kExportReportTitle, "Export the report");
        row("export not written", kExportNotWritten, "The file could not be written: ", 1);
        row("report not shown", kReportNotShown, "The report cannot be shown.", 1);
        row("ratios name", kRatiosReportName, "Ratios");
        row("balance sheet name", kBalanceSheetReportName, "Balance Sheet");
        row("comparison name", kComparisonReportName, "Comparison");
        row("sheet footer", kSheetFooter, "Page &P of &N");
        row("first CSV heading", kCsvFirstHeading, "Report");
        row("search title", kSearchTitle, "Search %1 - ROVAL (%2)", 2);
        row("no match", kNoMatchFound, "No match was found");
        row("must select industry", kMustSelectIndustry, "You must select an industry");
        row("menu title", kMenuTitle, "Quorvel for %1", 1);
        row("quoted text", kQuotedText, "\"%1\"", 1);
        row("batch no industry recorded", kBatchNoIndustryRecorded, "%1: saved before", 1);
        row("batch no industry data", kBatchNoIndustryData, "%1: the industry has no data", 2);
        row("batch not written", kBatchNotWritten, "%1: could not be written %2", 2);
        row("batch written count", kBatchWrittenCount, "%1 of %2 comparisons written.", 2);
        row("batch cancelled", kBatchCancelled, "The export was cancelled after %1", 1);
        row("batch written heading", kBatchWrittenHeading, "Written:");
        row("batch skipped heading", kBatchSkippedHeading, "Skipped:");
    }

    void namedIds()
    {
        QFETCH(int, id);
        QFETCH(QString, englishStart);
        QFETCH(int, places);
        QVERIFY2(ResourceString(id, Language::English).startsWith(englishStart),
                 qPrintable(ResourceString(id, Language::English)));
        for (const Language language : {Language::English, Language::French}) {
            const QString text = ResourceString(id, language);
            QVERIFY(!text.isEmpty());
            for (int place = 1; place <= 4; ++place)
                QCOMPARE(text.contains(QLatin1Char('%') + QString::number(place)), place <= places);
        }
        QCOMPARE(ResourceString(id, Language::French), ResourceString(id + 1));
    }

    void contactBlockIsFilledInBothLanguages_data()
    {
        QTest::addColumn<int>("id");
        for (const int id : {340, 342, 344, 346, 348, 570})
            QTest::newRow(qPrintable(QString::number(id))) << id;
    }

    void contactBlockIsFilledInBothLanguages()
    {
        QFETCH(int, id);
        QVERIFY(!ResourceString(id).trimmed().isEmpty());
        QVERIFY(!ResourceString(id + 1).trimmed().isEmpty());
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_StringTable)
#include "tst_StringTable.moc"
