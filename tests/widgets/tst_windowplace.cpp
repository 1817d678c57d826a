// The remembered window place: which stored values each rule applies, the outer frame kept
// through a start and an exit, and the frame taken off the outer size.

#include "markup/globals.h"
#include "shell/inimod.h"
#include "testsupport.h"
#include "widgets/windowplace.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class tst_windowplace : public QObject {
    Q_OBJECT
private slots:
    void appliedValues_data();
    void appliedValues();
    void frameTakenOffTheOuterSize();
    void startAndExitKeepThePlace();
};

void tst_windowplace::appliedValues_data() {
    QTest::addColumn<QString>("stored"); // Left, Top, Width, Height in twips; "" missing
    QTest::addColumn<int>("least");
    QTest::addColumn<bool>("wholeWindow");
    QTest::addColumn<QString>("applied"); // "-" not applied
    QTest::newRow("on the screen") << "1,15,3000,2000" << 1 << false << "1,15,3000,2000";
    QTest::newRow("zero, missing") << "0,,0," << 1 << false << "-,-,-,-";
    QTest::newRow("at the screen's size") << "9000,6000,9000,6000" << 1 << false << "-,-,-,-";
    QTest::newRow("zero allowed") << "0,0,," << 0 << false << "0,0,-,-";
    QTest::newRow("whole window off the screen") << "8000,5500,," << 1 << true << "-,-,-,-";
    QTest::newRow("whole window on the screen") << "5999,3999,," << 1 << true << "5999,3999,-,-";
}

void tst_windowplace::appliedValues() {
    QFETCH(QString, stored);
    QFETCH(int, least);
    QFETCH(bool, wholeWindow);
    QFETCH(QString, applied);
    TestProgramFolder folder;
    const char* keys[] = {"Left", "Top", "Width", "Height"};
    const QStringList values = stored.split(u',');
    for (int i = 0; i < 4; ++i)
        if (!values[i].isEmpty())
            WriteIniInt(u"W"_s, QLatin1String(keys[i]), values[i].toInt(), IniFile);
    const PlaceRule rule{"W", true, least, wholeWindow};
    const StoredPlace place =
        ReadPlace(IniSession(IniFile), rule, QSize(9000, 6000), QSize(3000, 2000));
    QStringList got;
    for (const std::optional<int>& v : {place.left, place.top, place.width, place.height})
        got << (v ? QString::number(*v) : u"-"_s);
    QCOMPARE(got.join(u','), applied);
}

void tst_windowplace::frameTakenOffTheOuterSize() {
    const QMargins frame(4, 25, 4, 4);
    QCOMPARE(InnerSize(QSize(1102, 825), frame), QSize(1094, 796));
    QCOMPARE(OuterSize(InnerSize(QSize(1102, 825), frame), frame), QSize(1102, 825));
}

void tst_windowplace::startAndExitKeepThePlace() {
    TestProgramFolder folder;
    const PlaceRule rule{"W", true};
    WriteIniInt(u"W"_s, u"Left"_s, 1500, IniFile);
    WriteIniInt(u"W"_s, u"Top"_s, 1200, IniFile);
    WriteIniInt(u"W"_s, u"Width"_s, 16530, IniFile);
    WriteIniInt(u"W"_s, u"Height"_s, 12375, IniFile);
    const QByteArray before = folder.read(u"vessilor.ini"_s);
    for (int start = 0; start < 3; ++start) {
        QWidget window;
        ApplyPlace(&window, ReadPlace(IniSession(IniFile), rule, QSize(30000, 20000)));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        IniSession ini(IniFile);
        WritePlace(ini, rule, &window);
        ini.save();
        QCOMPARE(folder.read(u"vessilor.ini"_s), before);
    }
}

QTEST_MAIN(tst_windowplace)
#include "tst_windowplace.moc"
