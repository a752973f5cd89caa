#pragma once

#include <QString>

#include <string_view>

namespace qv {

// Message texts keep "\r" as their line break everywhere in the core; only
// what is put on screen gets real line breaks.
inline QString displayText(std::string_view text)
{
    QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

} // namespace qv
