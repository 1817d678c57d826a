// The drive, folder and file lists: patterns, sorting, hidden entries, the folder index
// model, and the click raised by setting the file list's index. (The walk over a tree is
// tested with the batch run.)

#include "testsupport.h"
#include "widgets/filepanes.h"

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_filepanes : public QObject {
    Q_OBJECT
private slots:
    void patternMatchesIgnoringCase_data();
    void patternMatchesIgnoringCase();
    void patternsThatCannotBeUsed();
    void namesSortIgnoringCase();
    void fileListShowsMatchingVisibleFiles();
    void settingThePattern();
    void refreshKeepsTheSelectedFile();
    void settingTheListIndexRaisesTheClick();
    void userClickAndKeysRaiseTheClick();
    void folderIndexModel();
    void highlightingMovesOnlyWithEnter();
    void folderThatCannotBeReadIsRefused();
    void linksBackUpTheTreeAreLeftOut();
    void refreshGoesUpWhenTheFolderIsGone();
    void driveOfAFolder();
    void settingTheDriveRaisesNothing();
};

namespace {

void makeFiles(const TestTree& dir, std::initializer_list<const char*> names) {
    for (const char* name : names)
        dir.write(QString::fromUtf8(name), "x");
}

QStringList entries(const FileList& list) {
    QStringList names;
    for (int i = 0; i < list.listCount(); ++i)
        names << list.fileName(i);
    return names;
}

QStringList subfolders(const FolderList& list) {
    QStringList paths;
    for (int i = 0; i < list.listCount(); ++i)
        paths << list.listPath(i);
    return paths;
}

} // namespace

void tst_filepanes::patternMatchesIgnoringCase_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("matches");
    auto row = [](const char* tag, const QString& pattern, const QString& name, bool matches) {
        QTest::newRow(tag) << pattern << name << matches;
    };
    row("htm* upper case", "*.htm*", "INDEX.HTM", true);
    row("htm not html", "*.htm", "a.html", false);
    row("second glob", "*.htm;*.txt", "Readme.TXT", true);
    row("blank after ;", "*.htm; *.txt", "b.txt", true);
    row("neither glob", "*.htm;*.txt", "b.css", false);
    row("*.* without dot", "*.*", "README", true);
    row("name.* bare", "index.*", "index", true);
    row("name.* other", "index.*", "indexes", false);
    row("question mark", "a?c.htm", "aBc.htm", true);
    row("question mark needs one", "a?c.htm", "ac.htm", false);
    row("brackets are plain", "a[1].htm", "a[1].htm", true);
    row("Swedish letters", "Å*.txt", "åsa.txt", true);
    row("empty pattern", "", "anything", true);
}

void tst_filepanes::patternMatchesIgnoringCase() {
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QFETCH(bool, matches);
    const FilePattern p(pattern);
    QVERIFY(p.isValid());
    QCOMPARE(p.matches(name), matches);
}

void tst_filepanes::patternsThatCannotBeUsed() {
    QVERIFY(!FilePattern(u"web/*.htm"_s).isValid());
    QVERIFY(!FilePattern(u"*.htm"_s + QChar(0)).isValid());
}

void tst_filepanes::namesSortIgnoringCase() {
    QStringList names = {"b.htm", "A2.htm", "a1.htm", "B.htm", "ö.htm", "Ä.htm", "_x.htm"};
    SortNamesIgnoringCase(names);
    QCOMPARE(names,
             QStringList({"_x.htm", "a1.htm", "A2.htm", "B.htm", "b.htm", "Ä.htm", "ö.htm"}));
}

void tst_filepanes::fileListShowsMatchingVisibleFiles() {
    TestTree dir;
    makeFiles(dir, {"b.htm", "A.htm", "c.HTML", ".hidden.htm", "d.txt", "e.htm.bak"});
    dir.folder(u"folder.htm"_s);
    FileList list;
    QVERIFY(list.setPattern(u"*.htm*"_s));
    QVERIFY(list.setPath(dir.path()));
    QCOMPARE(entries(list), QStringList({"A.htm", "b.htm", "c.HTML", "e.htm.bak"}));
    QCOMPARE(list.listIndex(), -1);
    QCOMPARE(list.fileName(4), QString());
    QCOMPARE(list.fileName(-1), QString());
    QCOMPARE(list.path(), dir.path());
    // A folder that cannot be read leaves the list as it is.
    QVERIFY(!list.setPath(dir.file(u"missing"_s)));
    QCOMPARE(list.path(), dir.path());
    QCOMPARE(entries(list), QStringList({"A.htm", "b.htm", "c.HTML", "e.htm.bak"}));
}

