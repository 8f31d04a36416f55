#pragma once

#include "common/common_export.h"

#include <QLocale>

namespace tandrel {

// The Windows language id (primary language in the low bits, sub-language
// above) of `locale`, as version blocks tag their string tables: 0x0409 for
// en_US, 0x0407 for de_DE. A territory the table does not know gives the
// language's main id; a language it does not know gives 0 (neutral). The
// C locale counts as en_US, whose texts it shows.
COMMON_EXPORT quint16 languageIdForLocale(const QLocale& locale);

} // namespace tandrel
