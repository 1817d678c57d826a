// The editor window's standard texts and templates: the pick lists filled at load and
// inserting the chosen entry, opening and extending "standard.txt", the reload after saving
// it, and new documents from the template window and from the last template.

#include "editor/frmnewmall.h"
#include "editorfixture.h"
#include "markup/entities.h"
#include "markup/standardtexts.h"
#include "platform/files.h"
#include "shell/inimod.h"
#include "widgets/picklist.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>

using namespace Qt::StringLiterals;

class tst_editorstandard : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void loadFillsBothLists();
    void nextLoadStartsThePickListsAfresh();
    void pickListInsertsTheChosenText_data();
    void pickListInsertsTheChosenText();
    void emptyListCreatesTheFile();
    void openingStandardTxt_data();
    void openingStandardTxt();
    void addingTheSelection_data();
    void addingTheSelection();
    void writeProtectedFileIsReported();
    void savingReloadsOnlyStandardTxt_data();
    void savingReloadsOnlyStandardTxt();
    void templateWindow_data();
    void templateWindow();
    void latestTemplate_data();
    void latestTemplate();

private:
    void openEditor();
    frmNewMall* shownTemplateWindow() const;
    QString standardPath() const { return f->folder.file(u"standard.txt"_s); }

    std::unique_ptr<EditorFixture> f;
    frmEditor* editor = nullptr;
};

void tst_editorstandard::init() {
    f = std::make_unique<EditorFixture>();
    QVERIFY(LoadEntityTable());
}

void tst_editorstandard::cleanup() {
    delete shownTemplateWindow();
    f.reset();
}

void tst_editorstandard::openEditor() {
    editor = f->open(true);
    f->set(u"<P></P>"_s, 3);
    f->fake().clear();
}

frmNewMall* tst_editorstandard::shownTemplateWindow() const {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<frmNewMall*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

void tst_editorstandard::loadFillsBothLists() {
    f->folder.write(u"standard.txt"_s, "Hej\r\n   \r\n  tv\xe5 blanka\r\n");
    openEditor();
    QCOMPARE(editor->cmbMagicText[0]->entries(), QStringList({u"Hej"_s, u"  två blanka"_s}));
    QCOMPARE(editor->cmbMagicText[1]->entries().size(), EntityCount + 2);
    QVERIFY(!editor->cmbMagicText[0]->isVisible() && !editor->cmbMagicText[1]->isVisible());
}

void tst_editorstandard::nextLoadStartsThePickListsAfresh() {
    f->folder.write(u"standard.txt"_s, "Hej\r\n");
    openEditor();
    QTest::keyClick(editor->txtText, Qt::Key_F2);
    QVERIFY(editor->close());
    QVERIFY(QFile::remove(standardPath()));
    editor->show();
    QCOMPARE(editor->cmbMagicText[0]->entries(), QStringList());
    QVERIFY(!editor->cmbMagicText[0]->isVisible());
}

void tst_editorstandard::pickListInsertsTheChosenText_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("inserted");
    QTest::newRow("standard text with its blanks") << int(Qt::Key_F2) << "  två blanka"
                                                   << "  två blanka";
    QTest::newRow("html character") << int(Qt::Key_F4) << "< - &lt;"
                                    << "&lt;";
}

void tst_editorstandard::pickListInsertsTheChosenText() {
    QFETCH(int, key);
    QFETCH(QString, entry);
    QFETCH(QString, inserted);
    f->folder.write(u"standard.txt"_s, "Hej\r\n  tv\xe5 blanka\r\n");
    openEditor();
    QTest::keyClick(editor->txtText, Qt::Key(key));
    PickList* list = editor->cmbMagicText[key == Qt::Key_F2 ? 0 : 1];
    QVERIFY(list->isVisible() && list->hasFocus());
    QVERIFY(editor->txtText->geometry().contains(list->geometry().center()));
    list->setCurrentRow(int(list->entries().indexOf(entry)));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(editor->txtText->text(), u"<P>"_s + inserted + u"</P>"_s);
    QCOMPARE(LastInsertedText, inserted);
    QVERIFY(!list->isVisible());
}

