#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <array>
#include <cstring>

namespace {

// Characters of the bytes 0x80..0x9F. The five undefined bytes keep their own value.
constexpr std::array<char16_t, 32> HighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Reverse lookup for characters above 0xFF; 0 when the code page cannot hold them.
char encodeHigh(char16_t c) {
    for (std::size_t i = 0; i < HighTable.size(); ++i)
        if (HighTable[i] == c)
            return static_cast<char>(0x80 + i);
    return 0;
}

bool isCp1252Slot(char16_t c) {
    // 0x80..0x9F hold their own value only for the five undefined bytes.
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

} // namespace

QString DecodeCp1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = in[i];
        out[i] = (b >= 0x80 && b <= 0x9F) ? QChar(HighTable[b - 0x80]) : QChar(b);
    }
    return text;
}

QByteArray EncodeCp1252(const QString& text) {
    // Most characters take one byte: write them straight into a buffer of the text's size and
    // grow it only when a reference has to be written.
    const QChar* p = text.constData();
    const qsizetype n = text.size();
    QByteArray out(n, Qt::Uninitialized);
    char* dst = out.data();
    qsizetype used = 0;
    auto appendReference = [&](uint codePoint) {
        const QByteArray reference = "&#" + QByteArray::number(codePoint) + ';';
        out.resize(out.size() + reference.size() - 1);
        dst = out.data();
        std::memcpy(dst + used, reference.constData(), static_cast<std::size_t>(reference.size()));
        used += reference.size();
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF) || isCp1252Slot(c)) {
            dst[used++] = static_cast<char>(c);
            continue;
        }
        if (c >= 0x80 && c <= 0xFF) {
            // C1 control characters other than the five slots have no byte of their own.
            appendReference(c);
            continue;
        }
        if (const char b = encodeHigh(c)) {
            dst[used++] = b;
            continue;
        }
        uint codePoint = c;
        if (QChar::isHighSurrogate(c) && i + 1 < n && p[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(c, p[i + 1].unicode());
            ++i;
            // The pair took two characters of room and gives back one of them.
            appendReference(codePoint);
            out.resize(out.size() - 1);
            dst = out.data();
            continue;
        }
        appendReference(codePoint);
    }
    out.resize(used);
    return out;
}

bool ReadFileBytes(const QString& path, QByteArray& bytes, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool ReadTextFile(const QString& path, QString& text, QString* error) {
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes, error))
        return false;
    text = DecodeCp1252(bytes);
    return true;
}

bool IsWriteProtected(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    // The "user" bits say what the running user may do, which is everything for root; only
    // the file's own mode says whether somebody protected it.
    constexpr QFile::Permissions writeBits =
        QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return (info.permissions() & writeBits) == 0;
}

bool WriteFileAtomic(const QString& path, const QByteArray& bytes, QString* error) {
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("Inget filnamn"));
    const QFileInfo info(path);
    if (info.isDir())
        return fail(QStringLiteral("Sökvägen är en mapp"));
    // Checked by hand: a program run with full rights would otherwise replace a file the
    // user protected on purpose.
    if (IsWriteProtected(path))
        return fail(QStringLiteral("Filen är skrivskyddad"));
    if (!info.absoluteDir().exists())
        return fail(QStringLiteral("Mappen finns inte"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool WriteTextFileAtomic(const QString& path, const QString& text, QString* error) {
    return WriteFileAtomic(path, EncodeCp1252(text), error);
}

QString ProgramFolder() {
    QString folder = qEnvironmentVariable("VESSILORA_HOME");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    return folder;
}

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}