void tst_filepanes::settingThePattern() {
    TestTree dir;
    makeFiles(dir, {"a.htm", "b.txt"});
    FileList list;
    list.setPath(dir.path());
    QVERIFY(list.setPattern(u"*.txt"_s));
    QCOMPARE(entries(list), QStringList({"b.txt"}));
    // Setting the same pattern again reads the folder again.
    makeFiles(dir, {"C.txt"});
    QCOMPARE(list.listCount(), 1);
    QVERIFY(list.setPattern(u"*.txt"_s));
    QCOMPARE(entries(list), QStringList({"b.txt", "C.txt"}));
    // An unusable pattern keeps the previous one.
    QVERIFY(!list.setPattern(u"x/*.htm"_s));
    QCOMPARE(list.pattern(), u"*.txt"_s);
    QCOMPARE(entries(list), QStringList({"b.txt", "C.txt"}));
}

void tst_filepanes::refreshKeepsTheSelectedFile() {
    TestTree dir;
    makeFiles(dir, {"b.htm", "c.htm"});
    FileList list;
    list.setPath(dir.path());
    list.setListIndex(0);
    QSignalSpy clicked(&list, &FileList::fileClicked);
    dir.write(u"a.htm"_s, "x");
    list.refresh();
    QCOMPARE(entries(list), QStringList({"a.htm", "b.htm", "c.htm"}));
    QCOMPARE(list.listIndex(), 1);
    QCOMPARE(clicked.count(), 0);
    QFile::remove(dir.file(u"b.htm"_s));
    list.refresh();
    QCOMPARE(list.listIndex(), -1);
    // An unchanged folder leaves the list exactly as it was: no jump to the top.
    for (int i = 0; i < 60; ++i)
        dir.write(u"f%1.htm"_s.arg(i, 2, 10, QChar(u'0')), "x");
    list.resize(120, 80);
    list.refresh();
    list.scrollToBottom();
    const int scrolled = list.verticalScrollBar()->value();
    QVERIFY(scrolled > 0);
    list.refresh();
    QCOMPARE(list.verticalScrollBar()->value(), scrolled);
}

void tst_filepanes::settingTheListIndexRaisesTheClick() {
    TestTree dir;
    makeFiles(dir, {"a.htm", "b.htm", "c.htm"});
    FileList list;
    list.setPath(dir.path());
    QSignalSpy clicked(&list, &FileList::fileClicked);
    QVERIFY(list.setListIndex(2));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), 2);
    QCOMPARE(list.listIndex(), 2);
    QVERIFY(list.setListIndex(2)); // choosing the same file again is a click as well
    QCOMPARE(clicked.count(), 2);
    QVERIFY(list.setListIndex(-1));
    QCOMPARE(list.listIndex(), -1);
    QCOMPARE(list.selectedItems().size(), 0);
    QVERIFY(!list.setListIndex(3));
    QVERIFY(!list.setListIndex(-2));
    QCOMPARE(clicked.count(), 2);
    list.setListIndex(1);
    list.setPath(dir.path());
    QCOMPARE(list.listIndex(), -1);
    QCOMPARE(clicked.count(), 3);
}

void tst_filepanes::userClickAndKeysRaiseTheClick() {
    TestTree dir;
    makeFiles(dir, {"a.htm", "b.htm", "c.htm"});
    FileList list;
    list.resize(200, 200);
    list.setPath(dir.path());
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy clicked(&list, &FileList::fileClicked);
    QSignalSpy right(&list, &FileList::rightButtonReleased);
    QSignalSpy released(&list, &FileList::keyReleased);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(1)).center());
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), 1);
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(clicked.at(1).at(0).toInt(), 2);
    QTest::keyClick(&list, Qt::Key_Delete);
    QCOMPARE(released.count(), 2); // the Down key and the Delete key
    QCOMPARE(released.at(1).at(0).toInt(), int(Qt::Key_Delete));
    QTest::mouseClick(list.viewport(), Qt::RightButton, {},
                      list.visualItemRect(list.item(0)).center());
    QCOMPARE(right.count(), 1);
    QCOMPARE(clicked.count(), 2);
}

void tst_filepanes::folderIndexModel() {
    TestTree dir;
    for (const char* name : {"B", "a", "C", ".hidden", "a/x"})
        dir.folder(QLatin1String(name));
    dir.write(u"file.htm"_s, "x");
    const QString top = dir.path();
    FolderList list;
    QSignalSpy changed(&list, &FolderList::pathChanged);
    QVERIFY(list.setPath(top));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), top);
    QCOMPARE(list.path(), top);
    QCOMPARE(subfolders(list), QStringList({top + "/a", top + "/B", top + "/C"}));
    QCOMPARE(list.listPath(3), QString());
    QCOMPARE(list.listIndex(), -1);
    QCOMPARE(list.listPath(-1), top);
    QCOMPARE(list.listPath(-2), QFileInfo(top).path());
    QCOMPARE(list.listPath(-list.parentCount()), u"/"_s);
    QCOMPARE(list.listPath(-list.parentCount() - 1), QString());
    QCOMPARE(list.parentCount(), top.count(u'/') + 1);

    QVERIFY(list.setPath(top + "/a/"));
    QCOMPARE(list.path(), top + "/a");
    QCOMPARE(changed.count(), 2);
    QCOMPARE(subfolders(list), QStringList({top + "/a/x"}));
    QVERIFY(list.setPath(top + "/a"));
    QCOMPARE(changed.count(), 2); // same folder: no change
    QVERIFY(list.setPath(top + "/a/x"));
    QCOMPARE(list.listCount(), 0);
    QCOMPARE(list.listPath(list.listCount() - 1), list.path());
}

