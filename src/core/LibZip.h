#pragma once

#include <zip.h>

// The functions of libzip the spreadsheet readers use (.xlsx and .ods are
// zip archives), loaded at the first file read: see LibraryOnFirstUse.h.
struct LibZip
{
    decltype(&::zip_open) open;
    decltype(&::zip_discard) discard;
    decltype(&::zip_name_locate) nameLocate;
    decltype(&::zip_stat_init) statInit;
    decltype(&::zip_stat_index) statIndex;
    decltype(&::zip_fopen_index) fopenIndex;
    decltype(&::zip_fread) fread;
    decltype(&::zip_fclose) fclose;
};

// The table, or nullptr when libzip cannot be loaded (a warning says why).
const LibZip *libzip();
