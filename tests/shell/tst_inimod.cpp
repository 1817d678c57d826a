#include "markup/globals.h"
#include "shell/inimod.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {
const QString Ini = QStringLiteral("vessilor.ini");
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
    void firstWriteCreatesFile();
    void writeTrimsCallersValue_data();
    void writeTrimsCallersValue();
    void writeInt_data();
    void writeInt();
    void lineBreaksInValueStayOnOneLine();
    void charactersOutsideCodePageSurvive();
    void writeProtectedFileUnchanged();
    void folderInsteadOfFileIsLeftAlone();
    void everyReadGoesToTheFile();
};

void tst_inimod::readString_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray basic = "[Vessilor]\r\nWebProg=/usr/bin/firefox\r\nPath=/home/anna\r\n";
    QTest::newRow("plain") << basic << "Vessilor"
                           << "WebProg"
                           << "/usr/bin/firefox";
    QTest::newRow("small letters") << basic << "vessilor"
                                   << "webprog"
                                   << "/usr/bin/firefox";
    QTest::newRow("capitals") << basic << "VESSILOR"
                              << "PATH"
                              << "/home/anna";
    QTest::newRow("names written small in file")
        << QByteArray("[vessilor]\r\nwebprog=x\r\n") << "Vessilor"
        << "WebProg"
        << "x";
    QTest::newRow("missing key") << basic << "Vessilor"
                                 << "CopyPath"
                                 << "";
    QTest::newRow("missing section") << basic << "Editor"
                                     << "WebProg"
                                     << "";
    QTest::newRow("empty value") << QByteArray("[S]\r\nk=\r\n") << "S"
                                 << "k"
                                 << "";
    QTest::newRow("blanks around equals and value")
        << QByteArray("[S]\r\n  k \t=   a b  \r\n") << "S"
        << "k"
        << "a b";
    QTest::newRow("blanks in section line") << QByteArray("  [ S ]  \r\nk=v\r\n") << "S"
                                            << "k"
                                            << "v";
    QTest::newRow("equals inside value") << QByteArray("[S]\nk=a=b\n") << "S"
                                         << "k"
                                         << "a=b";
    QTest::newRow("LF file") << QByteArray("[S]\nk=v\nl=w\n") << "S"
                             << "l"
                             << "w";
    QTest::newRow("no final line break") << QByteArray("[S]\r\nk=v") << "S"
                                         << "k"
                                         << "v";
    QTest::newRow("key of another section") << QByteArray("[A]\r\nk=1\r\n[B]\r\nj=2\r\n") << "B"
                                            << "k"
                                            << "";
    QTest::newRow("second section") << QByteArray("[A]\r\nk=1\r\n[B]\r\nk=2\r\n") << "B"
                                    << "k"
                                    << "2";
    QTest::newRow("first of duplicate keys") << QByteArray("[S]\r\nk=1\r\nk=2\r\n") << "S"
                                             << "k"
                                             << "1";
    QTest::newRow("comment is no key") << QByteArray("[S]\r\n;k=1\r\n#k=2\r\n") << "S"
                                       << "k"
                                       << "";
    QTest::newRow("line without equals is no key") << QByteArray("[S]\r\nk\r\n") << "S"
                                                   << "k"
                                                   << "";
    QTest::newRow("key before any section") << QByteArray("k=0\r\n[S]\r\n") << "S"
                                            << "k"
                                            << "";
    QTest::newRow("Windows-1252 letters") << QByteArray("[S]\r\nk=F\xf6rs\xf6k \x80\r\n") << "S"
                                          << "k" << QString::fromUtf8("Försök €");
    QTest::newRow("written reference read back")
        << QByteArray("[S]\r\nk=/home/Zdj&#281;cia\r\n") << "S"
        << "k" << QString::fromUtf8("/home/Zdjęcia");
    QTest::newRow("reference the writer never makes")
        << QByteArray("[S]\r\nk=&#65;&#233;&#x141;&#;\r\n") << "S"
        << "k"
        << "&#65;&#233;&#x141;&#;";
    QTest::newRow("300 characters cut to 254")
        << QByteArray("[S]\r\nk=") + QByteArray(254, 'a') + QByteArray(46, 'b') + "\r\n"
        << "S"
        << "k" << QString(254, QLatin1Char('a'));
    QTest::newRow("254 characters kept") << QByteArray("[S]\r\nk=") + QByteArray(254, 'c') << "S"
                                         << "k" << QString(254, QLatin1Char('c'));
}

