#pragma once

#include <QString>
#include <functional>

// Writes a file that a reader never finds half written: `write` fills a
// temporary file in the target's own folder, which then replaces the target
// in one step (the old file, if any, stays whole until then). On a failure
// (a full disk, a folder that cannot be written) nothing is left under
// either name and the result is false. For writers that take a file name
// (libxlsxwriter); a Qt device writes through QSaveFile instead.
bool fncWriteThroughTemporary(const QString &path,
                              const std::function<bool(const QString &temporaryPath)> &write);