void tst_editorstandard::emptyListCreatesTheFile() {
    openEditor();
    f->fake().messageAnswers = {MsgAnswer::Yes};
    QTest::keyClick(editor->txtText, Qt::Key_F2);
    QCOMPARE(f->fake().messages().size(), 2);
    QCOMPARE(f->fake().messages().at(0).icon, MsgIcon::Question);
    QCOMPARE(f->fake().lastMessage(),
             u"Filen \""_s + standardPath() +
                 u"\" har skapats. Här i skriver du de texter som du vanligen "
                 u"använder, så läggs dom till i menyn du får fram genom att "
                 u"trycka F2."_s);
    QVERIFY(QFileInfo(standardPath()).isFile());
    QCOMPARE(CurrentFile, standardPath());
    QCOMPARE(editor->txtText->selText(), u"Skriv in texterna här."_s);
    QCOMPARE(editor->txtText->text(), u"Skriv in texterna här."_s);
    QVERIFY(DocumentChanged);
    QCOMPARE(editor->windowTitle(), u"* standard.txt - Editor"_s);
}

void tst_editorstandard::openingStandardTxt_data() {
    QTest::addColumn<bool>("readable");
    QTest::newRow("readable") << true;
    QTest::newRow("not a readable file") << false;
}

void tst_editorstandard::openingStandardTxt() {
    QFETCH(bool, readable);
    if (readable)
        f->folder.write(u"standard.txt"_s, "Hej\r\nDu\r\n");
    else
        QVERIFY(QDir(f->folder.path()).mkdir(u"standard.txt"_s));
    openEditor();
    editor->menuItem(u"mnuEditStandardOpen"_s)->trigger();
    if (readable) {
        QVERIFY(f->fake().messages().isEmpty());
        QCOMPARE(editor->txtText->text(), u"Hej\r\nDu"_s);
        QCOMPARE(CurrentFile, standardPath());
        QVERIFY(!DocumentChanged);
    } else {
        QCOMPARE(f->fake().lastMessage(),
                 u"Filen \""_s + standardPath() + u"\" kunde inte öppnas."_s);
        QCOMPARE(f->fake().messages().at(0).icon, MsgIcon::Critical);
        QCOMPARE(editor->txtText->text(), u"<P></P>"_s);
        QCOMPARE(CurrentFile, QString());
    }
}

void tst_editorstandard::addingTheSelection_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("two lines and part of a third")
        << "ett\r\ntvå\r\ntredje" << 13 << QByteArray("Hej\r\nett\r\ntv\xe5\r\ntre\r\n");
    QTest::newRow("nothing selected") << "ord" << 0 << QByteArray("Hej\r\n\r\n");
}

void tst_editorstandard::addingTheSelection() {
    QFETCH(QString, text);
    QFETCH(int, length);
    QFETCH(QByteArray, file);
    f->folder.write(u"standard.txt"_s, "Hej\r\n\r\n");
    openEditor();
    f->set(text, 0, length);
    editor->menuItem(u"mnuEditStandardAddMark"_s)->trigger();
    QCOMPARE(f->folder.read(u"standard.txt"_s), file);
    QVERIFY(f->fake().messages().isEmpty());
    QCOMPARE(editor->cmbMagicText[0]->entries(), ReadStandardTexts(standardPath()));
}

void tst_editorstandard::writeProtectedFileIsReported() {
    f->folder.write(u"standard.txt"_s, "Hej\r\n");
    QVERIFY(QFile::setPermissions(standardPath(), QFile::ReadOwner | QFile::ReadGroup));
    openEditor();
    f->set(u"ny"_s, 0, 2);
    editor->menuItem(u"mnuEditStandardAddMark"_s)->trigger();
    QCOMPARE(f->fake().messages().size(), 1);
    QCOMPARE(f->fake().lastMessage(),
             StandardTextsNotWrittenMessage(standardPath(), u"Filen är skrivskyddad"_s));
    QCOMPARE(f->folder.read(u"standard.txt"_s), QByteArray("Hej\r\n"));
    QCOMPARE(editor->cmbMagicText[0]->entries(), QStringList({u"Hej"_s, u"ny"_s}));
    QFile::setPermissions(standardPath(), QFile::ReadOwner | QFile::WriteOwner);
}

