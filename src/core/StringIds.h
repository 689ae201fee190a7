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
