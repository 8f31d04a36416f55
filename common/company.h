#pragma once

// Who makes Tandrel: named in fatal messages, the log banner and the About box.
inline constexpr const char* companyName = "Brellix";
inline constexpr const char* makerWebAddress = "https://www.brellix.com/tandrel";
