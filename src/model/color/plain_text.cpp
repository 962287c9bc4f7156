// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/color/plain_text.h"

namespace pigmentry {

QString validText(QString text)
{
    char16_t *p = reinterpret_cast<char16_t *>(text.data());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (QChar::isHighSurrogate(p[i]) && i + 1 < n && QChar::isLowSurrogate(p[i + 1]))
            ++i;
        else if (QChar::isSurrogate(p[i]))
            p[i] = 0xFFFD;
    }
    return text;
}

bool reordersText(char16_t u)
{
    return u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}

QString printable(const QString &text)
{
    const QString valid = validText(text);
    QString shown;
    shown.reserve(valid.size());
    for (const QChar c : valid) {
        const char16_t u = c.unicode();
        if (c.category() == QChar::Other_Control && u <= 0xFF)
            shown += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else if (reordersText(u))
            shown += QStringLiteral("\\u{%1}").arg(int(u), 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

} // namespace pigmentry
