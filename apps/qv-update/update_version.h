#pragma once

#include <string>

namespace qv {

// QV-Update's four-part file version, "%d.%d.%d.%d".
inline constexpr int kUpdateVersion[4] = {1, 4, 0, 0};

inline std::string UpdateVersionText()
{
    std::string text;
    for (int part : kUpdateVersion)
        text += (text.empty() ? "" : ".") + std::to_string(part);
    return text;
}

// The application's title, as the system names it.
inline constexpr char kApplicationTitle[] = "QV-Updat";

} // namespace qv