void tst_inimod::readString() {
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TestProgramFolder folder;
    folder.write(Ini, content);
    QCOMPARE(ReadIniString(section, key, IniFile), expected);
}

void tst_inimod::readFromMissingFile() {
    TestProgramFolder folder;
    QCOMPARE(ReadIniString(QStringLiteral("Vessilor"), QStringLiteral("WebProg"), IniFile),
             QString());
    QCOMPARE(ReadIniInt(QStringLiteral("Vessilor"), QStringLiteral("StartUp"), IniFile), -32768.0);
    QVERIFY(!QFile::exists(IniFile));
}

void tst_inimod::readInt_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<double>("expected");
    QTest::newRow("one") << QByteArray("n=1") << 1.0;
    QTest::newRow("minus one") << QByteArray("n=-1") << -1.0;
    QTest::newRow("twips") << QByteArray("n=7215") << 7215.0;
    QTest::newRow("fraction left to the caller") << QByteArray("n=1.6") << 1.6;
    QTest::newRow("leading number") << QByteArray("n=12px") << 12.0;
    QTest::newRow("blanks around") << QByteArray("n =  5  ") << 5.0;
    QTest::newRow("no number") << QByteArray("n=abc") << 0.0;
    QTest::newRow("empty") << QByteArray("n=") << -32768.0;
    QTest::newRow("blanks only") << QByteArray("n=   ") << -32768.0;
    QTest::newRow("missing") << QByteArray("m=1") << -32768.0;
    QTest::newRow("largest") << QByteArray("n=32767") << 32767.0;
    QTest::newRow("smallest") << QByteArray("n=-32767") << -32767.0;
    QTest::newRow("missing marker itself") << QByteArray("n=-32768") << -32768.0;
    QTest::newRow("too large") << QByteArray("n=32768") << -32768.0;
    QTest::newRow("too small") << QByteArray("n=-32769") << -32768.0;
    QTest::newRow("just above range") << QByteArray("n=32767.5") << -32768.0;
    QTest::newRow("huge") << QByteArray("n=") + QByteArray(400, '9') << -32768.0;
}

void tst_inimod::readInt() {
    QFETCH(QByteArray, line);
    QFETCH(double, expected);
    TestProgramFolder folder;
    folder.write(Ini, "[Editor]\r\n" + line + "\r\n");
    QCOMPARE(ReadIniInt(QStringLiteral("editor"), QStringLiteral("N"), IniFile), expected);
}

