#include "markup/globals.h"
#include "platform/files.h"
#include "shell/inimod.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
const QString Ini = u"vessilor.ini"_s;

QString iniText(const QString& section, const QString& key) {
    return ReadIniString(section, key, IniFile);
}

double iniNumber(const QString& section, const QString& key) {
    return ReadIniInt(section, key, IniFile);
}

void writeString(const QString& section, const QString& key, const QString& text) {
    QString value = text;
    WriteIniString(section, key, value, IniFile);
}
} // namespace

class tst_inimod : public QObject {
    Q_OBJECT

private slots:
    void readString_data();
    void readString();
    void readFromMissingFile();
    void readInt_data();
    void readInt();
    void write_data();
    void write();
    void firstWritesCreateTheFile();
    void writeTrimsCallersValue_data();
    void writeTrimsCallersValue();
    void lineBreaksInValueStayOnOneLine();
    void valuesReadBackAsWritten_data();
    void valuesReadBackAsWritten();
    void unusableFileUnchanged_data();
    void unusableFileUnchanged();
    void folderInsteadOfFileIsLeftAlone();
    void everyReadGoesToTheFile();
};

void tst_inimod::readString_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* name, const QByteArray& content, const QString& section,
                  const QString& key, const QString& expected) {
        QTest::newRow(name) << content << section << key << expected;
    };

    // (Names in any letter case, blanks, comments, the first of a section or key and lines
    // without a name are read by the rules the settings fuzz target checks in every CI run.)
    row("plain, names in any case", "[Vessilor]\r\nWebProg=/usr/bin/firefox\r\nPath=/x\r\n",
        "vessilor", "webprog", "/usr/bin/firefox");
    row("file ending in a bare CR", "[S]\r\nk=/bin/true\r", "S", "k", "/bin/true");
    row("Windows-1252 letters", "[S]\r\nk=F\xf6rs\xf6k \x80\r\n", "S", "k",
        QString::fromUtf8("Försök €"));
    row("reference the writer never makes", "[S]\r\nk=&#65;&#233;&#x141;&#;\r\n", "S", "k",
        "&#65;&#233;&#x141;&#;");
    row("300 characters cut to 254",
        QByteArray("[S]\r\nk=") + QByteArray(254, 'a') + QByteArray(46, 'b') + "\r\n", "S", "k",
        QString(254, u'a'));
}

void tst_inimod::readString() {
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TestProgramFolder folder;
    folder.write(Ini, content);
    QCOMPARE(iniText(section, key), expected);
}

void tst_inimod::readFromMissingFile() {
    TestProgramFolder folder;
    QCOMPARE(iniText(u"Vessilor"_s, u"WebProg"_s), QString());
    QCOMPARE(iniNumber(u"Vessilor"_s, u"StartUp"_s), -32768.0);
    QVERIFY(!QFile::exists(IniFile));
}

void tst_inimod::readInt_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<double>("expected");
    QTest::newRow("fraction left to the caller") << QByteArray("n=1.6") << 1.6;
    QTest::newRow("leading number") << QByteArray("n=12px") << 12.0;
    QTest::newRow("no number") << QByteArray("n=abc") << 0.0;
    QTest::newRow("empty") << QByteArray("n=") << -32768.0;
    QTest::newRow("missing") << QByteArray("m=1") << -32768.0;
    QTest::newRow("largest") << QByteArray("n=32767") << 32767.0;
    QTest::newRow("missing marker itself") << QByteArray("n=-32768") << -32768.0;
    QTest::newRow("too large") << QByteArray("n=32768") << -32768.0;
    QTest::newRow("just above range") << QByteArray("n=32767.5") << -32768.0;
    QTest::newRow("huge") << QByteArray("n=") + QByteArray(400, '9') << -32768.0;
}

void tst_inimod::readInt() {
    QFETCH(QByteArray, line);
    QFETCH(double, expected);
    TestProgramFolder folder;
    folder.write(Ini, "[Editor]\r\n" + line + "\r\n");
    QCOMPARE(iniNumber(u"editor"_s, u"N"_s), expected);
}

