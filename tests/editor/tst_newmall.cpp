// The template window and the last template: listing, preselection, choosing, every way of
// closing recording the choice, and the failures the user is told about.

#include "editor/frmnewmall.h"
#include "markup/globals.h"
#include "shell/inimod.h"
#include "testsupport.h"
#include "widgets/filepanes.h"
#include "widgets/tagwriting.h"
#include "widgets/textarea.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class tst_newmall : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listsTheTemplatesOverADisabledEditor();
    void endings_data();
    void endings();
    void noTemplates_data();
    void noTemplates();
    void unreadableTemplateKeepsTheWindow();
    void lastTemplateIsPreselected_data();
    void lastTemplateIsPreselected();
    void latestTemplate_data();
    void latestTemplate();

private:
    void writeTemplate(const QString& name, const QByteArray& bytes = "<html></html>") {
        folder->write(QStringLiteral("mallar/") + name, bytes);
    }
    static QString stored() {
        return ReadIniString(QStringLiteral("Mall"), QStringLiteral("File"), IniFile);
    }
    static void store(QString name) {
        WriteIniString(QStringLiteral("Mall"), QStringLiteral("File"), name, IniFile);
    }
    static void processDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TestProgramFolder* folder = nullptr;
    FakePlatformScope* fake = nullptr;
    QWidget* editor = nullptr;
};

void tst_newmall::init() {
    folder = new TestProgramFolder;
    fake = new FakePlatformScope;
    editor = new QWidget;
    editor->setGeometry(100, 80, 900, 700);
    SetEditorWindow(editor, new TextArea(editor));
    editor->show();
    QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("mallar")));
}

void tst_newmall::cleanup() {
    SetEditorWindow(nullptr, nullptr);
    delete editor;
    processDeletes();
    delete fake;
    delete folder;
}

void tst_newmall::listsTheTemplatesOverADisabledEditor() {
    writeTemplate(QStringLiteral("sida.htm"));
    writeTemplate(QStringLiteral("Bas.HTML"));
    writeTemplate(QStringLiteral("anteckning.txt"));
    frmNewMall* window = frmNewMall::Open();
    QVERIFY(window && window->isVisible() && window->isEnabled());
    QCOMPARE(window->windowTitle(), QStringLiteral("Nytt dokument"));
    QCOMPARE(window->lstMalllista->count(), 2);
    QCOMPARE(window->lstMalllista->item(0)->text(), QStringLiteral("Bas.HTML"));
    QCOMPARE(window->lstMalllista->item(1)->text(), QStringLiteral("sida.htm"));
    QCOMPARE(window->lstMalllista->currentRow(), 0);
    QVERIFY(!window->lstMallfiler->isVisible());
    QVERIFY(!editor->isEnabled());
    const QPoint offset = window->frameGeometry().center() - editor->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2, "centred over the editor");
    window->close();
}

// Choosing hands over the whole text with the editor already enabled; every other way of
// leaving only gives the editor back. Both record the selected template.
void tst_newmall::endings_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("chooses");
    QTest::newRow("OK") << "ok" << true;
    QTest::newRow("double click") << "double click" << true;
    QTest::newRow("Avbryt") << "cancel" << false;
    QTest::newRow("close box") << "close" << false;
    QTest::newRow("Esc") << "escape" << false;
    QTest::newRow("destroyed") << "delete" << false;
}

void tst_newmall::endings() {
    QFETCH(QString, way);
    QFETCH(bool, chooses);
    writeTemplate(QStringLiteral("a.htm"));
    writeTemplate(QStringLiteral("b.htm"), "<HTML>\r\n<BODY>caf\xe9\n\r\n</BODY>\r\n</HTML>\r\n");
    store(QStringLiteral("a.htm"));
    QPointer<frmNewMall> window = frmNewMall::Open();
    QSignalSpy chosen(window.data(), &frmNewMall::documentChosen);
    bool editorEnabledWhenChosen = false;
    connect(window.data(), &frmNewMall::documentChosen, this,
            [&] { editorEnabledWhenChosen = editor->isEnabled(); });
    QListWidget* list = window->lstMalllista;
    const QPoint second = list->visualItemRect(list->item(1)).center();
    if (way != QLatin1String("double click")) // the click selects it there
        list->setCurrentRow(1);
    if (way == QLatin1String("ok"))
        window->cmdOK->click();
    else if (way == QLatin1String("double click")) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    } else if (way == QLatin1String("cancel"))
        window->cmdCancel->click();
    else if (way == QLatin1String("close"))
        window->close();
    else if (way == QLatin1String("escape"))
        QTest::keyClick(list, Qt::Key_Escape);
    else
        delete window.data();
    processDeletes();
    QVERIFY(window.isNull());
    QCOMPARE(chosen.count(), chooses ? 1 : 0);
    if (chooses) {
        QCOMPARE(chosen.at(0).at(0).toString(),
                 QStringLiteral("<HTML>\r\n<BODY>café\n\r\n</BODY>\r\n</HTML>\r\n"));
        QVERIFY(editorEnabledWhenChosen);
    }
    QVERIFY(editor->isEnabled());
    QCOMPARE(stored(), QStringLiteral("b.htm"));
    QVERIFY(fake->fake.messages().isEmpty());
}

