#pragma once

// The command line's messages in the string table (English id; French at
// id + 1). %1, %2... as each comment says.
inline constexpr int kCliDatabaseError = 1800;       // %1 number, %2 description
inline constexpr int kCliReportError = 1802;         // %1 the engine's message
inline constexpr int kCliNoIndustryData = 1804;      // %1 NAICS, %2 year
inline constexpr int kCliNoStatement = 1806;         // %1 firm, %2 year
inline constexpr int kCliNoIndustryGiven = 1808;     // %1 firm, %2 year
inline constexpr int kCliCannotWrite = 1810;         // %1 file
inline constexpr int kCliNoFolder = 1812;            // %1 folder
inline constexpr int kCliUnknownDataset = 1814;      // %1 volume, %2 region
inline constexpr int kCliStatementExists = 2100;     // %1 firm, %2 year
inline constexpr int kCliStatementSaved = 2102;      // %1 firm, %2 year
inline constexpr int kCliTemplateWritten = 2104;     // %1 file
inline constexpr int kCliSchemaReady = 2456;         // %1 host/database, %2 version
inline constexpr int kCliInitNeedsTeam = 2458;       // (none)
inline constexpr int kCliBadMapping = 2820;          // %1 the --map value
inline constexpr int kCliImportNeedsIndustry = 2822; // %1 firm, %2 year
inline constexpr int kCliImportNeedsRegion = 2824;   // (none)
inline constexpr int kCliChecksFailed = 2826;        // (none)
inline constexpr int kCliJobsNotCount = 2860;        // %1 the value given
