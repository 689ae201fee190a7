#pragma once

#include "core/Language.h"

#include <QString>
#include <optional>

// The accountant's own comment on a statement: free text kept with the
// statement and printed on its comparison.

// The longest comment kept, in characters.
inline constexpr int kCommentMaxLength = 4000;

// Why the comment cannot be saved, in the language; empty when it can. Line
// breaks and tabs are the writer's; any other control character (a NUL a
// server would cut the text at, a stray escape) is refused, as is a comment
// longer than kCommentMaxLength.
std::optional<QString> fncCommentRefusal(const QString &comment, Language language);