void tst_newmall::noTemplates_data() {
    QTest::addColumn<QString>("setup");
    QTest::newRow("no folder") << "missing";
    QTest::newRow("empty folder") << "empty";
    QTest::newRow("no HTML file") << "other";
}

void tst_newmall::noTemplates() {
    QFETCH(QString, setup);
    if (setup == QLatin1String("missing"))
        QVERIFY(QDir(folder->file(QStringLiteral("mallar"))).removeRecursively());
    else if (setup == QLatin1String("other"))
        writeTemplate(QStringLiteral("readme.txt"));
    store(QStringLiteral("gammal.htm"));
    QVERIFY(!frmNewMall::Open());
    processDeletes();
    for (QWidget* window : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<frmNewMall*>(window));
    QCOMPARE(fake->fake.messages().size(), 1);
    QCOMPARE(fake->fake.lastMessage(),
             QStringLiteral("Det finns inga malldokument. Spara ett dokument i mall-mappen för att "
                            "kunna använda denna funktionen."));
    QCOMPARE(fake->fake.messages().at(0).icon, MsgIcon::Exclamation);
    QVERIFY(editor->isEnabled());
    QCOMPARE(stored(), QString());
}

void tst_newmall::unreadableTemplateKeepsTheWindow() {
    writeTemplate(QStringLiteral("borta.htm"));
    QPointer<frmNewMall> window = frmNewMall::Open();
    QSignalSpy chosen(window.data(), &frmNewMall::documentChosen);
    const QString path = folder->file(QStringLiteral("mallar/borta.htm"));
    QVERIFY(QFile::remove(path));
    window->cmdOK->click();
    processDeletes();
    QVERIFY(!window.isNull() && window->isVisible());
    QVERIFY(!editor->isEnabled());
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(fake->fake.lastMessage(), QStringLiteral("Kunde inte öppna: ") + path + u' ');
    QCOMPARE(fake->fake.messages().at(0).icon, MsgIcon::Critical);
    window->cmdCancel->click();
}

void tst_newmall::lastTemplateIsPreselected_data() {
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("selected");
    // The folder holds a.htm, Sida.htm, sida.htm and z.htm.
    QTest::newRow("other letter case") << "Z.HTM"
                                       << "z.htm";
    QTest::newRow("exact name first") << "sida.htm"
                                      << "sida.htm";
    QTest::newRow("gone") << "borta.htm"
                          << "a.htm";
}

void tst_newmall::lastTemplateIsPreselected() {
    QFETCH(QString, last);
    QFETCH(QString, selected);
    for (const char* name : {"a.htm", "Sida.htm", "sida.htm", "z.htm"})
        writeTemplate(QString::fromLatin1(name));
    store(last);
    frmNewMall* window = frmNewMall::Open();
    const QList<QListWidgetItem*> items = window->lstMalllista->selectedItems();
    QCOMPARE(items.size(), 1);
    QCOMPARE(items.at(0)->text(), selected);
    window->close();
}

void tst_newmall::latestTemplate_data() {
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("text"); // "gammal" when nothing could be read
    QTest::newRow("other letter case") << "SIDA.HTM"
                                       << "<P>mall</P>\r\n";
    QTest::newRow("nothing stored") << ""
                                    << "gammal";
    QTest::newRow("gone") << "borta.htm"
                          << "gammal";
    QTest::newRow("a path") << "../vessilor.ini"
                            << "gammal";
}

void tst_newmall::latestTemplate() {
    QFETCH(QString, last);
    QFETCH(QString, text);
    writeTemplate(QStringLiteral("Sida.htm"), "<P>mall</P>\r\n");
    store(last);
    QString result = QStringLiteral("gammal");
    QCOMPARE(ReadLatestTemplate(result), text != QLatin1String("gammal"));
    QCOMPARE(result, text);
}

QTEST_MAIN(tst_newmall)
#include "tst_newmall.moc"
