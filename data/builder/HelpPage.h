#pragma once

#include <QString>

// Writes a help page from its template: every "{{Key}}" is replaced by the
// text of Key in `language` ("en" or "fr") of a texts file (key<TAB>English
// <TAB>French lines, "#" comments), HTML-escaped. Throws std::runtime_error
// for an unreadable file or a key the texts do not hold.
void writeHelpPage(const QString &output, const QString &templatePath, const QString &textsPath,
                   const QString &language);
