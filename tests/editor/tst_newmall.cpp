// The template window and the last template: listing, preselection, choosing, every way of
// closing recording the choice, and the failures the user is told about.

#include "editor/frmnewmall.h"
#include "editorstandin.h"
#include "markup/globals.h"
#include "shell/inimod.h"
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

using namespace Qt::StringLiterals;

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
        folder->write(u"mallar/"_s + name, bytes);
    }
    static QString stored() { return ReadIniString(u"Mall"_s, u"File"_s, IniFile); }
    static void store(QString name) { WriteIniString(u"Mall"_s, u"File"_s, name, IniFile); }
    static void processDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<EditorStandIn> standIn;
    std::unique_ptr<TestProgramFolder> folder;
    QWidget* editor = nullptr;
};

void tst_newmall::init() {
    standIn = std::make_unique<EditorStandIn>();
    folder = std::make_unique<TestProgramFolder>();
    editor = standIn->window;
    editor->setGeometry(100, 80, 900, 700);
    editor->show();
    folder->folder(u"mallar"_s);
}

void tst_newmall::cleanup() {
    standIn.reset();
    processDeletes();
    folder.reset();
}

void tst_newmall::listsTheTemplatesOverADisabledEditor() {
    writeTemplate(u"sida.htm"_s);
    writeTemplate(u"Bas.HTML"_s);
    writeTemplate(u"anteckning.txt"_s);
    frmNewMall* window = frmNewMall::Open();
    QVERIFY(window && window->isVisible() && window->isEnabled());
    QCOMPARE(window->lstMalllista->count(), 2);
    QCOMPARE(window->lstMalllista->item(0)->text(), u"Bas.HTML"_s);
    QCOMPARE(window->lstMalllista->item(1)->text(), u"sida.htm"_s);
    QCOMPARE(window->lstMalllista->currentRow(), 0);
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
    QTest::newRow("Esc") << "escape" << false;
    QTest::newRow("destroyed") << "delete" << false;
}

void tst_newmall::endings() {
    QFETCH(QString, way);
    QFETCH(bool, chooses);
    writeTemplate(u"a.htm"_s);
    writeTemplate(u"b.htm"_s, "<HTML>\r\n<BODY>caf\xe9\n\r\n</BODY>\r\n</HTML>\r\n");
    store(u"a.htm"_s);
    QPointer<frmNewMall> window = frmNewMall::Open();
    QSignalSpy chosen(window.data(), &frmNewMall::documentChosen);
    bool editorEnabledWhenChosen = false;
    connect(window.data(), &frmNewMall::documentChosen, this,
            [&] { editorEnabledWhenChosen = editor->isEnabled(); });
    QListWidget* list = window->lstMalllista;
    const QPoint second = list->visualItemRect(list->item(1)).center();
    if (way != "double click"_L1) // the click selects it there
        list->setCurrentRow(1);
    if (way == "ok"_L1)
        window->cmdOK->click();
    else if (way == "double click"_L1) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    } else if (way == "cancel"_L1)
        window->cmdCancel->click();
    else if (way == "escape"_L1)
        QTest::keyClick(list, Qt::Key_Escape);
    else
        delete window.data();
    processDeletes();
    QVERIFY(window.isNull());
    QCOMPARE(chosen.count(), chooses ? 1 : 0);
    if (chooses) {
        QCOMPARE(chosen.at(0).at(0).toString(),
                 u"<HTML>\r\n<BODY>café\n\r\n</BODY>\r\n</HTML>\r\n"_s);
        QVERIFY(editorEnabledWhenChosen);
    }
    QVERIFY(editor->isEnabled());
    QCOMPARE(stored(), u"b.htm"_s);
    QVERIFY(standIn->fake().messages().isEmpty());
}

void tst_newmall::noTemplates_data() {
    QTest::addColumn<QString>("setup");
    QTest::newRow("no folder") << "missing";
    QTest::newRow("no HTML file") << "other";
}

void tst_newmall::noTemplates() {
    QFETCH(QString, setup);
    if (setup == "missing"_L1)
        QVERIFY(QDir(folder->file(u"mallar"_s)).removeRecursively());
    else if (setup == "other"_L1)
        writeTemplate(u"readme.txt"_s);
    store(u"gammal.htm"_s);
    QVERIFY(!frmNewMall::Open());
    processDeletes();
    for (QWidget* window : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<frmNewMall*>(window));
    QCOMPARE(standIn->fake().messages().size(), 1);
    QCOMPARE(standIn->fake().lastMessage(),
             u"Det finns inga malldokument. Spara ett dokument i mall-mappen för att "
             u"kunna använda denna funktionen."_s);
    QCOMPARE(standIn->fake().messages().at(0).icon, MsgIcon::Exclamation);
    QVERIFY(editor->isEnabled());
    QCOMPARE(stored(), QString());
}

void tst_newmall::unreadableTemplateKeepsTheWindow() {
    writeTemplate(u"borta.htm"_s);
    QPointer<frmNewMall> window = frmNewMall::Open();
    QSignalSpy chosen(window.data(), &frmNewMall::documentChosen);
    const QString path = folder->file(u"mallar/borta.htm"_s);
    QVERIFY(QFile::remove(path));
    window->cmdOK->click();
    processDeletes();
    QVERIFY(!window.isNull() && window->isVisible());
    QVERIFY(!editor->isEnabled());
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(standIn->fake().lastMessage(), u"Kunde inte öppna: "_s + path + u' ');
    QCOMPARE(standIn->fake().messages().at(0).icon, MsgIcon::Critical);
    window->cmdCancel->click();
}

void tst_newmall::lastTemplateIsPreselected_data() {
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("selected");
    // The folder holds a.htm, Sida.htm, sida.htm and z.htm.
    QTest::newRow("other letter case") << u"Z.HTM"_s << u"z.htm"_s;
    QTest::newRow("exact name first") << u"sida.htm"_s << u"sida.htm"_s;
    QTest::newRow("gone") << u"borta.htm"_s << u"a.htm"_s;
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
    QTest::newRow("other letter case") << u"SIDA.HTM"_s << u"<P>mall</P>\r\n"_s;
    QTest::newRow("nothing stored") << u""_s << u"gammal"_s;
    QTest::newRow("a path") << u"../vessilor.ini"_s << u"gammal"_s;
}

void tst_newmall::latestTemplate() {
    QFETCH(QString, last);
    QFETCH(QString, text);
    writeTemplate(u"Sida.htm"_s, "<P>mall</P>\r\n");
    store(last);
    QString result = u"gammal"_s;
    QCOMPARE(ReadLatestTemplate(result), text != "gammal"_L1);
    QCOMPARE(result, text);
}

QTEST_MAIN(tst_newmall)
#include "tst_newmall.moc"
