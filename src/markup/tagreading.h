#pragma once
// Reading tags: where a tag ends, its name, its attributes with their values and their exact
// spelling, and finding the tag around the editor's caret.
//
// A tag text is what stands between a tag's "<" and its ">": the tag name first ("IMG",
// "/a"), then the attributes. An attribute is a name, optionally followed by "=" and a value;
// blanks, tabs, CR and LF separate attributes and may stand around the "=". A value is
// either in double or in single quotes (it then runs to the same quote again, or to the end
// of the tag when that quote never comes, and may hold blanks, line breaks and ">") or
// unquoted (it then ends at a blank, a tab, CR, LF or the end of the tag). A quote opens a
// value only right after an "=": elsewhere it is an ordinary character. A "/" at the very end
// (blanks may follow it) closes an XHTML tag ("<br/>", "<img src=a.gif />") unless it belongs
// to an unquoted value ("<a href=/>").
//
// Positions are 0-based indexes into the QString (UTF-16 units), of any size: nothing here is
// limited to 16 or 32 bits. Every routine runs in time linear in the part of the text it
// reads.

#include <QList>
#include <QString>
#include <QStringView>

// One attribute of a tag.
struct TagAttribute {
    QString name;          // as written ("SRC", "onClick")
    QString value;         // without its quotes; "" when there is none
    bool hasValue = false; // false for a bare name ("ISMAP")
    // The attribute exactly as written, from the first letter of its name through the end of
    // its value (closing quote included), blanks around "=" as they stand: writing it back
    // keeps its quoting, its letter case and its value untouched ("onclick='go()'").
    QString text;
    bool operator==(const TagAttribute&) const = default;
};

// A tag text taken apart.
struct TagParts {
    QString name; // the tag name as written ("IMG", "/a", "!--")
    QList<TagAttribute> attributes;
    bool xhtmlClose = false; // the tag ends in "/"
    // The first attribute with that name (letter case ignored), or nullptr.
    const TagAttribute* attribute(QStringView attrName) const;
};

TagParts ReadTag(QStringView tagText);

// True when the tag text begins with name (letter case ignored) and the name is whole: the
// text is just the name, or the name is followed by a blank, a tab, CR, LF, "=", or an XHTML
// closing "/" with nothing but blanks after it. So "b" is not taken for "bold" nor "br",
// "frame" not for "frameset", and "a href" must be the very start of the tag with one blank.
bool IsTagNamed(QStringView tagText, QStringView name);

// The value of an attribute of the tag text (the name is compared ignoring letter case; the
// tag's own name is not an attribute): "" when the tag has no such attribute, a single blank
// " " when it stands without a value, otherwise its value without quotes (which may itself
// be ""). A name counts only outside quoted values and only when it is whole, so "border"
// does not find "bordercolor=red", "src" not "srcset=...", and "text" not the text inside
// background="a text.gif". When the name occurs more than once the first one counts.
QString GetTagAttribute(QStringView tagText, QStringView attrName);

// Finds where tags end in one text. "<" at position lt begins a tag; its end is the first ">"
// after it that does not stand inside a quoted value ('<a onclick="return a>b">' ends at its
// last ">"). When a quoted value is never closed, the tag ends at the first ">" after that
// quote. Keeps track of what it has found, so asking for the ends of many tags from the
// start of the text to its end costs time linear in the text, not in the number of tags.
class TagEndFinder {
public:
    explicit TagEndFinder(QStringView text) : m_text(text) {}
    // The position of the ">" that closes the tag whose "<" is at lt; -1 when there is none.
    qsizetype end(qsizetype lt);

private:
    // The first position at or after from that holds c, -1 when none; remembered per
    // character so that searches that move forward read every character once.
    struct NextOf {
        char16_t c;
        qsizetype from = -1;
        qsizetype found = -1;
    };
    qsizetype next(NextOf& cache, qsizetype from);

    QStringView m_text;
    NextOf m_gt{u'>'};
    NextOf m_doubleQuote{u'"'};
    NextOf m_singleQuote{u'\''};
};

// The end of the tag whose "<" is at lt, as TagEndFinder finds it; -1 when it has none.
qsizetype FindTagEnd(QStringView text, qsizetype lt);

// Finding the tag around the caret, for editing it.
struct TagLocation {
    enum Outcome {
        Nothing,  // the caret stands at the very start and nothing is selected: do nothing
        NotInTag, // no tag around the caret: put the caret at caret and tell the user
        Found     // select length characters from start: the tag from its "<" through its ">"
    };
    Outcome outcome = Nothing;
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype caret = 0;
    QString tagText; // Found: the text between the "<" and the ">", as written
    bool operator==(const TagLocation&) const = default;
};

// The tag around the caret or the selection (0-based start and length in text). The
// character just left of the caret is where the search begins; with a selection, the first
// selected character. Going back from there, a "<" is the tag's start, while a ">" or the
// start of the text first means the caret is not in a tag. The tag ends at its ">" as
// FindTagEnd finds it (a tag without ">" is no tag). So the caret may stand anywhere from
// just after the "<" to just before the ">"; just after the ">" it is outside. When the
// search fails the caret goes to where the search began (the selection is given up: with a
// selection that is one character after its start), and the editor shows "Placera markören i
// en tagg och försök igen.".
TagLocation LocateTag(QStringView text, qsizetype selStart, qsizetype selLength);