void tst_editorstandard::savingReloadsOnlyStandardTxt_data() {
    QTest::addColumn<bool>("small");
    QTest::newRow("standard.txt") << true;
    QTest::newRow("Standard.txt") << false;
}

void tst_editorstandard::savingReloadsOnlyStandardTxt() {
    QFETCH(bool, small);
    f->folder.write(u"standard.txt"_s, "Gammal\r\n");
    openEditor();
    f->folder.write(u"standard.txt"_s, "Ny\r\n");
    CurrentFile = JoinPath(f->docs.path(), small ? u"standard.txt"_s : u"Standard.txt"_s);
    editor->menuItem(u"mnuArkivSpara"_s)->trigger();
    QVERIFY(QFileInfo::exists(CurrentFile));
    QCOMPARE(editor->cmbMagicText[0]->entries(), QStringList(small ? u"Ny"_s : u"Gammal"_s));
}

// Ctrl+M opens the template window over the editor, or tells that there are no templates.
void tst_editorstandard::templateWindow_data() {
    QTest::addColumn<bool>("withFolder");
    QTest::newRow("chosen") << true;
    QTest::newRow("no template folder") << false;
}

void tst_editorstandard::templateWindow() {
    QFETCH(bool, withFolder);
    if (withFolder) {
        QVERIFY(QDir(f->folder.path()).mkdir(u"mallar"_s));
        f->folder.write(u"mallar/a.htm"_s, "<HTML>a</HTML>");
        f->folder.write(u"mallar/b.htm"_s, "<HTML>b\r\n</HTML>\r\n");
    }
    openEditor();
    CurrentFile = JoinPath(f->docs.path(), u"sida.htm"_s);
    editor->UpdateTitle(true);
    QTest::keyClick(editor->txtText, Qt::Key_M, Qt::ControlModifier);
    frmNewMall* window = shownTemplateWindow();
    QCOMPARE(window != nullptr, withFolder);
    if (window) {
        QVERIFY(!editor->isEnabled());
        window->lstMalllista->setCurrentRow(1);
        window->cmdOK_Click();
        QCOMPARE(ReadIniString(u"Mall"_s, u"File"_s, IniFile), u"b.htm"_s);
    } else {
        QCOMPARE(f->fake().lastMessage(),
                 u"Det finns inga malldokument. Spara ett dokument i mall-mappen "
                 u"för att kunna använda denna funktionen."_s);
    }
    QVERIFY(editor->isEnabled());
    QCOMPARE(editor->txtText->text(), withFolder ? u"<HTML>b\r\n</HTML>\r\n"_s : u"<P></P>"_s);
    QVERIFY(!DocumentChanged);
    QCOMPARE(CurrentFile.isEmpty(), withFolder);
    QCOMPARE(editor->windowTitle() == u"Vessilora - Editor"_s, withFolder);
}

void tst_editorstandard::latestTemplate_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("text");
    QTest::newRow("stored template") << "A.HTM"
                                     << "<HTML>a\r\n</HTML>\r\n";
    QTest::newRow("stored template gone") << "borta.htm"
                                          << "<P></P>";
}

void tst_editorstandard::latestTemplate() {
    QFETCH(QString, stored);
    QFETCH(QString, text);
    QVERIFY(QDir(f->folder.path()).mkdir(u"mallar"_s));
    f->folder.write(u"mallar/a.htm"_s, "<HTML>a\r\n</HTML>\r\n");
    WriteIniString(u"Mall"_s, u"File"_s, stored, IniFile);
    openEditor();
    CurrentFile = JoinPath(f->docs.path(), u"sida.htm"_s);
    QTest::keyClick(editor->txtText, Qt::Key_J, Qt::ControlModifier);
    QCOMPARE(editor->txtText->text(), text);
    const bool read = text != u"<P></P>"_s;
    QCOMPARE(f->fake().lastMessage(), read ? QString() : NoLatestTemplateMessage());
    QCOMPARE(CurrentFile.isEmpty(), read);
    QVERIFY(!DocumentChanged);
}

QTEST_MAIN(tst_editorstandard)
#include "tst_editorstandard.moc"
