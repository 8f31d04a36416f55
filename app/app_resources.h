#pragma once

#include <QIcon>
#include <QSize>

namespace tandrel {

// Icon resource 128: the program's icon in every size a desktop asks for.
QIcon programIcon();

// Icon resource 147: the small right-pointing triangle of the token buttons,
// 6 x 9 pixels.
QIcon tokenArrowIcon();
inline constexpr QSize tokenArrowSize{6, 9};

} // namespace tandrel
