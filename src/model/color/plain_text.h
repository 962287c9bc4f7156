// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace pigmentry {

// Text read from a file, made valid: each unpaired UTF-16 surrogate becomes
// U+FFFD, as a UTF-8 round trip would make it. What a reader keeps of a
// name or a note goes through this, so nothing later meets broken text.
QString validText(QString text);

// Whether a character reorders the text around it: the bidirectional marks,
// embeddings, overrides and isolates.
bool reordersText(char16_t u);

// Text from a file made safe for a terminal and for text formats: control
// characters (C0, DEL, C1) and the marks that reorder text are shown
// escaped, "\x1b" or "\u{202e}"; unpaired surrogates become U+FFFD; all else
// is kept.
QString printable(const QString &text);

} // namespace pigmentry
