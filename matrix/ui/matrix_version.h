#pragma once

#include <QString>

namespace qv {

// QV-Matrix's four-part file version, shown as "Build: 1.4.0.0".
inline constexpr int kMatrixVersion[4] = {1, 4, 0, 0};

inline QString MatrixVersionText()
{
    return QStringLiteral("%1.%2.%3.%4").arg(kMatrixVersion[0]).arg(kMatrixVersion[1]).arg(kMatrixVersion[2]).arg(
        kMatrixVersion[3]);
}

// The main window's title; a second instance looks for the running one by it.
inline constexpr char kMainFormCaption[] = "QV-Matrix v. 1.4 ";

} // namespace qv
