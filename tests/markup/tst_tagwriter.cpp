#include "markup/globals.h"
#include "markup/tagwriter.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// Puts the tag writer's style back to the defaults after each test.
class StyleScope {
public:
    StyleScope(int tagCase, int quoteStyle, bool forceLower) {
        TagCase = tagCase;
        AttrQuoteStyle = quoteStyle;
        ForceLowerCase = forceLower;
    }
    ~StyleScope() {
        TagCase = 0;
        AttrQuoteStyle = 0;
        ForceLowerCase = false;
    }
};

class tst_tagwriter : public QObject {
    Q_OBJECT

private slots:
    void formatAttribute_data() {
        QTest::addColumn<int>("tagCase");
        QTest::addColumn<int>("quoteStyle");
        QTest::addColumn<bool>("forceLower");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected");

        auto row = [](const QByteArray& tag, int tagCase, int quoteStyle, bool forceLower,
                      const QString& name, const QString& value, int kind,
                      const QString& expected) {
            QTest::newRow(tag.constData())
                << tagCase << quoteStyle << forceLower << name << value << kind << expected;
        };

        // Omitted attributes.
        row("blanks only", 0, 0, false, "ALT", "  ", AttrText, "");
        row("empty number", 0, 0, false, "WIDTH", "", AttrNumber, "");
        row("nonzero 0", 0, 0, false, "BORDER", "0", AttrNumberNonZero, "");
        row("nonzero -0", 0, 0, false, "BORDER", "-0", AttrNumberNonZero, "");
        row("non-negative -0.5px", 0, 0, false, "SIZE", " -0.5px", AttrNonNegative, "");

        // Numbers.
        row("number abc", 0, 0, false, "NAME", "abc", AttrNumber, " NAME=\"0\"");
        row("number -3", 0, 0, false, "VSPACE", "-3", AttrNumber, " VSPACE=\"-3\"");
        row("number unquoted", 0, 1, false, "WIDTH", "10", AttrNumber, " WIDTH=10");
        row("percent", 0, 0, false, "WIDTH", "50", AttrPercent, " WIDTH=\"50%\"");
        row("percent of 50%", 0, 0, false, "WIDTH", "50%", AttrPercent, " WIDTH=\"50%\"");
        row("nonzero 4", 0, 0, false, "BORDER", "4", AttrNumberNonZero, " BORDER=\"4\"");

        // Text-like kinds keep their value and their quotes.
        row("text number in style 1", 0, 1, false, "ALT", "10", AttrText, " ALT=\"10\"");
        row("text trimmed", 0, 0, false, " ALT ", "  en bild ", AttrText, " ALT=\"en bild\"");
        row("non-negative abc", 0, 0, false, "SIZE", "abc", AttrNonNegative, " SIZE=\"abc\"");
        row("non-negative +2", 0, 1, false, "SIZE", "+2", AttrNonNegative, " SIZE=\"+2\"");
        row("non-negative 0", 0, 0, false, "SIZE", "0", AttrNonNegative, " SIZE=\"0\"");

        // ForceLowerCase applies to text values written entirely in capitals.
        row("force CENTER", 0, 0, true, "ALIGN", "CENTER", AttrText, " ALIGN=\"center\"");
        row("force Center", 0, 0, true, "ALIGN", "Center", AttrText, " ALIGN=\"Center\"");
        row("force ÅÄÖ", 0, 0, true, "ALT", "ÅÄÖ", AttrText, " ALT=\"åäö\"");
        row("force not kind 6", 0, 0, true, "SIZE", "BIG", AttrNonNegative, " SIZE=\"BIG\"");

        // Letter case of names.
        row("case 0 name", 0, 0, false, "bgColor", "red", AttrText, " BGCOLOR=\"red\"");
        row("case 1 name", 1, 0, false, "BGCOLOR", "RED", AttrText, " bgcolor=\"RED\"");
        row("case 2 tag", 2, 0, false, "<BODY", "", AttrTagName, " <Body");
        row("case 2 end tag long", 2, 0, false, "</TABLE>", "", AttrTagName, " </Table>");
        row("case 2 flag word", 2, 0, false, "NOWRAP", "", AttrTagName, " Nowrap");
        row("case 2 only <", 2, 0, false, "<", "", AttrTagName, " <");
        row("case 2 empty name", 2, 0, false, "", "", AttrTagName, " ");
        row("case 1 Swedish", 1, 0, false, "ÅÄÖ", "", AttrTagName, " åäö");
        row("case 0 sharp s", 0, 0, false, "straße", "", AttrTagName, " STRAßE");
        row("tag name ignores value", 0, 1, false, "nowrap", "x", AttrTagName, " NOWRAP");

        row("case 2 first letter é", 2, 0, false, "éLAN", "", AttrTagName, " Élan");
        row("unknown case keeps", 7, 0, false, "MiXed", "", AttrTagName, " MiXed");
    }

    void formatAttribute() {
        QFETCH(int, tagCase);
        QFETCH(int, quoteStyle);
        QFETCH(bool, forceLower);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(int, kind);
        QFETCH(QString, expected);
        StyleScope style(tagCase, quoteStyle, forceLower);
        QCOMPARE(FormatAttribute(name, value, kind), expected);
    }

    void callerVariables_data() {
        QTest::addColumn<int>("tagCase");
        QTest::addColumn<bool>("forceLower");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("nameAfter");
        QTest::addColumn<QString>("valueAfter");
        auto row = [](const char* tag, int tagCase, bool forceLower, const QString& name,
                      const QString& value, int kind, const QString& expected,
                      const QString& nameAfter, const QString& valueAfter) {
            QTest::newRow(tag) << tagCase << forceLower << name << value << kind << expected
                               << nameAfter << valueAfter;
        };
        // Trimmed and recased; the normalised number and lower-cased text are in the result
        // alone.
        row("number", 2, true, "  WIDTH ", "  007px ", AttrNumber, " Width=\"7\"", "Width",
            "007px");
        row("text", 2, true, "ALIGN", " CENTER", AttrText, " Align=\"center\"", "Align", "CENTER");
        row("tag name", 2, true, " <table ", "", AttrTagName, " <Table", "<Table", "");
        // Left out before recasing: the name is trimmed only.
        row("blank value", 0, false, " alt ", "  ", AttrText, "", "alt", "");
        row("negative value", 0, false, "size ", " -2 ", AttrNonNegative, "", "size", "-2");
    }

    void callerVariables() {
        QFETCH(int, tagCase);
        QFETCH(bool, forceLower);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(int, kind);
        QFETCH(QString, expected);
        QFETCH(QString, nameAfter);
        QFETCH(QString, valueAfter);
        StyleScope style(tagCase, 0, forceLower);
        QCOMPARE(FormatAttribute(name, value, kind), expected);
        QCOMPARE(name, nameAfter);
        QCOMPARE(value, valueAfter);
    }

    void literalsNeedNoVariables() {
        StyleScope style(1, 0, false);
        QCOMPARE(FormatAttribute("</TABLE>", "", AttrTagName), u" </table>"_s);
        const QString fixed = u" BORDER "_s;
        QCOMPARE(FormatAttribute(fixed, u"2"_s, AttrNumber), u" border=\"2\""_s);
        QCOMPARE(fixed, u" BORDER "_s);
    }
};

QTEST_APPLESS_MAIN(tst_tagwriter)
#include "tst_tagwriter.moc"
