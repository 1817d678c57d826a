// Reading tags and editing the tag at the caret: a page, the markup a dialog wrote and a name
// to look for, with form feeds between (the page alone: its own tags are the markup).
//   - every tag text (the page's tags and the whole page) is taken apart without losing or
//     moving a character: the name and each attribute's text stand in it in order, with only
//     blanks, tabs and line breaks between them and an XHTML "/" at the end; each attribute's
//     text is its name, "=" and its value as written;
//   - GetTagAttribute gives what ReadTag's first attribute of the name says; IsTagNamed
//     follows its rule and takes every tag for its own name;
//   - a tag ends at a ">" after its "<" as the plain rule says, whether its end is asked for
//     alone or after the ends of the tags before it; the tag located around a caret is
//     "<"..">" and holds the character where the search began;
//   - editing a tag keeps, verbatim and in order, every attribute the dialog does not read;
//     AddKeptAttributes puts the kept ones into the dialog's first tag after its own, once,
//     never a second attribute of a name the dialog wrote, and reading that tag again gives
//     the dialog's attributes and the kept ones as they were;
//   - all of it takes time linear in the length of the text.

#include "fuzzsupport.h"

#include "markup/tagedit.h"
#include "markup/tagreading.h"
#include "platform/encoding.h"

namespace {

// The tags of a page checked one by one, and the carets located, at most.
constexpr int CheckedTags = 48;
constexpr int CheckedCarets = 64;
// The attribute names of a tag looked for, at most.
constexpr qsizetype CheckedNames = 12;

bool isSeparator(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isQuote(QChar c) {
    return c == u'"' || c == u'\'';
}

qsizetype skipSeparators(const QString& text, qsizetype i) {
    while (i < text.size() && isSeparator(text[i]))
        ++i;
    return i;
}

bool onlySeparators(QStringView text) {
    for (const QChar c : text)
        if (!isSeparator(c))
            return false;
    return true;
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The end of the tag whose "<" is at lt by the plain rule: the first ">" that is not inside a
// value quoted right after an "="; an unquoted value runs to a separator or ">"; a value whose
// quote never closes ends the tag at the first ">" after that quote.
qsizetype plainTagEnd(const QString& text, qsizetype lt) {
    const qsizetype n = text.size();
    qsizetype i = lt + 1;
    while (i < n) {
        if (text[i] == u'>')
            return i;
        if (text[i] != u'=') {
            ++i;
            continue;
        }
        i = skipSeparators(text, i + 1);
        if (i < n && isQuote(text[i])) {
            const qsizetype close = text.indexOf(text[i], i + 1);
            if (close < 0)
                return text.indexOf(u'>', i + 1);
            i = close + 1;
        } else {
            while (i < n && !isSeparator(text[i]) && text[i] != u'>')
                ++i;
        }
    }
    return -1;
}

// True when the attribute, put into another tag, cannot run into what follows it nor be
// read otherwise: it has a name, any quote of its value closes, no ">" stands outside that
// quote (a tag text the editor finds has none), a bare name does not end in "/" (it would
// read as the XHTML close when it comes last), and an "=" has a value after it (blanks may
// follow an "=", so "x=" takes what comes next as its value; a tag holds it only last).
bool wholeAttribute(const TagAttribute& a) {
    if (a.name.isEmpty() || a.name.contains(u'>'))
        return false;
    if (!a.hasValue)
        return !a.name.endsWith(u'/');
    const qsizetype value = skipSeparators(a.text, a.text.indexOf(u'=') + 1);
    if (value < a.text.size() && isQuote(a.text[value]))
        return a.text.size() == value + a.value.size() + 2;
    return !a.value.isEmpty() && !a.value.contains(u'>');
}

// An attribute as written: its name, then (for a value) blanks, "=", blanks and the value,
// quoted (the quote may stay open at the end of the tag) or unquoted (without separators).
void checkAttributeShape(const TagAttribute& a, const QString& tagText) {
    const QString where = QStringLiteral("attribute %1 of %2").arg(Shown(a.text), Shown(tagText));
    FUZZ_CHECK(a.text.startsWith(a.name), where);
    for (const QChar c : a.name)
        FUZZ_CHECK(!isSeparator(c) && c != u'=', QStringLiteral("name of ") + where);
    if (!a.hasValue) {
        FUZZ_CHECK(a.text == a.name && a.value.isEmpty(), where);
        return;
    }
    qsizetype i = skipSeparators(a.text, a.name.size());
    FUZZ_CHECK(i < a.text.size() && a.text[i] == u'=', where);
    i = skipSeparators(a.text, i + 1);
    const QString written = a.text.mid(i);
    if (!written.isEmpty() && isQuote(written[0])) {
        const QChar q = written[0];
        const bool closed = written == q + a.value + q;
        FUZZ_CHECK(!a.value.contains(q) && (closed || written == q + a.value), where);
    } else {
        FUZZ_CHECK(written == a.value, where);
        for (const QChar c : a.value)
            FUZZ_CHECK(!isSeparator(c), QStringLiteral("unquoted value of ") + where);
    }
}

// IsTagNamed's rule: the tag text begins with the name (letter case ignored), followed by
// nothing, a separator, "=", or a "/" with only separators after it (for a name that is
// not empty).
bool namedByRule(const QString& tagText, const QString& name) {
    if (tagText.size() < name.size() || !sameName(QStringView(tagText).left(name.size()), name))
        return false;
    const QStringView rest = QStringView(tagText).sliced(name.size());
    if (rest.isEmpty() || isSeparator(rest[0]) || rest[0] == u'=')
        return true;
    return rest[0] == u'/' && onlySeparators(rest.sliced(1)) && !name.isEmpty();
}

void checkTagText(const QString& tagText, const QString& wanted) {
    const TagParts parts = ReadTag(tagText);
    const QString what = QStringLiteral("the tag text ") + Shown(tagText);
    // Name and attributes stand in the text in order, with only separators between them.
    qsizetype at = skipSeparators(tagText, 0);
    FUZZ_CHECK(QStringView(tagText).sliced(at).startsWith(parts.name),
               QStringLiteral("name %1 of %2").arg(Shown(parts.name), what));
    at += parts.name.size();
    for (const TagAttribute& a : parts.attributes) {
        checkAttributeShape(a, tagText);
        at = skipSeparators(tagText, at);
        FUZZ_CHECK(QStringView(tagText).sliced(at).startsWith(a.text),
                   QStringLiteral("attribute %1 at %2 of %3").arg(Shown(a.text)).arg(at).arg(what));
        at += a.text.size();
    }
    const QStringView rest = QStringView(tagText).sliced(skipSeparators(tagText, at));
    FUZZ_CHECK(parts.xhtmlClose ? rest.startsWith(u'/') && onlySeparators(rest.sliced(1))
                                : onlySeparators(rest),
               QStringLiteral("%1 left after the attributes of %2 (closing / %3)")
                   .arg(Shown(rest.toString()), what)
                   .arg(parts.xhtmlClose));

    // GetTagAttribute reads what ReadTag reads; IsTagNamed follows its rule.
    // (The names of the first few attributes: a page taken for a tag text has hundreds.)
    QStringList names = {wanted, parts.name};
    for (const TagAttribute& a : parts.attributes.mid(0, CheckedNames))
        names.append(a.name);
    if (!parts.attributes.isEmpty())
        names.append(parts.name + u' ' + parts.attributes[0].name);
    for (const QString& name : std::as_const(names)) {
        const TagAttribute* first = nullptr;
        for (const TagAttribute& a : parts.attributes)
            if (!first && sameName(a.name, name))
                first = &a;
        const QString expected = !first            ? QString()
                                 : first->hasValue ? first->value
                                                   : QStringLiteral(" ");
        FUZZ_EQUAL(GetTagAttribute(tagText, name), expected,
                   QStringLiteral("attribute %1 of %2").arg(Shown(name), what));
        FUZZ_CHECK(IsTagNamed(tagText, name) == namedByRule(tagText, name),
                   QStringLiteral("%1 is named %2: %3")
                       .arg(what, Shown(name))
                       .arg(IsTagNamed(tagText, name)));
    }
    if (at > 0 && !isSeparator(tagText[0]) && !parts.name.isEmpty())
        FUZZ_CHECK(IsTagNamed(tagText, parts.name),
                   QStringLiteral("%1 is not named %2").arg(what, Shown(parts.name)));
}

// The dialog's markup with the kept attributes put into its first tag.
void checkKeptAttributes(const QString& markup, const QList<TagAttribute>& kept, bool xhtmlClose) {
    const QString result = AddKeptAttributes(markup, kept, xhtmlClose);
    const qsizetype lt = markup.indexOf(u'<');
    const qsizetype gt = lt < 0 ? -1 : plainTagEnd(markup, lt);
    if (gt < 0) {
        FUZZ_EQUAL(result, markup, QStringLiteral("markup without a tag"));
        return;
    }
    const TagParts written = ReadTag(QStringView(markup).sliced(lt + 1, gt - lt - 1));
    // Each kept attribute after one blank, unless the dialog wrote its name; then " /".
    QString insert;
    QList<TagAttribute> added;
    for (const TagAttribute& a : kept) {
        bool named = false;
        for (const TagAttribute& w : written.attributes)
            named = named || sameName(w.name, a.name);
        if (named)
            continue;
        insert += u' ' + a.text;
        added.append(a);
    }
    if (xhtmlClose && !written.xhtmlClose)
        insert += QStringLiteral(" /");
    // After the dialog's attributes: before its "/" and the blanks in front of it, with a
    // blank between when there is none.
    qsizetype place = gt;
    if (written.xhtmlClose) {
        const qsizetype slash = markup.lastIndexOf(u'/', gt);
        place = slash;
        while (place > lt + 1 && markup[place - 1] == u' ')
            --place;
        if (place == slash && !insert.isEmpty())
            insert += u' ';
    }
    FUZZ_EQUAL(result, markup.left(place) + insert + markup.mid(place),
               QStringLiteral("the kept attributes put into %1").arg(Shown(markup)));

    // Read again, the tag has the dialog's attributes and then the kept ones, as they were.
    bool whole = !written.name.isEmpty();
    for (const TagAttribute& a : written.attributes + added)
        whole = whole && wholeAttribute(a);
    if (!whole)
        return;
    const qsizetype newGt = plainTagEnd(result, lt);
    FUZZ_CHECK(newGt == gt + insert.size(),
               QStringLiteral("%1 ends at %2").arg(Shown(result)).arg(newGt));
    const TagParts reread = ReadTag(QStringView(result).sliced(lt + 1, newGt - lt - 1));
    FUZZ_EQUAL(reread.name, written.name, QStringLiteral("the name in ") + Shown(result));
    FUZZ_CHECK(reread.attributes == written.attributes + added &&
                   reread.xhtmlClose == (written.xhtmlClose || xhtmlClose),
               QStringLiteral("%1 read again holds %2 attributes, the dialog wrote %3 and %4 "
                              "were kept (closing / %5)")
                   .arg(Shown(result))
                   .arg(reread.attributes.size())
                   .arg(written.attributes.size())
                   .arg(added.size())
                   .arg(reread.xhtmlClose));
}

void checkTagEdit(const QString& tagText, const QString& markup) {
    const TagEdit edit = TagEditFor(tagText);
    const QString what = QStringLiteral("editing ") + Shown(tagText);
    FUZZ_CHECK(edit.opensDialog() == edit.message.isEmpty(), what);
    if (!edit.opensDialog()) {
        FUZZ_CHECK(edit.fields.isEmpty() && edit.keptAttributes.isEmpty(), what);
        return;
    }
    const TagParts parts = ReadTag(tagText);
    FUZZ_CHECK(edit.xhtmlClose == parts.xhtmlClose, what);
    // The kept attributes are the tag's own, in its order: all those the dialog does not
    // read, and of those it reads only the first of a name (the one it reads).
    qsizetype next = 0;
    for (qsizetype i = 0; i < parts.attributes.size(); ++i) {
        const TagAttribute& a = parts.attributes[i];
        const bool read = edit.readAttributes.contains(a.name, Qt::CaseInsensitive);
        const bool kept =
            next < edit.keptAttributes.size() && edit.keptAttributes[next] == parts.attributes[i];
        bool first = true;
        for (qsizetype k = 0; k < i && first; ++k)
            first = !sameName(parts.attributes[k].name, a.name);
        FUZZ_CHECK(read || kept, QStringLiteral("%1 drops %2").arg(what, Shown(a.text)));
        FUZZ_CHECK(!kept || !read || first,
                   QStringLiteral("%1 keeps a second %2").arg(what, Shown(a.text)));
        next += kept ? 1 : 0;
    }
    FUZZ_CHECK(next == edit.keptAttributes.size(),
               QStringLiteral("%1 keeps attributes the tag does not have").arg(what));
    for (const FieldValue& field : edit.fields)
        FUZZ_CHECK(field.kind != FieldKind::Text || tagText.contains(field.text),
                   QStringLiteral("%1 fills %2 with %3").arg(what, field.control, field.text));
    checkKeptAttributes(markup, edit.keptAttributes, edit.xhtmlClose);
}

// The end of every tag in turn, as the overview asks for them (each after the end of the one
// before), from one finder and alone.
void checkTagEnds(const QString& text, int count) {
    TagEndFinder ends(text);
    qsizetype lt = text.indexOf(u'<');
    for (int k = 0; k < count && lt >= 0; ++k) {
        const qsizetype gt = ends.end(lt);
        FUZZ_CHECK(gt == plainTagEnd(text, lt) && gt == FindTagEnd(text, lt),
                   QStringLiteral("the tag at %1 of %2 ends at %3, by the rule at %4")
                       .arg(lt)
                       .arg(Shown(text.mid(lt)))
                       .arg(gt)
                       .arg(plainTagEnd(text, lt)));
        lt = gt < 0 ? -1 : text.indexOf(u'<', gt + 1);
    }
    // Every "<" in turn, also those inside another tag.
    TagEndFinder every(text);
    lt = text.indexOf(u'<');
    for (int k = 0; k < count && lt >= 0; ++k, lt = text.indexOf(u'<', lt + 1))
        FUZZ_CHECK(every.end(lt) == plainTagEnd(text, lt),
                   QStringLiteral("the tag at %1 of %2").arg(lt).arg(Shown(text.mid(lt))));
}

void checkLocate(const QString& text, qsizetype selStart, qsizetype selLength) {
    const TagLocation found = LocateTag(text, selStart, selLength);
    const qsizetype n = text.size();
    const qsizetype start = std::clamp<qsizetype>(selStart, 0, n);
    const qsizetype length = std::clamp<qsizetype>(selLength, 0, n - start);
    const qsizetype caret = length > 0 ? start + 1 : start;
    const QString what = QStringLiteral("the tag around %1 (%2 selected) in %3")
                             .arg(selStart)
                             .arg(selLength)
                             .arg(Shown(text));
    TagLocation expected;
    if (caret > 0) {
        expected.outcome = TagLocation::NotInTag;
        expected.caret = caret;
        qsizetype lt = caret - 1;
        while (lt > 0 && text[lt] != u'<' && text[lt] != u'>')
            --lt;
        const qsizetype gt = text[lt] == u'<' ? plainTagEnd(text, lt) : -1;
        if (gt >= 0) {
            expected = {TagLocation::Found, lt, gt - lt + 1, 0, text.mid(lt + 1, gt - lt - 1)};
            // The tag holds the character where the search began.
            FUZZ_CHECK(lt <= caret - 1 && caret - 1 < gt, what);
        }
    }
    FUZZ_CHECK(found == expected, QStringLiteral("%1: found %2 at %3, %4 long, caret %5")
                                      .arg(what)
                                      .arg(found.outcome)
                                      .arg(found.start)
                                      .arg(found.length)
                                      .arg(found.caret));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QList<QByteArray> parts = SplitInput(data, size, 3);
    const QString text = DecodeDetected(parts[0], EncodingRules::Document);
    const QString markup = parts.size() > 1 ? DecodeDetected(parts[1], EncodingRules::Document)
                                            : QStringLiteral("<IMG SRC=\"bild.gif\" ALT=\"\" />");
    const QString wanted = parts.size() > 2 ? DecodeDetected(parts[2], EncodingRules::Document)
                                            : QStringLiteral("src");
    const auto n = static_cast<qsizetype>(size);

    // The whole text as one tag text, and each tag of the page.
    checkTagText(text, wanted);
    checkTagEdit(text, markup);
    qsizetype lt = text.indexOf(u'<');
    for (int k = 0; k < CheckedTags && lt >= 0; ++k) {
        const qsizetype gt = FindTagEnd(text, lt);
        if (gt < 0)
            break;
        const QString tagText = text.mid(lt + 1, gt - lt - 1);
        checkTagText(tagText, wanted);
        checkTagEdit(tagText, parts.size() > 1 ? markup : text.mid(lt));
        lt = text.indexOf(u'<', gt + 1);
    }
    checkTagEnds(text, CheckedTags);
    checkTagEnds(markup, CheckedTags);
    for (qsizetype k = 0; k < CheckedCarets && k <= text.size(); ++k) {
        const qsizetype at = text.size() <= CheckedCarets ? k : (k * 7919 + n) % (text.size() + 2);
        checkLocate(text, at, 0);
        checkLocate(text, at - 1, 1 + (k + n) % 6);
    }

    if (WantsScaling(data, size)) {
        const QString big = Repeated(text, ScaledSize);
        const qsizetype length = big.size();
        CheckLinearTime("reading a tag", length, [&] {
            ReadTag(big);
            GetTagAttribute(big, wanted);
            IsTagNamed(big, wanted);
        });
        CheckLinearTime("editing a tag", length, [&] {
            const TagEdit edit = TagEditFor(big);
            // The dialog writes a tag of a few attributes.
            AddKeptAttributes(markup.size() <= 256 ? markup : QStringLiteral("<IMG SRC=\"a\">"),
                              edit.keptAttributes, edit.xhtmlClose);
        });
        CheckLinearTime("finding the end of every tag", length, [&] {
            TagEndFinder ends(big);
            for (qsizetype at = big.indexOf(u'<'); at >= 0;) {
                const qsizetype gt = ends.end(at);
                at = gt < 0 ? -1 : big.indexOf(u'<', gt + 1);
            }
        });
        CheckLinearTime("locating a tag", length, [&] {
            LocateTag(big, length, 0);
            LocateTag(big, length / 2, length / 4);
        });
    }
    return 0;
}