void tst_filepanes::highlightingMovesOnlyWithEnter() {
    TestTree dir;
    dir.folder(u"a"_s);
    dir.folder(u"b"_s);
    const QString top = dir.path();
    FolderList list;
    list.setPath(dir.path());
    QSignalSpy changed(&list, &FolderList::pathChanged);
    QVERIFY(list.setListIndex(-2));
    QCOMPARE(list.listIndex(), -2);
    QVERIFY(list.setListIndex(1));
    QCOMPARE(list.listIndex(), 1);
    QVERIFY(!list.setListIndex(2));
    QVERIFY(!list.setListIndex(-list.parentCount() - 1));
    QCOMPARE(list.listIndex(), 1);
    QCOMPARE(list.path(), top);
    QCOMPARE(changed.count(), 0);
    QTest::keyClick(&list, Qt::Key_Return);
    QCOMPARE(list.path(), top + "/b");
    QCOMPARE(changed.count(), 1);
    list.setListIndex(-2);
    QTest::keyClick(&list, Qt::Key_Enter);
    QCOMPARE(list.path(), top);
}

void tst_filepanes::folderThatCannotBeReadIsRefused() {
    TestTree dir;
    FolderList list;
    list.setPath(dir.path());
    QSignalSpy changed(&list, &FolderList::pathChanged);
    QVERIFY(!list.setPath(dir.file(u"missing"_s)));
    QVERIFY(!list.setPath(QString()));
    dir.write(u"file"_s, "x");
    QVERIFY(!list.setPath(dir.file(u"file"_s)));
    QCOMPARE(list.path(), dir.path());
    QCOMPARE(changed.count(), 0);
}

void tst_filepanes::linksBackUpTheTreeAreLeftOut() {
    TestTree dir;
    const QString top = dir.path();
    dir.folder(u"a"_s);
    dir.folder(u"c"_s);
    QVERIFY(QFile::link(top, top + "/a/up"));
    QVERIFY(QFile::link(top + "/a", top + "/a/self"));
    QVERIFY(QFile::link(top + "/c", top + "/a/side"));
    QVERIFY(QFile::link(top + "/c", top + "/link"));
    FolderList list;
    list.setPath(top);
    QCOMPARE(subfolders(list), QStringList({top + "/a", top + "/c", top + "/link"}));
    list.setPath(top + "/a");
    QCOMPARE(subfolders(list), QStringList({top + "/a/side"}));
    // Through a link, the folders above are those of the link's own path.
    QVERIFY(QFile::link(top, top + "/c/back"));
    list.setPath(top + "/link");
    QCOMPARE(subfolders(list), QStringList());
}

void tst_filepanes::refreshGoesUpWhenTheFolderIsGone() {
    TestTree dir;
    const QString top = dir.path();
    dir.folder(u"a/b"_s);
    FolderList list;
    list.setPath(top + "/a/b");
    QSignalSpy changed(&list, &FolderList::pathChanged);
    QDir(top + "/a").removeRecursively();
    list.refresh();
    QCOMPARE(list.path(), top);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(list.listCount(), 0);
}

void tst_filepanes::driveOfAFolder() {
    const QStringList drives = DriveList::availableDrives();
    QVERIFY(!drives.isEmpty());
    QCOMPARE(drives.first(), u"/"_s);
    QCOMPARE(drives.count(u"/"_s), 1);
    TestTree dir;
    const QString drive = DriveList::driveOf(dir.path());
    QVERIFY(drives.contains(drive));
    QVERIFY(drive == "/"_L1 || dir.path().startsWith(drive + "/"));
    QCOMPARE(DriveList::driveOf(u"/"_s), u"/"_s);
    QVERIFY(DriveList::isReady(u"/"_s));
    QVERIFY(DriveList::isReady(dir.path())); // a readable folder, mount point or not
    QVERIFY(!DriveList::isReady(dir.file(u"missing"_s)));
}

void tst_filepanes::settingTheDriveRaisesNothing() {
    TestTree dir;
    DriveList list;
    QSignalSpy changed(&list, &DriveList::driveChanged);
    list.setDrive(dir.path());
    QCOMPARE(list.drive(), DriveList::driveOf(dir.path()));
    QCOMPARE(list.currentText(), list.drive());
    list.refresh();
    QCOMPARE(list.drive(), DriveList::driveOf(dir.path()));
    QCOMPARE(changed.count(), 0);
}

QTEST_MAIN(tst_filepanes)
#include "tst_filepanes.moc"
