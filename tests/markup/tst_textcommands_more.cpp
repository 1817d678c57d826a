// More of the editor's text commands as text logic: converting to codes with a table entry
// that deletes its character.

#include "markup/globals.h"
#include "markup/textcommands.h"
#include "testsupport.h"

#include <QtTest>

class tst_textcommands_more : public QObject {
    Q_OBJECT
private slots:
    void deletingEntryEmptiesTheSelection_data();
    void deletingEntryEmptiesTheSelection();
};

void tst_textcommands_more::deletingEntryEmptiesTheSelection_data() {
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("newStart");
    QTest::addColumn<int>("newLength");
    QTest::newRow("among other characters") << 0 << 4 << "ab" << 0 << 2;
    QTest::newRow("nothing but deleted characters") << 1 << 2 << "ab" << 1 << 0;
}

void tst_textcommands_more::deletingEntryEmptiesTheSelection() {
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, after);
    QFETCH(int, newStart);
    QFETCH(int, newLength);
    // A table of one line "x": every x is deleted.
    EntityChars = {QString(), QStringLiteral("x"), QStringLiteral(" ")};
    EntityCodes = {QString(), QString(), QStringLiteral("&nbsp;")};
    EntityCount = 1;
    const QString text = QStringLiteral("axxb");
    const TextEdit edit = ConvertEntities(text, selStart, selLength, true);
    QVERIFY(edit.changed && !edit.failed);
    QCOMPARE(QString(text).replace(edit.replaceStart, edit.replaceLength, edit.replacement), after);
    QCOMPARE(edit.selStart, newStart);
    QCOMPARE(edit.selLength, newLength);
}

QTEST_MAIN(tst_textcommands_more)
#include "tst_textcommands_more.moc"
