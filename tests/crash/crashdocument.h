#pragma once
// The documents the crash tests save: large pages that differ on every line, so a file that
// holds parts of two of them never passes for either.

#include <QString>

#include <algorithm>

// About 20 MB of text (one byte a character in Windows-1252); variant 0, 1, 2, ... tells the
// versions apart. Each line carries its number and the version's letter.
inline QString CrashDocument(int variant) {
    const QString head = QStringLiteral("<p>Rad ");
    const QString tail = QStringLiteral(" i version %1: åäö ÅÄÖ – ”citat” € och lite mer text "
                                        "så att raden blir lång nog.</p>\r\n")
                             .arg(QChar(u'A' + variant));
    constexpr int Digits = 7;
    constexpr qsizetype Size = 20 * 1024 * 1024;
    const qsizetype lineLength = head.size() + Digits + tail.size();
    const qsizetype lines = Size / lineLength + 1;
    QString text(lines * lineLength, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype line = 0; line < lines; ++line) {
        out = std::copy(head.cbegin(), head.cend(), out);
        qsizetype number = line;
        for (int d = Digits - 1; d >= 0; --d, number /= 10)
            out[d] = QChar(u'0' + static_cast<char16_t>(number % 10));
        out = std::copy(tail.cbegin(), tail.cend(), out + Digits);
    }
    return text;
}