void tst_inimod::write_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("replace in place") << QByteArray("[S]\r\na=1\r\nk=old\r\nz=2\r\n") << "S"
                                      << "k"
                                      << "new" << QByteArray("[S]\r\na=1\r\nk=new\r\nz=2\r\n");
    QTest::newRow("replace keeps the key's spelling and blanks")
        << QByteArray("[s]\r\n  Key = old value  \r\n") << "S"
        << "KEY"
        << "new" << QByteArray("[s]\r\n  Key = new\r\n");
    QTest::newRow("replace with empty") << QByteArray("[S]\r\nk=old\r\n") << "S"
                                        << "k"
                                        << "" << QByteArray("[S]\r\nk=\r\n");
    QTest::newRow("replace first of duplicates") << QByteArray("[S]\r\nk=1\r\nk=2\r\n") << "S"
                                                 << "k"
                                                 << "3" << QByteArray("[S]\r\nk=3\r\nk=2\r\n");
    QTest::newRow("append after last key, before blank lines")
        << QByteArray("[A]\r\nx=1\r\ny=2\r\n\r\n\r\n[B]\r\nz=3\r\n") << "a"
        << "New"
        << "v" << QByteArray("[A]\r\nx=1\r\ny=2\r\nNew=v\r\n\r\n\r\n[B]\r\nz=3\r\n");
    QTest::newRow("append keeps a comment that follows the keys")
        << QByteArray("[A]\r\nx=1\r\n; about B\r\n[B]\r\n") << "A"
        << "k"
        << "v" << QByteArray("[A]\r\nx=1\r\nk=v\r\n; about B\r\n[B]\r\n");
    QTest::newRow("append to a section without keys")
        << QByteArray("[A]\r\n\r\n[B]\r\nz=3\r\n") << "A"
        << "k"
        << "v" << QByteArray("[A]\r\nk=v\r\n\r\n[B]\r\nz=3\r\n");
    QTest::newRow("append to last section without final break")
        << QByteArray("[A]\r\nx=1") << "A"
        << "k"
        << "v" << QByteArray("[A]\r\nx=1\r\nk=v\r\n");
    QTest::newRow("new section at the end")
        << QByteArray("; settings\r\n[A]\r\nx=1\r\n\r\n") << "Overblick"
        << "FranTagg"
        << "<TABLE>"
        << QByteArray("; settings\r\n[A]\r\nx=1\r\n\r\n[Overblick]\r\nFranTagg=<TABLE>\r\n");
    QTest::newRow("new section after a last line without break")
        << QByteArray("[A]\r\nx=1") << "B"
        << "k"
        << "v" << QByteArray("[A]\r\nx=1\r\n[B]\r\nk=v\r\n");
    QTest::newRow("LF file keeps LF") << QByteArray("[A]\nx=1\n\n[B]\ny=2\n") << "A"
                                      << "k"
                                      << "v" << QByteArray("[A]\nx=1\nk=v\n\n[B]\ny=2\n");
    QTest::newRow("LF file, new section") << QByteArray("[A]\nx=1\n") << "B"
                                          << "k"
                                          << "v" << QByteArray("[A]\nx=1\n[B]\nk=v\n");
    QTest::newRow("mixed breaks stay as they are")
        << QByteArray("[A]\r\nx=1\ny=2\r\n# end\n") << "A"
        << "x"
        << "9" << QByteArray("[A]\r\nx=9\ny=2\r\n# end\n");
    QTest::newRow("empty file") << QByteArray() << "S"
                                << "k"
                                << "v" << QByteArray("[S]\r\nk=v\r\n");
    QTest::newRow("Windows-1252 letters")
        << QByteArray("[S]\r\n") << "S"
        << "k" << QString::fromUtf8("Mapp för €") << QByteArray("[S]\r\nk=Mapp f\xf6r \x80\r\n");
    QTest::newRow("other bytes untouched")
        << QByteArray("\x81\x8d\r\n[S]\r\n;\xe5\xe4\xf6\r\nk=1\r\n") << "S"
        << "k"
        << "2" << QByteArray("\x81\x8d\r\n[S]\r\n;\xe5\xe4\xf6\r\nk=2\r\n");
}

void tst_inimod::write() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    TestProgramFolder folder;
    folder.write(Ini, before);
    WriteIniString(section, key, value, IniFile);
    QCOMPARE(folder.read(Ini), after);
    QCOMPARE(ReadIniString(section, key, IniFile), value);
}

void tst_inimod::firstWriteCreatesFile() {
    TestProgramFolder folder;
    QVERIFY(!QFile::exists(IniFile));
    WriteIniInt(QStringLiteral("Editor"), QStringLiteral("Left"), 1200, IniFile);
    QString path = QStringLiteral("/usr/bin/firefox");
    WriteIniString(QStringLiteral("Vessilor"), QStringLiteral("WebProg"), path, IniFile);
    WriteIniInt(QStringLiteral("Editor"), QStringLiteral("Top"), -15, IniFile);
    QCOMPARE(folder.read(Ini), QByteArray("[Editor]\r\nLeft=1200\r\nTop=-15\r\n"
                                          "[Vessilor]\r\nWebProg=/usr/bin/firefox\r\n"));
}

void tst_inimod::writeTrimsCallersValue_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("blanks") << "  /usr/bin/firefox  "
                            << "/usr/bin/firefox";
    QTest::newRow("tabs") << "\t/opt/x\t"
                          << "/opt/x";
    QTest::newRow("line break at the end") << "/opt/x\r\n"
                                           << "/opt/x";
    QTest::newRow("inner blanks stay") << " a  b "
                                       << "a  b";
    QTest::newRow("only blanks") << "   "
                                 << "";
}

void tst_inimod::writeTrimsCallersValue() {
    QFETCH(QString, value);
    QFETCH(QString, trimmed);
    TestProgramFolder folder;
    WriteIniString(QStringLiteral("Vessilor"), QStringLiteral("WebProg"), value, IniFile);
    QCOMPARE(value, trimmed);
    QCOMPARE(folder.read(Ini), "[Vessilor]\r\nWebProg=" + trimmed.toLatin1() + "\r\n");
}

