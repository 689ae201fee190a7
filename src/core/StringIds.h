#pragma once

// Ids of the string table's texts that the program's logic and messages use:
// English at the id, French at id + 1 (see ResourceString.h). The screens'
// caption tables give their controls' texts by plain id, one line a control.

// Leaving the program and the dataset screen.
inline constexpr int kExitQuestion = 478;
inline constexpr int kChooseDataset = 480;

// The search screen: the labels before the chosen industry's code and
// category, and the definition asked for without an industry.
inline constexpr int kNaicsLabel = 408;
inline constexpr int kSectorLabel = 524;
inline constexpr int kSelectIndustry = 556;

// The firm screen: the name prompt, the title before the dataset's caption,
// and the checks of a save or a comparison.
inline constexpr int kFirmNamePrompt = 544;
inline constexpr int kCompareFirmTitle = 546;
inline constexpr int kTotalsDiffer = 550;
inline constexpr int kEnterFirmName = 552;
inline constexpr int kInvalidFirmName = 554;
inline constexpr int kEnterValuesFirst = 560;

// The comparison's trend section.
inline constexpr int kTrendTitle = 1400;
inline constexpr int kTrendNote = 1402;
inline constexpr int kTrendIndustry = 1404;
inline constexpr int kTrendNotMeaningful = 1406;

// Exporting every comparison: the command, the folder question, the progress
// line (%1 the firm, %2 the year, %3 of %4) and its button.
inline constexpr int kExportComparisons = 1410;
inline constexpr int kExportFolderQuestion = 1412;
inline constexpr int kExportProgress = 1414;
inline constexpr int kExportCancel = 1416;

// The start-up check of the databases: %1 is the file, %2 the missing
// tables or columns.
inline constexpr int kEmptyFileText = 1420;
inline constexpr int kMissingTablesText = 1422;
inline constexpr int kMissingColumnsText = 1424;
inline constexpr int kReadOnlyFileText = 1426;
inline constexpr int kReadOnlyFolderText = 1428;
inline constexpr int kLockedText = 1430;
inline constexpr int kCannotStartText = 1432;
inline constexpr int kMissingFileText = 1500;
inline constexpr int kNotADatabaseText = 1502;
inline constexpr int kDamagedFileText = 1504;
inline constexpr int kCannotCreateText = 1506;
inline constexpr int kInconsistentFileText = 2520;
inline constexpr int kNewerDatabaseText = 2848; // %1 file, %2 its version, %3 this one's

// The about screen: where the saved statements are kept (%1, the file).
inline constexpr int kStatementsFileText = 1508;

// A write the user database refused: a command's text takes %1, the file,
// and %2, the reason.
inline constexpr int kReadOnlyReason = 1434;
inline constexpr int kLockedReason = 1436;
inline constexpr int kDiskFullReason = 1438;
inline constexpr int kNotWritableReason = 1440;
inline constexpr int kSaveRefused = 1442;
inline constexpr int kDeleteRefused = 1444;
inline constexpr int kReportRefused = 1446;

// Amounts beyond what a statement can hold: %1 the largest amount accepted;
// for a subtotal, %1 the subtotal's caption and %2 the largest amount.
inline constexpr int kAmountTooLarge = 1700;
inline constexpr int kSubtotalTooLarge = 1702;

// The keyword search: the keyword's limit (%1 characters), and the hint when
// only definitions hold the keyword (%1 the definitions check box).
inline constexpr int kKeywordTooLong = 1704;
inline constexpr int kKeywordInDefinitionsOnly = 1706;

// The open-existing list's headings of the dataset a statement was saved under.
inline constexpr int kListVolumeHeading = 1708;
inline constexpr int kListRegionHeading = 1710;