void tst_inimod::write_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    auto row = [](const char* name, const QByteArray& before, const QString& section,
                  const QString& key, const QString& value, const QByteArray& after) {
        QTest::newRow(name) << before << section << key << value << after;
    };

    row("replace in place", "[S]\r\na=1\r\nk=old\r\nz=2\r\n", "S", "k", "new",
        "[S]\r\na=1\r\nk=new\r\nz=2\r\n");
    row("replace keeps the key's spelling and blanks", "[s]\r\n  Key = old value  \r\n", "S", "KEY",
        "new", "[s]\r\n  Key = new\r\n");
    row("append after last key, before blank lines", "[A]\r\nx=1\r\ny=2\r\n\r\n\r\n[B]\r\nz=3\r\n",
        "a", "New", "v", "[A]\r\nx=1\r\ny=2\r\nNew=v\r\n\r\n\r\n[B]\r\nz=3\r\n");
    row("append keeps a comment that follows the keys", "[A]\r\nx=1\r\n; about B\r\n[B]\r\n", "A",
        "k", "v", "[A]\r\nx=1\r\nk=v\r\n; about B\r\n[B]\r\n");
    row("append to a section without keys", "[A]\r\n\r\n[B]\r\nz=3\r\n", "A", "k", "v",
        "[A]\r\nk=v\r\n\r\n[B]\r\nz=3\r\n");
    row("new section at the end", "; settings\r\n[A]\r\nx=1\r\n\r\n", "Overblick", "FranTagg",
        "<TABLE>", "; settings\r\n[A]\r\nx=1\r\n\r\n[Overblick]\r\nFranTagg=<TABLE>\r\n");
    row("new section after a last line without break", "[A]\r\nx=1", "B", "k", "v",
        "[A]\r\nx=1\r\n[B]\r\nk=v\r\n");
    row("CR file keeps CR", "[A]\rx=1\r\r[B]\r", "A", "k", "v", "[A]\rx=1\rk=v\r\r[B]\r");
    row("bare CR at the end", "[A]\r\nx=1\r", "A", "x", "2", "[A]\r\nx=2\r");
    row("mixed breaks stay as they are", "[A]\r\nx=1\ny=2\r\n# end\n", "A", "x", "9",
        "[A]\r\nx=9\ny=2\r\n# end\n");
    row("Windows-1252 letters", "[S]\r\n", "S", "k", QString::fromUtf8("Mapp för €"),
        "[S]\r\nk=Mapp f\xf6r \x80\r\n");
    row("other bytes untouched", "\x81\x8d\r\n[S]\r\n;\xe5\xe4\xf6\r\nk=1\r\n", "S", "k", "2",
        "\x81\x8d\r\n[S]\r\n;\xe5\xe4\xf6\r\nk=2\r\n");
}

void tst_inimod::write() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    TestProgramFolder folder;
    folder.write(Ini, before);
    writeString(section, key, value);
    QCOMPARE(folder.read(Ini), after);
    QCOMPARE(iniText(section, key), value);
}

void tst_inimod::firstWritesCreateTheFile() {
    TestProgramFolder folder;
    QVERIFY(!QFile::exists(IniFile));
    WriteIniInt(u"Editor"_s, u"Left"_s, 1200, IniFile);
    writeString(u"Vessilor"_s, u"WebProg"_s, "/usr/bin/firefox");
    WriteIniInt(u"Editor"_s, u"Top"_s, -15, IniFile);
    QCOMPARE(folder.read(Ini), QByteArray("[Editor]\r\nLeft=1200\r\nTop=-15\r\n"
                                          "[Vessilor]\r\nWebProg=/usr/bin/firefox\r\n"));
    // A number is replaced in place, whatever the letter case of the names.
    WriteIniInt(u"EDITOR"_s, u"left"_s, 0, IniFile);
    QVERIFY(folder.read(Ini).startsWith("[Editor]\r\nLeft=0\r\nTop=-15\r\n"));
    QCOMPARE(iniNumber(u"Editor"_s, u"Top"_s), -15.0);
}

void tst_inimod::writeTrimsCallersValue_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("line break at the end") << u"\t/opt/x\r\n"_s << "/opt/x";
    QTest::newRow("only blanks") << u"   "_s << "";
}

