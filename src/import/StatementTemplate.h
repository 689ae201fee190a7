#pragma once

#include "core/Language.h"

#include <QString>
#include <optional>

// The blank statement template: a first block naming the firm and the year
// (empty when not known), then a heading row and one row per statement item
// in the screen's order, with its code, English name, French name, an empty
// amount column and, for the five totals, a mark that they are computed.
// Headings are in `language`; a CSV template is UTF-8 with a byte order
// mark, separated by "," in English and by ";" in French, as spreadsheets of
// each language expect.

enum class TemplateFormat { Xlsx, Csv };

// The format a file name asks for by its extension; empty for another one.
std::optional<TemplateFormat> templateFormatOf(const QString &path);

// False when the file cannot be written.
bool writeStatementTemplate(const QString &path, TemplateFormat format, Language language,
                            const QString &firmName = QString(),
                            std::optional<int> year = std::nullopt);
