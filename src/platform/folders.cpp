#include "platform/folders.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace {

// Letter case by Qt's per-character mapping, which never changes the length.
QString lowerChars(const QString& text) {
    QString lower = text;
    for (QChar& c : lower)
        c = c.toLower();
    return lower;
}

// The regular expression of one glob: only "*" and "?" are special.
QString globToRegex(const QString& glob) {
    QString stem = glob;
    bool optionalExtension = false;
    if (stem.endsWith(QLatin1String(".*"))) {
        stem.chop(2);
        optionalExtension = true;
    }
    QString rx;
    rx.reserve(stem.size() * 2 + 16);
    for (const QChar c : stem) {
        if (c == QLatin1Char('*'))
            rx += QLatin1String(".*");
        else if (c == QLatin1Char('?'))
            rx += QLatin1Char('.');
        else
            rx += QRegularExpression::escape(QString(c));
    }
    if (optionalExtension)
        rx += QLatin1String("(?:\\..*)?");
    return QLatin1String("\\A(?:") + rx + QLatin1String(")\\z");
}

} // namespace

FilePattern::FilePattern(const QString& pattern) : m_text(pattern) {
    if (pattern.contains(QLatin1Char('/')) || pattern.contains(QChar(0))) {
        m_valid = false;
        return;
    }
    const QStringList parts = pattern.split(QLatin1Char(';'));
    for (const QString& part : parts) {
        const QString glob = part.trimmed();
        if (glob.isEmpty())
            continue;
        if (glob == QLatin1String("*") || glob == QLatin1String("*.*")) {
            m_all = true;
            continue;
        }
        m_globs.append(QRegularExpression(globToRegex(glob),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption));
    }
    if (m_globs.isEmpty())
        m_all = true;
    for (QRegularExpression& rx : m_globs)
        rx.optimize();
}

bool FilePattern::matches(const QString& name) const {
    if (!m_valid)
        return false;
    if (m_all)
        return true;
    for (const QRegularExpression& rx : m_globs) {
        if (rx.match(name).hasMatch())
            return true;
    }
    return false;
}

void SortNamesIgnoringCase(QStringList& names) {
    QList<std::pair<QString, QString>> keyed;
    keyed.reserve(names.size());
    for (const QString& name : names)
        keyed.append({lowerChars(name), name});
    std::sort(keyed.begin(), keyed.end());
    for (qsizetype i = 0; i < keyed.size(); ++i)
        names[i] = keyed[i].second;
}

QString NormalizeFolder(const QString& folder) {
    if (folder.isEmpty())
        return QString();
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

bool IsReadableFolder(const QString& folder) {
    if (folder.isEmpty())
        return false;
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

bool IsHiddenName(const QString& name) {
    return name.startsWith(QLatin1Char('.'));
}

QStringList ListFiles(const QString& folder, const FilePattern& pattern) {
    QStringList names;
    if (folder.isEmpty())
        return names;
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (!IsHiddenName(name) && pattern.matches(name))
            names.append(name);
    }
    SortNamesIgnoringCase(names);
    return names;
}

FolderWalk::FolderWalk(const QString& root) {
    m_pending.append(NormalizeFolder(root));
}

bool FolderWalk::next(QString& folder) {
    while (!m_pending.isEmpty()) {
        const QString current = m_pending.takeLast();
        if (!IsReadableFolder(current)) {
            if (unreadable)
                unreadable(current);
            continue;
        }
        QStringList names;
        const QFileInfoList entries = QDir(current).entryInfoList(
            QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::NoSort);
        for (const QFileInfo& entry : entries) {
            if (!IsHiddenName(entry.fileName()) && !entry.isSymLink())
                names.append(entry.fileName());
        }
        SortNamesIgnoringCase(names);
        // Taken in reverse of the listed order: the first listed is visited last, so it goes
        // first onto the stack.
        for (const QString& name : names)
            m_pending.append(current == QLatin1String("/") ? current + name
                                                           : current + QLatin1Char('/') + name);
        folder = current;
        return true;
    }
    return false;
}