void tst_inimod::writeTrimsCallersValue() {
    QFETCH(QString, value);
    QFETCH(QString, trimmed);
    TestProgramFolder folder;
    WriteIniString(u"Vessilor"_s, u"WebProg"_s, value, IniFile);
    QCOMPARE(value, trimmed);
    QCOMPARE(folder.read(Ini), "[Vessilor]\r\nWebProg=" + trimmed.toLatin1() + "\r\n");
}

void tst_inimod::lineBreaksInValueStayOnOneLine() {
    TestProgramFolder folder;
    folder.write(Ini, "[S]\r\nk=1\r\n[Other]\r\nx=keep\r\n");
    writeString(u"S"_s, u"k"_s, "a\r\n[Other]\r\nx=evil\nb");
    QCOMPARE(folder.read(Ini), QByteArray("[S]\r\nk=a[Other]x=evilb\r\n[Other]\r\nx=keep\r\n"));
    QCOMPARE(iniText(u"Other"_s, u"x"_s), u"keep"_s);
    QCOMPARE(iniText(u"S"_s, u"k"_s), u"a[Other]x=evilb"_s);
}

void tst_inimod::valuesReadBackAsWritten_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("text like a reference") << "/home/&#322;" << QByteArray("/home/&#38;#322;");
    QTest::newRow("other ampersands")
        << "R&D &#x41; &#0322; &#;" << QByteArray("R&D &#x41; &#0322; &#;");
    QTest::newRow("byte-order mark character")
        << QString(QChar(0xFEFF)) + "x" << QByteArray("&#65279;x");
}

void tst_inimod::valuesReadBackAsWritten() {
    QFETCH(QString, value);
    QFETCH(QByteArray, stored);
    TestProgramFolder folder;
    writeString(u"S"_s, u"k"_s, value);
    QCOMPARE(folder.read(Ini), "[S]\r\nk=" + stored + "\r\n");
    QCOMPARE(iniText(u"S"_s, u"k"_s), value);
}

void tst_inimod::unusableFileUnchanged_data() {
    QTest::addColumn<bool>("tooLarge");
    QTest::newRow("write-protected") << false;
    QTest::newRow("larger than a settings file can be") << true;
}

// A write-protected file keeps its content and is still read; one too large to be a settings
// file reads as missing and is never written over.
void tst_inimod::unusableFileUnchanged() {
    QFETCH(bool, tooLarge);
    TestProgramFolder folder;
    QByteArray content("[Vessilor]\r\nStartUp=1\r\n");
    if (tooLarge)
        content += QByteArray(";\r\n").repeated(StartFileSizeLimit / 3);
    folder.write(Ini, content);
    if (!tooLarge)
        QFile::setPermissions(IniFile, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    WriteIniInt(u"Vessilor"_s, u"StartUp"_s, 2, IniFile);
    writeString(u"Ny"_s, u"k"_s, "x");
    QFile::setPermissions(IniFile, QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(folder.read(Ini) == content);
    QCOMPARE(iniNumber(u"Vessilor"_s, u"StartUp"_s), tooLarge ? -32768.0 : 1.0);
}

void tst_inimod::folderInsteadOfFileIsLeftAlone() {
    TestProgramFolder folder;
    QVERIFY(QDir(folder.path()).mkdir(Ini));
    QCOMPARE(iniText(u"S"_s, u"k"_s), QString());
    QCOMPARE(iniNumber(u"S"_s, u"k"_s), -32768.0);
    writeString(u"S"_s, u"k"_s, "v");
    QVERIFY(QFileInfo(IniFile).isDir());
}

void tst_inimod::everyReadGoesToTheFile() {
    TestProgramFolder folder;
    WriteIniInt(u"S"_s, u"k"_s, 1, IniFile);
    QCOMPARE(iniNumber(u"S"_s, u"k"_s), 1.0);
    folder.write(Ini, "[S]\r\nk=2\r\n");
    QCOMPARE(iniNumber(u"S"_s, u"k"_s), 2.0);
    WriteIniInt(u"S"_s, u"j"_s, 3, IniFile);
    QCOMPARE(folder.read(Ini), QByteArray("[S]\r\nk=2\r\nj=3\r\n"));
}

QTEST_MAIN(tst_inimod)
#include "tst_inimod.moc"