// Importing a statement from a spreadsheet, and its blank template: the
// commands, the template's headings and marks, the file dialogs, the file
// faults (%1 the file) and the import summary's lines.
inline constexpr int kSaveTemplateCommand = 2000;
inline constexpr int kImportCommand = 2002;
inline constexpr int kTemplateAmount = 2004;
inline constexpr int kTemplateFirm = 2006;
inline constexpr int kTemplateYear = 2008;
inline constexpr int kTemplateCode = 2010;
inline constexpr int kTemplateEnglishName = 2012;
inline constexpr int kTemplateFrenchName = 2014;
inline constexpr int kTemplateComputed = 2016;
inline constexpr int kTemplateComputedMark = 2018;
inline constexpr int kTemplateSheetName = 2020;
inline constexpr int kSaveTemplateTitle = 2022;
// The template's names of three items whose screen captions are fixed in an
// older wording; the template, written by this program, uses the corrected one.
inline constexpr int kTemplateGrossProfitName = 3200;
inline constexpr int kTemplateInterestExpenseName = 3202;
inline constexpr int kTemplateDefTaxName = 3204;
inline constexpr int kImportTitle = 2024;
inline constexpr int kImportFilter = 2026;
inline constexpr int kXlsxFilter = 2028;
inline constexpr int kCsvFilter = 2030;
inline constexpr int kTemplateNotWritten = 2032;
inline constexpr int kImportCannotOpen = 2040;
inline constexpr int kImportNotSpreadsheet = 2042;
inline constexpr int kImportPasswordProtected = 2044;
inline constexpr int kImportEmpty = 2046;
inline constexpr int kImportMixedSeparators = 2048;
inline constexpr int kImportNoAmountColumn = 2050;
inline constexpr int kImportNoItems = 2052;
inline constexpr int kImportUnknownColumn = 2054;
inline constexpr int kImportNothingChanged = 2056;
inline constexpr int kImportColumnNotChosen = 2058;
inline constexpr int kSummaryColumn = 2060;
inline constexpr int kSummaryFilled = 2062;
inline constexpr int kSummaryMissing = 2064;
inline constexpr int kSummaryUnrecognised = 2066;
inline constexpr int kSummaryRowNote = 2068;
inline constexpr int kSummaryDuplicates = 2070;
inline constexpr int kSummaryDuplicateRow = 2072;
inline constexpr int kSummaryNotAmounts = 2074;
inline constexpr int kSummaryRounded = 2076;
inline constexpr int kSummaryRoundedRow = 2078;
inline constexpr int kSummaryTotals = 2080;
inline constexpr int kSummaryTotalRow = 2082;
inline constexpr int kSummaryFirm = 2084;
inline constexpr int kSummaryYear = 2086;
inline constexpr int kImportQuestion = 2088;
inline constexpr int kImportColumnLabel = 2090;
inline constexpr int kImportAccept = 2092;
inline constexpr int kImportCancel = 2094;
inline constexpr int kSummaryNoLabel = 2096;
// Where the statements are kept: the menu command that chooses it.
inline constexpr int kStatementsLocation = 2410;

// Backing up and restoring the statements kept on this computer.
inline constexpr int kBackUpCommand = 2500;
inline constexpr int kRestoreCommand = 2502;
inline constexpr int kBackUpTitle = 2504;
inline constexpr int kRestoreTitle = 2506;
inline constexpr int kDatabaseFileFilter = 2508;
inline constexpr int kBackedUpText = 2510;      // %1 the backup
inline constexpr int kBackUpFailedText = 2512;  // %1 the reason
inline constexpr int kCannotRestoreText = 2514; // follows the check's text
inline constexpr int kRestoreQuestion =
    2516;                                  // %1 count, %2 file, %3 set aside, %4 replaced, %5 lost
inline constexpr int kRestoredText = 2518; // %1 the file, %2 set aside
inline constexpr int kRestoreFailedText = 2522; // %1 the reason
inline constexpr int kBackUpProgress = 2524;
inline constexpr int kRestoreProgress = 2526;
inline constexpr int kSetAsideLabel = 2528;      // "before restore", in file names
inline constexpr int kDatabaseInUseText = 2530;  // %1 the file
inline constexpr int kBackupOnServerText = 2532; // %1 the team database

// The statement workflow: nothing saved to open.
inline constexpr int kNoRecordsFound = 2800;
// Replacing a stored statement: %1 the firm, %2 the year.
inline constexpr int kReplaceStoredQuestion = 2802;
// The firm screen's messages and questions.
inline constexpr int kDataSaved = 2804;
inline constexpr int kDeleteRecordQuestion = 2806;
inline constexpr int kClearAllQuestion = 2808;
inline constexpr int kSavedUnderIndustry = 2810;      // %1 saved under, %2 now chosen
inline constexpr int kSaveChangesQuestion = 2812;     // %1 the firm
inline constexpr int kSaveChangesOpenQuestion = 2814; // %1 the firm; before opening another
inline constexpr int kEnterNumber = 2816;
inline constexpr int kInvalidYear = 2818; // %1 first, %2 last reference year

