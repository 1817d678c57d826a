#include "markup/tagreading.h"

#include <algorithm>

namespace {

// What separates the parts of a tag.
bool IsSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool IsQuote(QChar c) {
    return c == u'"' || c == u'\'';
}

qsizetype SkipSpaces(QStringView text, qsizetype i) {
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    return i;
}

// The end of the run of characters from i that is not a separator (nor stop, when given).
qsizetype RunEnd(QStringView text, qsizetype i, QChar stop = QChar()) {
    while (i < text.size() && !IsSpace(text[i]) && (stop.isNull() || text[i] != stop))
        ++i;
    return i;
}

// Reads the attributes of text (the tag text without its name and without an XHTML closing
// "/"), from position i. Returns false when the last attribute is an unquoted value that
// runs to the very end, so that a "/" cut off behind it belongs to that value.
bool ReadAttributes(QStringView text, qsizetype i, QList<TagAttribute>& attributes) {
    bool unquotedAtEnd = false;
    for (i = SkipSpaces(text, i); i < text.size(); i = SkipSpaces(text, i)) {
        const qsizetype begin = i;
        i = RunEnd(text, i, u'=');
        TagAttribute attribute;
        attribute.name = text.sliced(begin, i - begin).toString();
        unquotedAtEnd = false;
        const qsizetype equals = SkipSpaces(text, i);
        if (equals < text.size() && text[equals] == u'=') {
            attribute.hasValue = true;
            i = SkipSpaces(text, equals + 1);
            if (i < text.size() && IsQuote(text[i])) {
                const qsizetype close = text.indexOf(text[i], i + 1);
                const qsizetype valueEnd = close < 0 ? text.size() : close;
                attribute.value = text.sliced(i + 1, valueEnd - i - 1).toString();
                i = close < 0 ? text.size() : close + 1;
            } else {
                const qsizetype valueBegin = i;
                i = RunEnd(text, i);
                attribute.value = text.sliced(valueBegin, i - valueBegin).toString();
                unquotedAtEnd = i == text.size();
            }
        }
        attribute.text = text.sliced(begin, i - begin).toString();
        attributes.append(attribute);
    }
    return !unquotedAtEnd;
}

// The tag name: everything up to the first separator or "=".
qsizetype NameEnd(QStringView text) {
    return RunEnd(text, SkipSpaces(text, 0), u'=');
}

} // namespace

const TagAttribute* TagParts::attribute(QStringView attrName) const {
    for (const TagAttribute& a : attributes)
        if (QStringView(a.name).compare(attrName, Qt::CaseInsensitive) == 0)
            return &a;
    return nullptr;
}

TagParts ReadTag(QStringView tagText) {
    TagParts parts;
    // An XHTML closing "/" is cut off first, so that "<br/>" is named "br" and "checked/"
    // is the attribute "checked"; it stays when an unquoted value runs into it.
    QStringView body = tagText;
    while (!body.isEmpty() && IsSpace(body.back()))
        body.chop(1);
    const bool slash = !body.isEmpty() && body.back() == u'/';
    if (slash)
        body.chop(1);
    const qsizetype nameBegin = SkipSpaces(body, 0);
    const qsizetype nameEnd = NameEnd(body);
    parts.name = body.sliced(nameBegin, nameEnd - nameBegin).toString();
    const bool closes = ReadAttributes(body, nameEnd, parts.attributes);
    if (slash && !closes) {
        parts = TagParts();
        const qsizetype fullNameEnd = NameEnd(tagText);
        parts.name = tagText.sliced(nameBegin, fullNameEnd - nameBegin).toString();
        ReadAttributes(tagText, fullNameEnd, parts.attributes);
        return parts;
    }
    parts.xhtmlClose = slash && !(nameEnd == body.size() && nameEnd == nameBegin);
    if (slash && !parts.xhtmlClose) // the tag text is just "/": an end tag without a name
        parts.name = QStringLiteral("/");
    return parts;
}

bool IsTagNamed(QStringView tagText, QStringView name) {
    if (!tagText.startsWith(name, Qt::CaseInsensitive))
        return false;
    const QStringView rest = tagText.sliced(name.size());
    if (rest.isEmpty() || IsSpace(rest.front()) || rest.front() == u'=')
        return true;
    if (rest.front() != u'/')
        return false;
    for (QChar c : rest.sliced(1))
        if (!IsSpace(c))
            return false;
    return !name.isEmpty();
}

QString GetTagAttribute(QStringView tagText, QStringView attrName) {
    const TagParts parts = ReadTag(tagText);
    const TagAttribute* attribute = parts.attribute(attrName);
    if (!attribute)
        return QString();
    return attribute->hasValue ? attribute->value : QStringLiteral(" ");
}

qsizetype TagEndFinder::next(NextOf& cache, qsizetype from) {
    const bool known =
        cache.from >= 0 && from >= cache.from && (cache.found < 0 || from <= cache.found);
    if (!known) {
        cache.from = from;
        cache.found = from < m_text.size() ? m_text.indexOf(QChar(cache.c), from) : -1;
    }
    return cache.found;
}

qsizetype TagEndFinder::end(qsizetype lt) {
    const qsizetype n = m_text.size();
    qsizetype i = lt + 1;
    while (i < n) {
        const QChar c = m_text[i];
        if (c == u'>')
            return i;
        if (c != u'=') {
            ++i;
            continue;
        }
        i = SkipSpaces(m_text, i + 1);
        if (i < n && IsQuote(m_text[i])) {
            const qsizetype close = next(m_text[i] == u'"' ? m_doubleQuote : m_singleQuote, i + 1);
            if (close < 0)
                return next(m_gt, i + 1);
            i = close + 1;
        } else {
            while (i < n && !IsSpace(m_text[i]) && m_text[i] != u'>')
                ++i;
        }
    }
    return -1;
}

qsizetype FindTagEnd(QStringView text, qsizetype lt) {
    return TagEndFinder(text).end(lt);
}

TagLocation LocateTag(QStringView text, qsizetype selStart, qsizetype selLength) {
    TagLocation location;
    const qsizetype n = text.size();
    selStart = std::clamp<qsizetype>(selStart, 0, n);
    selLength = std::clamp<qsizetype>(selLength, 0, n - selStart);
    // The character just left of the caret; with a selection, the first selected one.
    const qsizetype caret = selLength > 0 ? selStart + 1 : selStart;
    if (caret == 0)
        return location;
    location.caret = caret;
    location.outcome = TagLocation::NotInTag;
    qsizetype lt = caret - 1;
    while (text[lt] != u'<') {
        if (text[lt] == u'>' || lt == 0)
            return location;
        --lt;
    }
    const qsizetype gt = FindTagEnd(text, lt);
    if (gt < 0)
        return location;
    location.outcome = TagLocation::Found;
    location.caret = 0;
    location.start = lt;
    location.length = gt - lt + 1;
    location.tagText = text.sliced(lt + 1, gt - lt - 1).toString();
    return location;
}
