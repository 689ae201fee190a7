#include "core/LibZip.h"

#include "core/LibraryOnFirstUse.h"

const LibZip *libzip()
{
    const auto &loaded = libraryOnFirstUse<LibZip>("zip", 4, [](LibZip &f, LibrarySymbols &s) {
        s(f.open, "zip_open");
        s(f.discard, "zip_discard");
        s(f.nameLocate, "zip_name_locate");
        s(f.statInit, "zip_stat_init");
        s(f.statIndex, "zip_stat_index");
        s(f.fopenIndex, "zip_fopen_index");
        s(f.fread, "zip_fread");
        s(f.fclose, "zip_fclose");
    });
    return functionsOrNull(loaded, "libzip");
}