// Printing and exporting a report or a definition: no printer, the print
// dialog's preview button, and the report viewer's faults (%1 the file or the
// reason).
inline constexpr int kNoPrinterText = 2600;
inline constexpr int kPreviewButton = 2602;
inline constexpr int kReportNotPrinted = 2604;
inline constexpr int kExportReportTitle = 2606;
inline constexpr int kExportNotWritten = 2608; // %1 the file
inline constexpr int kReportNotShown = 2610;   // %1 the reason
// The reports' names, in titles and file names: Ratios, Balance Sheet, Comparison.
inline constexpr int kRatiosReportName = 2660;
inline constexpr int kBalanceSheetReportName = 2662;
inline constexpr int kComparisonReportName = 2664;
// A report's spreadsheet: the page footer and the CSV table's first heading
// (the eleven headings follow, two ids apart).
inline constexpr int kSheetFooter = 2670;
inline constexpr int kCsvFirstHeading = 2672;
// The search and dataset screens' titles (%1 the dataset, %2 the years) and messages.
inline constexpr int kSearchTitle = 2700;
inline constexpr int kNoMatchFound = 2702;
inline constexpr int kMustSelectIndustry = 2704;
inline constexpr int kMenuTitle = 2706; // %1 the years
// A text quoted in the import's messages: %1 the text.
inline constexpr int kQuotedText = 2710;
// The summary of a comparisons export: a skipped statement's line (%1 the
// statement, %2 the year or the reason), the counts and the lists' headings.
inline constexpr int kBatchNoIndustryRecorded = 2720;
inline constexpr int kBatchNoIndustryData = 2722;
inline constexpr int kBatchNotWritten = 2724;
inline constexpr int kBatchWrittenCount = 2726; // %1 written, %2 in all
inline constexpr int kBatchCancelled = 2728;    // %1 statements done
inline constexpr int kBatchWrittenHeading = 2730;
inline constexpr int kBatchSkippedHeading = 2732;
// The import summary's rows to assign.
inline constexpr int kImportAssignLabel = 2830;
inline constexpr int kImportRowHeading = 2832;
inline constexpr int kImportValueHeading = 2834;
inline constexpr int kImportItemHeading = 2836;
inline constexpr int kImportLeaveRow = 2838;
inline constexpr int kImportIgnoreRow = 2840;
// A pasted amount whose cents were rounded: %1 as pasted, %2 the whole amount.
inline constexpr int kCentsRounded = 2842;
// A firm name holding a control character, refused at a save.
inline constexpr int kFirmNameControl = 2844;
// A row of the import summary's list: %1 its number, %2 its label.
inline constexpr int kImportRowAndLabel = 2846;
// The question about a statement someone saved since: what differs.
inline constexpr int kTheirsDifferHeading = 2850;
inline constexpr int kTheirsDifferLine = 2852; // %1 item, %2 theirs, %3 yours
// The wait for the team database: %1 its description ("team database host/db").
inline constexpr int kWaitingForStore = 2854;
inline constexpr int kStoppingStoreCommand = 2856;
inline constexpr int kStoreCommandStopped = 2858; // %1 host/database
// A team database's commit sent and its answer lost: the write may have landed.
inline constexpr int kSaveUnconfirmed = 3800;       // %1 the reason
inline constexpr int kDeleteUnconfirmed = 3802;     // %1 the reason
inline constexpr int kStoreWriteUnconfirmed = 3804; // %1 host/database, %2 detail
inline constexpr int kCancel = 1416;
// Benchmark sets (the shipped sample's note is 350).
inline constexpr int kSampleDataNote = 350;
inline constexpr int kBenchmarkFooterNote = 3100; // %1 the set's name, %2 its source
inline constexpr int kPackRefused = 3102;         // %1 problems
inline constexpr int kPackLoaded = 3104;          // %1 name
inline constexpr int kPackLoadedFigures = 3106; // %1 rows, %2 datasets, %3 industries, %4-%5 years
inline constexpr int kPackWarnings = 3108;      // %1 figures not available, %2 one-year industries
inline constexpr int kSetNameEmpty = 3110;      // then Reserved 3112, Taken 3114, TooLong 3116
inline constexpr int kPackProblemAtRow = 3118;  // %1 file, %2 row, %3 what
inline constexpr int kPackProblemFirst = 3120;  // one a PackProblemKind, to 3150
inline constexpr int kPackProblemAtCell = 3152; // %1 file, %2 row, %3 column, %4 what
inline constexpr int kCliNoSuchSet = 3154;      // %1 name
inline constexpr int kCliSetInUse = 3156;       // %1 name
inline constexpr int kSampleNotRemovable = 3158;
inline constexpr int kCliSetRemoved = 3160; // %1 name
inline constexpr int kCsvBenchmarksHeading = 3162;
inline constexpr int kBenchmarkDataMenu = 3164;
inline constexpr int kBenchmarkDataTitle = 3166;
inline constexpr int kSetColumnName = 3168; // then Source, Years, Datasets, Industries, Loaded
inline constexpr int kLoadSetCommand = 3180;
inline constexpr int kUseSetCommand = 3182;
inline constexpr int kRemoveSetCommand = 3184;
inline constexpr int kCloseCommand = 3186;
inline constexpr int kRemoveSetQuestion = 3188; // %1 name
inline constexpr int kLoadSetTitle = 3190;
inline constexpr int kPackDataFile = 3192;
inline constexpr int kPackTitlesFile = 3194;
inline constexpr int kSetNameLabel = 3196;
inline constexpr int kSetSourceLabel = 3198;
// The Help menus' items that open one page of the help.
inline constexpr int kHelpImportItem = 3700;
inline constexpr int kHelpTeamItem = 3702;
inline constexpr int kHelpBackupItem = 3704;
inline constexpr int kHelpCommandLineItem = 3706;

// Keyboard and screen-reader access.
inline constexpr int kDeleteStatementCommand = 3400;
inline constexpr int kClearAllCommand = 3402;
inline constexpr int kItemDefinitionKeyHint = 3404;
inline constexpr int kFieldMessage = 3406;   // %1 the field's name, %2 the message
inline constexpr int kReportPageName = 3408; // %1 page, %2 pages
inline constexpr int kPageOfPages = 3410;    // %1 page, %2 pages
inline constexpr int kStatementCommands = 3412;
// The accountant's comment on a statement.
inline constexpr int kCommentsLabel = 3600; // the firm screen's box, the report's section
inline constexpr int kCommentControl = 3602;
inline constexpr int kCommentTooLong = 3604; // %1 the longest comment
inline constexpr int kCommentsHint = 3606;
