#pragma once

// The program's name and release, as the About box shows them.
inline constexpr const char* productName = "Tandrel";
inline constexpr const char* releaseText = "1.0";
