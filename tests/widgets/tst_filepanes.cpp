// The drive, folder and file lists: patterns, sorting, hidden entries, the folder index
// model the batch walk is built on, and the click raised by setting the file list's index.

#include "widgets/filepanes.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QScrollBar>
#include <QtTest>

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
    void manyFilesAreSortedAsOneList();
    void folderIndexModel();
    void highlightingMovesOnlyWithEnter();
    void folderThatCannotBeReadIsRefused();
    void linksBackUpTheTreeAreLeftOut();
    void refreshGoesUpWhenTheFolderIsGone();
    void batchWalkOrder();
    void driveOfAFolder();
    void settingTheDriveRaisesNothing();
};

namespace {

void makeFile(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

void makeFiles(const QTemporaryDir& dir, std::initializer_list<const char*> names) {
    for (const char* name : names)
        makeFile(dir.filePath(QString::fromUtf8(name)));
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

// The pre-order walk of the batch run, built only on the folder list's index model.
void nextFolder(FolderList& list, const QString& root, bool& descend) {
    if (!descend) {
        list.setPath(list.listPath(list.listCount() - 1));
        if (list.listPath(list.listCount() - 1) == list.path())
            descend = true;
        return;
    }
    for (;;) {
        const QString current = list.path();
        list.setPath(list.listPath(-2));
        for (int m = list.listCount() - 1; m >= 0; --m) {
            if (list.listPath(m) == current) {
                list.setListIndex(m - 1);
                break;
            }
        }
        const QString entry = list.listPath(list.listIndex());
        if (list.path() == root || list.path().left(entry.size()) != entry)
            break;
    }
    list.setPath(list.listPath(list.listIndex()));
    descend = list.listCount() == 0;
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
    row("htm* html", "*.htm*", "a.html", true);
    row("htm* txt", "*.htm*", "a.txt", false);
    row("htm not html", "*.htm", "a.html", false);
    row("second glob", "*.htm;*.txt", "Readme.TXT", true);
    row("blank after ;", "*.htm; *.txt", "b.txt", true);
    row("neither glob", "*.htm;*.txt", "b.css", false);
    row("*.* without dot", "*.*", "README", true);
    row("name.* bare", "index.*", "index", true);
    row("name.* ext", "index.*", "Index.Html", true);
    row("name.* other", "index.*", "indexes", false);
    row("question mark", "a?c.htm", "aBc.htm", true);
    row("question mark needs one", "a?c.htm", "ac.htm", false);
    row("brackets are plain", "a[1].htm", "a[1].htm", true);
    row("plus is plain", "c++.txt", "C++.TXT", true);
    row("Swedish letters", "Å*.txt", "åsa.txt", true);
    row("empty pattern", "", "anything", true);
    row("only separators", " ; ;", "anything", true);
    row("blank in name", "my page.htm", "My Page.htm", true);
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
    QVERIFY(!FilePattern(QStringLiteral("web/*.htm")).isValid());
    QVERIFY(!FilePattern(QStringLiteral("*.htm") + QChar(0)).isValid());
}

void tst_filepanes::namesSortIgnoringCase() {
    QStringList names = {"b.htm", "A2.htm", "a1.htm", "B.htm", "ö.htm", "Ä.htm", "_x.htm"};
    SortNamesIgnoringCase(names);
    QCOMPARE(names,
             QStringList({"_x.htm", "a1.htm", "A2.htm", "B.htm", "b.htm", "Ä.htm", "ö.htm"}));
}

void tst_filepanes::fileListShowsMatchingVisibleFiles() {
    QTemporaryDir dir;
    makeFiles(dir, {"b.htm", "A.htm", "c.HTML", ".hidden.htm", "d.txt", "e.htm.bak"});
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.htm")));
    FileList list;
    QVERIFY(list.setPattern(QStringLiteral("*.htm*")));
    QVERIFY(list.setPath(dir.path()));
    QCOMPARE(entries(list), QStringList({"A.htm", "b.htm", "c.HTML", "e.htm.bak"}));
    QCOMPARE(list.listIndex(), -1);
    QCOMPARE(list.fileName(4), QString());
    QCOMPARE(list.fileName(-1), QString());
    QCOMPARE(list.path(), QDir::cleanPath(dir.path()));
    // A folder that cannot be read leaves the list as it is.
    QVERIFY(!list.setPath(dir.filePath(QStringLiteral("missing"))));
    QCOMPARE(list.path(), QDir::cleanPath(dir.path()));
    QCOMPARE(entries(list), QStringList({"A.htm", "b.htm", "c.HTML", "e.htm.bak"}));
}

void tst_filepanes::settingThePattern() {
    QTemporaryDir dir;
    makeFiles(dir, {"a.htm", "b.txt"});
    FileList list;
    list.setPath(dir.path());
    QVERIFY(list.setPattern(QStringLiteral("*.txt")));
    QCOMPARE(entries(list), QStringList({"b.txt"}));
    // Setting the same pattern again reads the folder again.
    makeFiles(dir, {"C.txt"});
    QCOMPARE(list.listCount(), 1);
    QVERIFY(list.setPattern(QStringLiteral("*.txt")));
    QCOMPARE(entries(list), QStringList({"b.txt", "C.txt"}));
    // An unusable pattern keeps the previous one.
    QVERIFY(!list.setPattern(QStringLiteral("x/*.htm")));
    QCOMPARE(list.pattern(), QStringLiteral("*.txt"));
    QCOMPARE(entries(list), QStringList({"b.txt", "C.txt"}));
}

void tst_filepanes::refreshKeepsTheSelectedFile() {
    QTemporaryDir dir;
    makeFiles(dir, {"b.htm", "c.htm"});
    FileList list;
    list.setPath(dir.path());
    list.setListIndex(0);
    QSignalSpy clicked(&list, &FileList::fileClicked);
    makeFile(dir.filePath(QStringLiteral("a.htm")));
    list.refresh();
    QCOMPARE(entries(list), QStringList({"a.htm", "b.htm", "c.htm"}));
    QCOMPARE(list.listIndex(), 1);
    QCOMPARE(clicked.count(), 0);
    QFile::remove(dir.filePath(QStringLiteral("b.htm")));
    list.refresh();
    QCOMPARE(list.listIndex(), -1);
    // An unchanged folder leaves the list exactly as it was: no jump to the top.
    for (int i = 0; i < 60; ++i)
        makeFile(dir.filePath(QStringLiteral("f%1.htm").arg(i, 2, 10, QLatin1Char('0'))));
    list.resize(120, 80);
    list.refresh();
    list.scrollToBottom();
    const int scrolled = list.verticalScrollBar()->value();
    QVERIFY(scrolled > 0);
    list.refresh();
    QCOMPARE(list.verticalScrollBar()->value(), scrolled);
}

void tst_filepanes::settingTheListIndexRaisesTheClick() {
    QTemporaryDir dir;
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
    QTemporaryDir dir;
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

void tst_filepanes::manyFilesAreSortedAsOneList() {
    // Timing of a 10,000-file folder is in the benchmark; here the order at some scale.
    QTemporaryDir dir;
    for (int i = 0; i < 1500; ++i)
        makeFile(dir.filePath(QStringLiteral("Page%1.%2")
                                  .arg(i, 4, 10, QLatin1Char('0'))
                                  .arg(i % 2 ? "htm" : "TXT")));
    makeFile(dir.filePath(QStringLiteral("page0000.htm")));
    FileList list;
    list.setPattern(QStringLiteral("*.htm*;*.txt"));
    list.setPath(dir.path());
    QCOMPARE(list.listCount(), 1501);
    QCOMPARE(list.fileName(0), QStringLiteral("page0000.htm"));
    QCOMPARE(list.fileName(1), QStringLiteral("Page0000.TXT"));
    QCOMPARE(list.fileName(1500), QStringLiteral("Page1499.htm"));
    for (int i = 1; i < list.listCount(); ++i)
        QVERIFY(list.fileName(i - 1).toLower() <= list.fileName(i).toLower());
}

void tst_filepanes::folderIndexModel() {
    QTemporaryDir dir;
    QDir root(dir.path());
    for (const char* name : {"B", "a", "C", ".hidden", "a/x"})
        QVERIFY(root.mkpath(QLatin1String(name)));
    makeFile(dir.filePath(QStringLiteral("file.htm")));
    const QString top = QDir::cleanPath(dir.path());
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
    QCOMPARE(list.listPath(-list.parentCount()), QStringLiteral("/"));
    QCOMPARE(list.listPath(-list.parentCount() - 1), QString());
    QCOMPARE(list.parentCount(), top.count(QLatin1Char('/')) + 1);

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
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("a"));
    QDir(dir.path()).mkpath(QStringLiteral("b"));
    const QString top = QDir::cleanPath(dir.path());
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
    QTemporaryDir dir;
    FolderList list;
    list.setPath(dir.path());
    QSignalSpy changed(&list, &FolderList::pathChanged);
    QVERIFY(!list.setPath(dir.filePath(QStringLiteral("missing"))));
    QVERIFY(!list.setPath(QString()));
    makeFile(dir.filePath(QStringLiteral("file")));
    QVERIFY(!list.setPath(dir.filePath(QStringLiteral("file"))));
    QCOMPARE(list.path(), QDir::cleanPath(dir.path()));
    QCOMPARE(changed.count(), 0);
}

void tst_filepanes::linksBackUpTheTreeAreLeftOut() {
    QTemporaryDir dir;
    const QString top = QDir::cleanPath(dir.path());
    QDir(top).mkpath(QStringLiteral("a"));
    QDir(top).mkpath(QStringLiteral("c"));
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
    QTemporaryDir dir;
    const QString top = QDir::cleanPath(dir.path());
    QDir(top).mkpath(QStringLiteral("a/b"));
    FolderList list;
    list.setPath(top + "/a/b");
    QSignalSpy changed(&list, &FolderList::pathChanged);
    QDir(top + "/a").removeRecursively();
    list.refresh();
    QCOMPARE(list.path(), top);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(list.listCount(), 0);
}

void tst_filepanes::batchWalkOrder() {
    QTemporaryDir dir;
    const QString top = QDir::cleanPath(dir.path()) + "/R";
    for (const char* name : {"R/A/A1", "R/A/A2", "R/B"})
        QVERIFY(QDir(dir.path()).mkpath(QLatin1String(name)));
    FolderList list;
    QVERIFY(list.setPath(top));
    QStringList visited;
    bool descend = false;
    do {
        visited << list.path().mid(top.size());
        nextFolder(list, top, descend);
    } while (list.path() != top && visited.size() < 20);
    QCOMPARE(visited, QStringList({"", "/B", "/A", "/A/A2", "/A/A1"}));
}

void tst_filepanes::driveOfAFolder() {
    const QStringList drives = DriveList::availableDrives();
    QVERIFY(!drives.isEmpty());
    QCOMPARE(drives.first(), QStringLiteral("/"));
    QCOMPARE(drives.count(QStringLiteral("/")), 1);
    QTemporaryDir dir;
    const QString drive = DriveList::driveOf(dir.path());
    QVERIFY(drives.contains(drive));
    QVERIFY(drive == QLatin1String("/") || dir.path().startsWith(drive + "/"));
    QCOMPARE(DriveList::driveOf(QStringLiteral("/")), QStringLiteral("/"));
    QVERIFY(DriveList::isReady(QStringLiteral("/")));
    QVERIFY(DriveList::isReady(dir.path())); // a readable folder, mount point or not
    QVERIFY(!DriveList::isReady(dir.filePath(QStringLiteral("missing"))));
}

void tst_filepanes::settingTheDriveRaisesNothing() {
    QTemporaryDir dir;
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