void tst_inimod::writeInt_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("zero") << 0 << QByteArray("0");
    QTest::newRow("minus one") << -1 << QByteArray("-1");
    QTest::newRow("twips") << 7215 << QByteArray("7215");
}

void tst_inimod::writeInt() {
    QFETCH(int, value);
    QFETCH(QByteArray, text);
    TestProgramFolder folder;
    folder.write(Ini, "[Bearbeta]\r\nLeft=5\r\n");
    WriteIniInt(QStringLiteral("BEARBETA"), QStringLiteral("left"), value, IniFile);
    QCOMPARE(folder.read(Ini), "[Bearbeta]\r\nLeft=" + text + "\r\n");
    QCOMPARE(ReadIniInt(QStringLiteral("Bearbeta"), QStringLiteral("Left"), IniFile),
             double(value));
}

void tst_inimod::lineBreaksInValueStayOnOneLine() {
    TestProgramFolder folder;
    folder.write(Ini, "[S]\r\nk=1\r\n[Other]\r\nx=keep\r\n");
    QString value = QStringLiteral("a\r\n[Other]\r\nx=evil\nb");
    WriteIniString(QStringLiteral("S"), QStringLiteral("k"), value, IniFile);
    QCOMPARE(folder.read(Ini), QByteArray("[S]\r\nk=a[Other]x=evilb\r\n[Other]\r\nx=keep\r\n"));
    QCOMPARE(ReadIniString(QStringLiteral("Other"), QStringLiteral("x"), IniFile),
             QStringLiteral("keep"));
    QCOMPARE(ReadIniString(QStringLiteral("S"), QStringLiteral("k"), IniFile),
             QStringLiteral("a[Other]x=evilb"));
}

void tst_inimod::charactersOutsideCodePageSurvive() {
    TestProgramFolder folder;
    QString value = QString::fromUtf8("/home/anna/Zdjęcia/→ 😀");
    WriteIniString(QStringLiteral("Editor"), QStringLiteral("LastFile"), value, IniFile);
    QCOMPARE(folder.read(Ini),
             QByteArray("[Editor]\r\nLastFile=/home/anna/Zdj&#281;cia/&#8594; &#128512;\r\n"));
    QCOMPARE(ReadIniString(QStringLiteral("Editor"), QStringLiteral("LastFile"), IniFile), value);
}

void tst_inimod::writeProtectedFileUnchanged() {
    TestProgramFolder folder;
    const QByteArray content("[Vessilor]\r\nStartUp=1\r\n");
    folder.write(Ini, content);
    QFile::setPermissions(IniFile, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    WriteIniInt(QStringLiteral("Vessilor"), QStringLiteral("StartUp"), 2, IniFile);
    QString text = QStringLiteral("x");
    WriteIniString(QStringLiteral("Ny"), QStringLiteral("k"), text, IniFile);
    QFile::setPermissions(IniFile, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(folder.read(Ini), content);
    QCOMPARE(ReadIniInt(QStringLiteral("Vessilor"), QStringLiteral("StartUp"), IniFile), 1.0);
}

void tst_inimod::folderInsteadOfFileIsLeftAlone() {
    TestProgramFolder folder;
    QVERIFY(QDir(folder.path()).mkdir(Ini));
    QCOMPARE(ReadIniString(QStringLiteral("S"), QStringLiteral("k"), IniFile), QString());
    QCOMPARE(ReadIniInt(QStringLiteral("S"), QStringLiteral("k"), IniFile), -32768.0);
    QString value = QStringLiteral("v");
    WriteIniString(QStringLiteral("S"), QStringLiteral("k"), value, IniFile);
    QVERIFY(QFileInfo(IniFile).isDir());
}

void tst_inimod::everyReadGoesToTheFile() {
    TestProgramFolder folder;
    WriteIniInt(QStringLiteral("S"), QStringLiteral("k"), 1, IniFile);
    QCOMPARE(ReadIniInt(QStringLiteral("S"), QStringLiteral("k"), IniFile), 1.0);
    folder.write(Ini, "[S]\r\nk=2\r\n");
    QCOMPARE(ReadIniInt(QStringLiteral("S"), QStringLiteral("k"), IniFile), 2.0);
    WriteIniInt(QStringLiteral("S"), QStringLiteral("j"), 3, IniFile);
    QCOMPARE(folder.read(Ini), QByteArray("[S]\r\nk=2\r\nj=3\r\n"));
}

QTEST_MAIN(tst_inimod)
#include "tst_inimod.moc"
