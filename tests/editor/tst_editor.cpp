// The editor window: document lifecycle, caption, save prompt, files kept byte for byte,
// file panes and tag strip, settings, and the launcher opening it.

#include "editor/frmeditor.h"
#include "editor/frmfind.h"
#include "markup/document.h"
#include "markup/globals.h"
#include "platform/files.h"
#include "shell/frmpref.h"
#include "shell/frmstartup.h"
#include "shell/inimod.h"
#include "shell/tools.h"
#include "testsupport.h"
#include "widgets/dialogregistry.h"
#include "widgets/filepanes.h"
#include "widgets/textarea.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QMenu>
#include <QtTest>

namespace {

const QString Skeleton = QStringLiteral(
    "<HTML>\r\n<HEAD>\r\n<TITLE>Skriv din titel här!</TITLE>\r\n</HEAD>\r\n\r\n<BODY>\r\n\r\n"
    "</BODY>\r\n</HTML>");

QString editorKey(const QString& key) {
    return ReadIniString(QStringLiteral("Editor"), key, IniFile);
}

void setEditorKey(const QString& key, QString value) {
    WriteIniString(QStringLiteral("Editor"), key, value, IniFile);
}

} // namespace

class tst_editor : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void newDocumentInTheConfiguredCase_data();
    void newDocumentInTheConfiguredCase();
    void captionShowsTheStarWhileChanged();
    void savePromptAnswers_data();
    void savePromptAnswers();
    void failedSaveInThePromptKeepsTheText_data();
    void failedSaveInThePromptKeepsTheText();
    void failedSaveAsKeepsTheFlag();
    void failedDeleteIsReported();
    void clickOnAnInactiveEditorOpensTheFile();
    void openAndSaveKeepEveryByte_data();
    void openAndSaveKeepEveryByte();
    void typedTextTakesTheDocumentsEncoding_data();
    void typedTextTakesTheDocumentsEncoding();
    void saveInTheOtherEncoding();
    void fileThatCannotBeOpened_data();
    void fileThatCannotBeOpened();
    void failedSaveLeavesTheFileAndTheFlag();
    void saveAsWritesAndSelectsTheFile();
    void saveAsCancelledChangesNothing();
    void clickedFileOpensAfterSaveAsInThePrompt();
    void deleteKeyOnTheFileList_data();
    void deleteKeyOnTheFileList();
    void ctrlDownAndUpStepThroughTheList();
    void panesAndStripTogglesMoveTheText();
    void resizeKeepsTheTextFillingTheWindow();
    void stripHoverAndClicks();
    void droppedColourReplacesTheSelection();
    void driveNotReadyKeepsThePreviousDrive();
    void itemsWithoutCommandsAreDisabled();
    void formatItemsWrapTheSelection();
    void runNeedsASavedFile();
    void settingsWrittenAtCloseAndAppliedAtNextLoad();
    void closeCancelledKeepsWindowAndWritesNothing();
    void textHasTheFocusAfterADialog();
    void designedStateAtEachLoad();
    void storedPlaceOnlyWhenOnTheScreen_data();
    void storedPlaceOnlyWhenOnTheScreen();
    void preferencesApplyTheFont();
    void exitEndsTheProgramUnlessCancelled();
    void launcherOpensTheEditor();

private:
    QString doc(const QString& name) const { return JoinPath(docs->path(), name); }
    void writeDoc(const QString& name, const QByteArray& bytes) const;
    QByteArray readDoc(const QString& name) const;
    frmEditor* openEditor();
    // Clicks the file in the list, as the user does.
    void click(const QString& name);
    void typeInText(const QString& text);

    std::unique_ptr<FakePlatformScope> scope;
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<QTemporaryDir> docs;
    frmEditor* editor = nullptr;
    QList<int> ended;
};

void tst_editor::init() {
    scope = std::make_unique<FakePlatformScope>();
    folder = std::make_unique<TestProgramFolder>();
    docs = std::make_unique<QTemporaryDir>();
    StartFolder = docs->path();
    ended.clear();
    EndProgram = [this](int code) { ended.append(code); };
    ClearTagDialogs();
}

void tst_editor::cleanup() {
    delete editor;
    editor = nullptr;
    delete ExistingFindWindow();
    ResetTools();
    ClearTagDialogs();
    EndProgram = nullptr;
    docs.reset();
    folder.reset();
    scope.reset();
}

void tst_editor::writeDoc(const QString& name, const QByteArray& bytes) const {
    QFile file(doc(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray tst_editor::readDoc(const QString& name) const {
    QFile file(doc(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

frmEditor* tst_editor::openEditor() {
    editor = new frmEditor;
    editor->show();
    return editor;
}

void tst_editor::click(const QString& name) {
    editor->Filer->refresh();
    const auto found = editor->Filer->findItems(name, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(name));
    editor->Filer->setListIndex(editor->Filer->row(found.first()));
}

void tst_editor::typeInText(const QString& text) {
    editor->txtText->setFocus();
    editor->txtText->replaceSelection(text);
}

void tst_editor::newDocumentInTheConfiguredCase_data() {
    QTest::addColumn<int>("tagCase");
    QTest::addColumn<QString>("expected");
    QTest::newRow("capitals") << 0 << Skeleton;
    QTest::newRow("small") << 1
                           << QStringLiteral("<html>\r\n<head>\r\n<title>Skriv din titel här!"
                                             "</title>\r\n</head>\r\n\r\n<body>\r\n\r\n</body>"
                                             "\r\n</html>");
}

void tst_editor::newDocumentInTheConfiguredCase() {
    QFETCH(int, tagCase);
    QFETCH(QString, expected);
    TagCase = tagCase;
    openEditor();
    QCOMPARE(editor->txtText->text(), expected);
    QCOMPARE(editor->txtText->selText(), QStringLiteral("Skriv din titel här!"));
    QCOMPARE(editor->windowTitle(), QStringLiteral("Vessilora - Editor"));
    QVERIFY(!DocumentChanged);
    QCOMPARE(editor->Filer->listIndex(), -1);
}

void tst_editor::captionShowsTheStarWhileChanged() {
    writeDoc(QStringLiteral("index.htm"), "<P>text</P>\r\n");
    openEditor();
    click(QStringLiteral("index.htm"));
    QCOMPARE(editor->windowTitle(), QStringLiteral("index.htm - Editor"));
    QCOMPARE(editor->txtText->text(), QStringLiteral("<P>text</P>"));
    QTest::keyClick(editor->txtText, Qt::Key_X);
    QVERIFY(DocumentChanged);
    QCOMPARE(editor->windowTitle(), QStringLiteral("* index.htm - Editor"));
    editor->menuItem(QStringLiteral("mnuArkivSpara"))->trigger();
    QCOMPARE(editor->windowTitle(), QStringLiteral("index.htm - Editor"));
    QCOMPARE(readDoc(QStringLiteral("index.htm")), QByteArray("x<P>text</P>\r\n"));
}

void tst_editor::savePromptAnswers_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("openAfter");
    QTest::addColumn<QByteArray>("firstOnDisk");
    QTest::newRow("yes saves, then opens") << int(MsgAnswer::Yes) << "b.htm" << QByteArray("ya");
    QTest::newRow("no opens without saving") << int(MsgAnswer::No) << "b.htm" << QByteArray("a");
    QTest::newRow("cancel keeps the document")
        << int(MsgAnswer::Cancel) << "a.htm" << QByteArray("a");
}

void tst_editor::savePromptAnswers() {
    QFETCH(int, answer);
    QFETCH(QString, openAfter);
    QFETCH(QByteArray, firstOnDisk);
    writeDoc(QStringLiteral("a.htm"), "a");
    writeDoc(QStringLiteral("b.htm"), "b");
    openEditor();
    click(QStringLiteral("a.htm"));
    editor->txtText->setSel(0, 0);
    typeInText(QStringLiteral("y"));
    scope->fake.clear();
    scope->fake.messageAnswers = {MsgAnswer(answer)};
    click(QStringLiteral("b.htm"));
    QCOMPARE(scope->fake.messages().size(), 1);
    QCOMPARE(scope->fake.messages().at(0).text,
             QStringLiteral("Dokumentet är ändrat. Vill du spara?"));
    QCOMPARE(scope->fake.messages().at(0).icon, MsgIcon::Exclamation);
    QCOMPARE(scope->fake.messages().at(0).buttons, MsgButtons::YesNoCancel);
    QCOMPARE(CurrentFile, doc(openAfter));
    QCOMPARE(editor->Filer->fileName(editor->Filer->listIndex()), openAfter);
    QCOMPARE(readDoc(QStringLiteral("a.htm")), firstOnDisk);
    QCOMPARE(DocumentChanged, answer == int(MsgAnswer::Cancel));
}

// Yes with a save that does not happen must not throw the text away.
void tst_editor::failedSaveInThePromptKeepsTheText_data() {
    QTest::addColumn<bool>("protectedFile");
    QTest::newRow("file name not given") << false;
    QTest::newRow("write-protected file") << true;
}

void tst_editor::failedSaveInThePromptKeepsTheText() {
    QFETCH(bool, protectedFile);
    writeDoc(QStringLiteral("skyddad.htm"), "original");
    QFile::setPermissions(doc(QStringLiteral("skyddad.htm")), QFile::ReadOwner);
    openEditor();
    if (protectedFile)
        click(QStringLiteral("skyddad.htm"));
    typeInText(QStringLiteral("mitt arbete"));
    scope->fake.messageAnswers = {MsgAnswer::Yes};
    scope->fake.fileAnswers = {std::nullopt}; // the file name dialog is cancelled
    editor->menuItem(QStringLiteral("mnuArkivNew"))->trigger();
    QVERIFY(editor->txtText->text().contains(QStringLiteral("mitt arbete")));
    QVERIFY(DocumentChanged);
    QCOMPARE(readDoc(QStringLiteral("skyddad.htm")), QByteArray("original"));
}

void tst_editor::openAndSaveKeepEveryByte_data() {
    QTest::addColumn<QByteArray>("bytes");
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QTest::newRow("CR LF") << QByteArray("<P>ett</P>\r\n<P>två</P>\r\n");
    QTest::newRow("LF") << QByteArray("<P>ett</P>\n<P>två</P>\n");
    QTest::newRow("CR") << QByteArray("<P>ett</P>\r<P>två</P>\r");
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd\n\re\r\n\r\n");
    QTest::newRow("all 256 bytes") << all;
    QTest::newRow("all 256 bytes, CR LF at the end") << all + "\r\n";
    QTest::newRow("one character") << QByteArray("a");
    QTest::newRow("only CR LF") << QByteArray("\r\n");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("UTF-8, emoji, LF") << QByteArray("<p>h\xc3\xa4st \xf0\x9f\x98\x80</p>\n");
    QTest::newRow("UTF-8 with BOM, CR") << QByteArray("\xef\xbb\xbf\xc3\xa5\r\xc3\xb6\r");
    QTest::newRow("ASCII declaring UTF-8")
        << QByteArray("<meta charset=\"UTF-8\">\r\n<p>a</p>\r\n");
    QTest::newRow("malformed UTF-8") << QByteArray("\xc3\xa5 \xc3 \xff\r\n");
}

void tst_editor::openAndSaveKeepEveryByte() {
    QFETCH(QByteArray, bytes);
    writeDoc(QStringLiteral("page.htm"), bytes);
    openEditor();
    click(QStringLiteral("page.htm"));
    QCOMPARE(CurrentFile, doc(QStringLiteral("page.htm")));
    QVERIFY(!DocumentChanged);
    editor->menuItem(QStringLiteral("mnuArkivSpara"))->trigger();
    // Opened and saved without an edit, every file keeps every byte, its ending included.
    QCOMPARE(readDoc(QStringLiteral("page.htm")), bytes);
    click(QStringLiteral("page.htm"));
    editor->menuItem(QStringLiteral("mnuArkivSpara"))->trigger();
    QCOMPARE(readDoc(QStringLiteral("page.htm")), bytes);
}

// What is typed is written in the encoding the page was read in; the encoding is shown.
void tst_editor::typedTextTakesTheDocumentsEncoding_data() {
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("UTF-8") << QByteArray("\xc3\xa4\r\n") << "UTF-8"
                           << QByteArray(
                                  "\xc3\xa5\xc3\xa4\xc3\xb6\xe2\x82\xac\xe2\x86\x92\xc3\xa4\r\n");
    QTest::newRow("Windows-1252") << QByteArray("\xe4\r\n") << "Windows-1252"
                                  << QByteArray("\xe5\xe4\xf6\x80&#8594;\xe4\r\n");
}

void tst_editor::typedTextTakesTheDocumentsEncoding() {
    QFETCH(QByteArray, page);
    QFETCH(QString, shown);
    QFETCH(QByteArray, saved);
    writeDoc(QStringLiteral("sida.htm"), page);
    openEditor();
    click(QStringLiteral("sida.htm"));
    QCOMPARE(editor->lblEncoding->text(), shown);
    editor->txtText->setSel(0, 0);
    typeInText(QStringLiteral("åäö€→"));
    editor->menuItem(QStringLiteral("mnuArkivSpara"))->trigger();
    QCOMPARE(readDoc(QStringLiteral("sida.htm")), saved);
}

void tst_editor::saveInTheOtherEncoding() {
    writeDoc(QStringLiteral("sida.htm"), "\xc3\xa4\xe2\x86\x92");
    openEditor();
    click(QStringLiteral("sida.htm"));
    QAction* other = editor->menuItem(QStringLiteral("mnuArkivEncoding"));
    QCOMPARE(other->text(), QStringLiteral("&Teckenkodning: spara som Windows-1252"));
    scope->fake.messageAnswers = {MsgAnswer::No}; // "→" would become a reference: asked first
    other->trigger();
    QCOMPARE(scope->fake.messages().last().buttons, MsgButtons::YesNo);
    QCOMPARE(readDoc(QStringLiteral("sida.htm")), QByteArray("\xc3\xa4\xe2\x86\x92"));
    scope->fake.messageAnswers = {MsgAnswer::Yes};
    other->trigger();
    QCOMPARE(readDoc(QStringLiteral("sida.htm")), QByteArray("\xe4&#8594;"));
    QCOMPARE(editor->lblEncoding->text(), QStringLiteral("Windows-1252"));
    other->trigger(); // back to UTF-8 without a question: nothing is lost
    QCOMPARE(readDoc(QStringLiteral("sida.htm")), QByteArray("\xc3\xa4\xe2\x86\x92"));
    QCOMPARE(editor->lblEncoding->text(), QStringLiteral("UTF-8"));
}

void tst_editor::fileThatCannotBeOpened_data() {
    QTest::addColumn<bool>("tooLarge");
    QTest::newRow("gone") << false;
    QTest::newRow("too large") << true;
}

void tst_editor::fileThatCannotBeOpened() {
    QFETCH(bool, tooLarge);
    writeDoc(QStringLiteral("x.htm"), "x");
    openEditor();
    editor->Filer->refresh();
    const QString path = doc(QStringLiteral("x.htm"));
    if (tooLarge) {
        QFile file(path); // sparse: no disk space is used
        QVERIFY(file.resize(MaxDocumentBytes + 1));
    } else {
        QVERIFY(QFile::remove(path));
    }
    editor->Filer->setListIndex(0);
    QCOMPARE(editor->txtText->text(),
             tooLarge ? QStringLiteral("Filen ") + path +
                            QStringLiteral(" är för stor för att kunna öppnas.")
                      : QStringLiteral("Kunde inte öppna: ") + path + QStringLiteral(" "));
    QVERIFY(CurrentFile.isEmpty());
    QVERIFY(!DocumentChanged);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Vessilora - Editor"));
    if (tooLarge) // the file is left as it was
        QCOMPARE(QFileInfo(path).size(), MaxDocumentBytes + 1);
}

void tst_editor::failedSaveLeavesTheFileAndTheFlag() {
    writeDoc(QStringLiteral("skyddad.htm"), "original\r\n");
    QFile::setPermissions(doc(QStringLiteral("skyddad.htm")), QFile::ReadOwner | QFile::ReadGroup);
    openEditor();
    click(QStringLiteral("skyddad.htm"));
    typeInText(QStringLiteral("ändrad "));
    editor->menuItem(QStringLiteral("mnuArkivSpara"))->trigger();
    QCOMPARE(scope->fake.lastMessage(), QStringLiteral("Det gick inte att spara filen ") +
                                            doc(QStringLiteral("skyddad.htm")) +
                                            QStringLiteral("."));
    QCOMPARE(scope->fake.messages().last().icon, MsgIcon::Exclamation);
    QCOMPARE(readDoc(QStringLiteral("skyddad.htm")), QByteArray("original\r\n"));
    QVERIFY(DocumentChanged);
    QCOMPARE(editor->windowTitle(), QStringLiteral("* skyddad.htm - Editor"));
}

void tst_editor::failedSaveAsKeepsTheFlag() {
    openEditor();
    typeInText(QStringLiteral("ny "));
    const QString target = doc(QStringLiteral("saknas/ny.htm")); // the folder does not exist
    scope->fake.fileAnswers = {FileDialogResult{target, 1}};
    editor->menuItem(QStringLiteral("mnuArkivSaveAs"))->trigger();
    QCOMPARE(scope->fake.lastMessage(),
             QStringLiteral("Det gick inte att spara filen ") + target + QLatin1Char('.'));
    QVERIFY(DocumentChanged);
    QCOMPARE(CurrentFile, target);
    QVERIFY(!QFile::exists(target));
}

void tst_editor::failedDeleteIsReported() {
    writeDoc(QStringLiteral("a.htm"), "a");
    openEditor();
    click(QStringLiteral("a.htm"));
    QFile::remove(doc(QStringLiteral("a.htm"))); // gone behind the editor's back
    scope->fake.messageAnswers = {MsgAnswer::Yes};
    QTest::keyClick(editor->Filer, Qt::Key_Delete);
    QCOMPARE(scope->fake.lastMessage(), QStringLiteral("Det går inte att ta bort filen."));
    QCOMPARE(scope->fake.messages().last().icon, MsgIcon::Exclamation);
    QCOMPARE(editor->txtText->text(), QStringLiteral("a"));
    QCOMPARE(CurrentFile, doc(QStringLiteral("a.htm")));
}

// Coming back to the editor re-reads the file list only when the folder changed, so the click
// that brings the window back opens the file.
void tst_editor::clickOnAnInactiveEditorOpensTheFile() {
    writeDoc(QStringLiteral("a.htm"), "a");
    writeDoc(QStringLiteral("b.htm"), "b");
    openEditor();
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QListWidgetItem* b =
        editor->Filer->findItems(QStringLiteral("b.htm"), Qt::MatchExactly).first();
    const QPoint at = editor->Filer->visualItemRect(b).center();
    QTest::mousePress(editor->Filer->viewport(), Qt::LeftButton, {}, at);
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QTest::mouseRelease(editor->Filer->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(CurrentFile, doc(QStringLiteral("b.htm")));
    QCOMPARE(editor->txtText->text(), QStringLiteral("b"));
}

void tst_editor::saveAsWritesAndSelectsTheFile() {
    writeDoc(QStringLiteral("annan.htm"), "x");
    QVERIFY(QDir(docs->path()).mkdir(QStringLiteral("Under")));
    writeDoc(QStringLiteral("Under/a.htm"), "a");
    openEditor();
    typeInText(QStringLiteral("ny "));
    const QString target = doc(QStringLiteral("Under/Ny sida.htm"));
    scope->fake.fileAnswers = {FileDialogResult{target, 1}};
    editor->menuItem(QStringLiteral("mnuArkivSaveAs"))->trigger();
    const PlatformCall call = scope->fake.calls.first();
    QCOMPARE(call.kind, PlatformCall::SaveFile);
    QCOMPARE(call.request.filter, QStringLiteral("HTML-fil (*.html)|*.html|HTM-fil (*.htm)|*.htm|"
                                                 "Text-fil (*.txt)|*.txt"));
    QCOMPARE(call.request.folder, docs->path());
    QString expected = Skeleton;
    expected.replace(QStringLiteral("Skriv din titel här!"), QStringLiteral("ny "));
    QCOMPARE(readDoc(QStringLiteral("Under/Ny sida.htm")), EncodeCp1252(expected + "\r\n"));
    QCOMPARE(CurrentFile, target);
    QCOMPARE(editor->Katalog->path(), doc(QStringLiteral("Under")));
    QCOMPARE(editor->Filer->fileName(editor->Filer->listIndex()), QStringLiteral("Ny sida.htm"));
    QCOMPARE(editor->windowTitle(), QStringLiteral("Ny sida.htm - Editor"));
    QVERIFY(!DocumentChanged);
    QCOMPARE(StartFolder, doc(QStringLiteral("Under")));
}

void tst_editor::saveAsCancelledChangesNothing() {
    openEditor();
    typeInText(QStringLiteral("ny "));
    editor->menuItem(QStringLiteral("mnuArkivSaveAs"))->trigger();
    QVERIFY(CurrentFile.isEmpty());
    QVERIFY(DocumentChanged);
    QCOMPARE(QDir(docs->path()).entryList(QDir::Files).size(), 0);
}

void tst_editor::clickedFileOpensAfterSaveAsInThePrompt() {
    // "Spara som" in the prompt moves the panes to another folder; the file clicked before
    // is still the one opened.
    writeDoc(QStringLiteral("b.htm"), "b");
    QVERIFY(QDir(docs->path()).mkdir(QStringLiteral("Under")));
    openEditor();
    typeInText(QStringLiteral("ny "));
    scope->fake.messageAnswers = {MsgAnswer::Yes};
    scope->fake.fileAnswers = {FileDialogResult{doc(QStringLiteral("Under/ny.htm")), 1}};
    click(QStringLiteral("b.htm"));
    QVERIFY(QFile::exists(doc(QStringLiteral("Under/ny.htm"))));
    QCOMPARE(CurrentFile, doc(QStringLiteral("b.htm")));
    QCOMPARE(editor->txtText->text(), QStringLiteral("b"));
}

void tst_editor::deleteKeyOnTheFileList_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("deleteOpenFile");
    QTest::newRow("yes, the open file") << int(MsgAnswer::Yes) << true;
    QTest::newRow("yes, another file") << int(MsgAnswer::Yes) << false;
    QTest::newRow("no") << int(MsgAnswer::No) << true;
    QTest::newRow("cancel") << int(MsgAnswer::Cancel) << true;
}

void tst_editor::deleteKeyOnTheFileList() {
    QFETCH(int, answer);
    QFETCH(bool, deleteOpenFile);
    writeDoc(QStringLiteral("a.htm"), "a");
    writeDoc(QStringLiteral("b.htm"), "b");
    openEditor();
    click(QStringLiteral("a.htm"));
    typeInText(QStringLiteral("ändrad "));
    if (!deleteOpenFile) {
        editor->IgnoreFileClick = true; // only the list's selection moves
        click(QStringLiteral("b.htm"));
        editor->IgnoreFileClick = false;
    }
    const QString victim = deleteOpenFile ? QStringLiteral("a.htm") : QStringLiteral("b.htm");
    scope->fake.clear();
    scope->fake.messageAnswers = {MsgAnswer(answer)};
    QTest::keyClick(editor->Filer, Qt::Key_Delete);
    QCOMPARE(scope->fake.messages().first().text,
             QStringLiteral("Är du säker på att du vill ta bort den här filen (den kommer inte att "
                            "hamna i papperskorgen)?"));
    const bool yes = answer == int(MsgAnswer::Yes);
    QCOMPARE(QFile::exists(doc(victim)), !yes);
    if (yes && deleteOpenFile) {
        QCOMPARE(editor->txtText->text(), Skeleton);
        QVERIFY(CurrentFile.isEmpty());
        QVERIFY(!DocumentChanged);
        QCOMPARE(editor->Filer->listCount(), 1);
    } else {
        // The open document and its unsaved changes stay.
        QCOMPARE(editor->txtText->text(), QStringLiteral("ändrad a"));
        QCOMPARE(CurrentFile, doc(QStringLiteral("a.htm")));
        QVERIFY(DocumentChanged);
    }
}

void tst_editor::ctrlDownAndUpStepThroughTheList() {
    writeDoc(QStringLiteral("a.htm"), "A");
    writeDoc(QStringLiteral("b.htm"), "B");
    writeDoc(QStringLiteral("c.htm"), "C");
    openEditor();
    QTest::keyClick(editor->txtText, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(editor->Filer->listIndex(), -1); // nothing selected: nothing happens
    QTest::keyClick(editor->txtText, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(editor->txtText->text(), QStringLiteral("A"));
    click(QStringLiteral("c.htm"));
    QTest::keyClick(editor->txtText, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(CurrentFile, doc(QStringLiteral("a.htm"))); // the last wraps to the first
    QTest::keyClick(editor->txtText, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(CurrentFile, doc(QStringLiteral("c.htm"))); // the first wraps to the last
    QTest::keyClick(editor->txtText, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(editor->txtText->text(), QStringLiteral("B"));
}

void tst_editor::panesAndStripTogglesMoveTheText() {
    openEditor();
    // Nothing is cut off at the designed size.
    QVERIFY(editor->lblMenu[9]->geometry().right() < editor->centralWidget()->width());
    QVERIFY(editor->lblFilFilter->width() >= editor->lblFilFilter->sizeHint().width());
    QVERIFY(editor->lblFilFilter->geometry().right() < editor->txtFilfilter->x());
    QCOMPARE(editor->txtFilfilter->geometry().right() + 1, 1995 / 15);
    const int paneLeft = 2040 / 15;
    QCOMPARE(editor->txtText->x(), paneLeft);
    QCOMPARE(editor->lblMenu[0]->x(), paneLeft);
    QVERIFY(editor->txtText->y() >= 240 / 15);
    QVERIFY(editor->txtText->y() > editor->lblMenu[0]->geometry().bottom());
    for (int i = 1; i < 10; ++i)
        QCOMPARE(editor->lblMenu[i]->x(), editor->lblMenu[i - 1]->geometry().right() + 1 + 5);

    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QTest::keyClick(editor->txtText, Qt::Key_F11); // the keys reach the menu from the text
    QVERIFY(!editor->mnuViewFile->isChecked());
    QCOMPARE(editor->txtText->x(), 0);
    QCOMPARE(editor->lblMenu[0]->x(), 3);
    QVERIFY(!editor->Filer->isVisible() && !editor->Katalog->isVisible() &&
            !editor->Enhet->isVisible() && !editor->txtFilfilter->isVisible());
    QCOMPARE(editor->lblMenu[1]->x(), editor->lblMenu[0]->geometry().right() + 1 + 5);

    QTest::keyClick(editor->txtText, Qt::Key_F11, Qt::ShiftModifier);
    QCOMPARE(editor->txtText->y(), 0);
    QVERIFY(!editor->lblMenu[4]->isVisible());
    QCOMPARE(editor->txtText->geometry(), editor->centralWidget()->rect());

    editor->mnuViewFile->trigger();
    editor->mnuViewObj->trigger();
    QCOMPARE(editor->txtText->x(), paneLeft);
    QVERIFY(editor->Filer->isVisible() && editor->lblMenu[9]->isVisible());
}

void tst_editor::resizeKeepsTheTextFillingTheWindow() {
    openEditor();
    editor->resize(900, 700);
    QTRY_COMPARE(editor->centralWidget()->width(), 900);
    const QRect client = editor->centralWidget()->rect();
    QCOMPARE(editor->txtText->geometry().right(), client.right());
    QCOMPARE(editor->txtText->geometry().bottom(), client.bottom());
    QCOMPARE(editor->Katalog->y(), editor->Filer->geometry().bottom() + 1 + 2);
    QCOMPARE(editor->Enhet->y(), editor->Katalog->geometry().bottom() + 1 + 2);
    QCOMPARE(editor->txtFilfilter->y(), editor->lblFilFilter->y() - 2);
    QVERIFY(editor->txtFilfilter->geometry().bottom() <= client.bottom());
    editor->resize(40, 30); // too small, then large again: the rules hold again
    editor->resize(800, 600);
    QTRY_COMPARE(editor->txtText->geometry().bottom(), editor->centralWidget()->rect().bottom());
    QCOMPARE(editor->txtText->geometry().right(), editor->centralWidget()->rect().right());
}

void tst_editor::stripHoverAndClicks() {
    QStringList opened;
    RegisterTagDialog(QStringLiteral("mnuInsBild"), [&] { opened << QStringLiteral("bild"); });
    openEditor();
    const QColor grey = editor->palette().color(QPalette::Disabled, QPalette::WindowText);
    const QColor normal = editor->palette().color(QPalette::Active, QPalette::WindowText);
    QTest::mouseMove(editor->lblMenu[3]);
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(editor->lblMenu[3], &move);
    QCOMPARE(editor->lblMenu[3]->palette().color(QPalette::WindowText), normal);
    QCOMPARE(editor->lblMenu[4]->palette().color(QPalette::WindowText), grey);
    QVERIFY(!StripIdle);
    QApplication::sendEvent(editor->txtText->viewport(), &move);
    QCOMPARE(editor->lblMenu[3]->palette().color(QPalette::WindowText), grey);
    QVERIFY(StripIdle);

    QTest::mouseClick(editor->lblMenu[0], Qt::LeftButton);
    QCOMPARE(opened, QStringList{QStringLiteral("bild")});
    QTest::mouseClick(editor->lblMenu[7], Qt::LeftButton); // no dialog registered: nothing
    QCOMPARE(opened.size(), 1);
    QTest::mouseClick(editor->lblMenu[2], Qt::LeftButton);
    QTRY_VERIFY(editor->mnuInsForm->isVisible());
    editor->mnuInsForm->hide();
    QTest::mouseClick(editor->lblMenu[9], Qt::RightButton);
    QTRY_VERIFY(editor->mnuVisa->isVisible());
    editor->mnuVisa->hide();
}

void tst_editor::droppedColourReplacesTheSelection() {
    openEditor();
    editor->txtText->setWholeText(QStringLiteral("<BODY BGCOLOR=\"red\">"));
    editor->txtText->setSel(15, 3);
    emit editor->txtText->colourDropped(QStringLiteral("#FF8000"));
    QCOMPARE(editor->txtText->text(), QStringLiteral("<BODY BGCOLOR=\"#FF8000\">"));
}

void tst_editor::driveNotReadyKeepsThePreviousDrive() {
    openEditor();
    const QString shown = editor->Katalog->path();
    editor->Enhet_Change(doc(QStringLiteral("ingen-enhet")));
    QCOMPARE(editor->Katalog->path(), shown);
    QCOMPARE(editor->Enhet->drive(), DriveList::driveOf(shown));
}

// Every item has a command, or opens a dialog or guide when one is registered for it; the
// list names the items still without either.
void tst_editor::itemsWithoutCommandsAreDisabled() {
    const QStringList stillWithout;
    RegisterTagDialog(QStringLiteral("mnuInBr"), [] {});
    openEditor();
    editor->refreshMenuItems();
    for (QAction* action : editor->findChildren<QAction*>()) {
        const QString name = action->objectName();
        if (!name.startsWith(QLatin1String("mnu")) || action->isSeparator() || action->menu())
            continue;
        const bool dialog = TagDialogMenuItems().contains(name) || GuideMenuItems().contains(name);
        bool expected = dialog ? name == QLatin1String("mnuInBr") : !stillWithout.contains(name);
        if (name == QLatin1String("mnuArkivWeb")) // the colour picker, when there is one
            expected = ToolRegistered(Tool::ColourPicker);
        QVERIFY2(action->isEnabled() == expected, qPrintable(name));
    }
    QVERIFY(editor->mnuViewFile->isChecked() && editor->mnuViewObj->isChecked() &&
            editor->mnuEditAuto->isChecked());
}

void tst_editor::formatItemsWrapTheSelection() {
    openEditor();
    TagCase = 1;
    editor->txtText->setWholeText(QStringLiteral("ett ord"));
    editor->txtText->setSel(4, 3);
    editor->menuItem(QStringLiteral("mnuFormFet"))->trigger();
    QCOMPARE(editor->txtText->text(), QStringLiteral("ett <b>ord</b>"));
}

void tst_editor::runNeedsASavedFile() {
    openEditor();
    editor->menuItem(QStringLiteral("mnuArkivRun"))->trigger();
    QCOMPARE(scope->fake.lastMessage(), QStringLiteral("Du måste spara filen innan den granskas."));
    QCOMPARE(scope->fake.messages().last().icon, MsgIcon::Information);
    writeDoc(QStringLiteral("sida med blank.htm"), "x");
    click(QStringLiteral("sida med blank.htm"));
    BrowserPath = QCoreApplication::applicationFilePath();
    editor->menuItem(QStringLiteral("mnuArkivRun"))->trigger();
    QCOMPARE(scope->fake.calls.last().kind, PlatformCall::StartProgram);
    QCOMPARE(scope->fake.calls.last().arguments,
             QStringList{doc(QStringLiteral("sida med blank.htm"))});
}

void tst_editor::settingsWrittenAtCloseAndAppliedAtNextLoad() {
    QVERIFY(QDir(docs->path()).mkdir(QStringLiteral("annan")));
    writeDoc(QStringLiteral("annan/sist.txt"), "sista filen");
    writeDoc(QStringLiteral("a.txt"), "a");
    openEditor();
    CurrentFile = doc(QStringLiteral("annan/sist.txt"));
    ForceLowerCase = true;
    editor->mnuEditAuto->trigger();
    editor->mnuViewFile->trigger();
    editor->txtFilfilter->setText(QStringLiteral("*.txt"));
    editor->setGeometry(100, 80, 640, 480);
    setEditorKey(QStringLiteral("Font"), QStringLiteral("DejaVu Sans Mono"));
    const QRect frame = editor->frameGeometry();
    QVERIFY(editor->close());
    QVERIFY(!editor->isVisible());
    QCOMPARE(editorKey(QStringLiteral("TvingaVersaler")), QStringLiteral("1"));
    QCOMPARE(editorKey(QStringLiteral("AutoIndrag")), QStringLiteral("0"));
    QCOMPARE(editorKey(QStringLiteral("VisaFilmeny")), QStringLiteral("0"));
    QCOMPARE(editorKey(QStringLiteral("VisaObjektmeny")), QStringLiteral("1"));
    QCOMPARE(editorKey(QStringLiteral("Filfilter")), QStringLiteral("*.txt"));
    QCOMPARE(editorKey(QStringLiteral("WindowState")), QStringLiteral("0"));
    QCOMPARE(editorKey(QStringLiteral("Left")), QString::number(frame.x() * 15));
    QCOMPARE(editorKey(QStringLiteral("Width")), QString::number(frame.width() * 15));
    QCOMPARE(editorKey(QStringLiteral("LastFile")), doc(QStringLiteral("annan/sist.txt")));

    // The next load, in a window of its own.
    delete editor;
    ForceLowerCase = false;
    openEditor();
    QVERIFY(ForceLowerCase);
    QVERIFY(!editor->mnuEditAuto->isChecked());
    QVERIFY(!editor->mnuViewFile->isChecked());
    QCOMPARE(editor->txtText->x(), 0);
    QCOMPARE(editor->txtFilfilter->text(), QStringLiteral("*.txt"));
    QCOMPARE(editor->Filer->pattern(), QStringLiteral("*.txt"));
    QCOMPARE(editor->txtText->text(), QStringLiteral("sista filen"));
    QCOMPARE(editor->windowTitle(), QStringLiteral("sist.txt - Editor"));
    QCOMPARE(editor->Filer->listIndex(), -1); // the last file lies in another folder
    QCOMPARE(editor->txtText->editorFont().family(), QStringLiteral("DejaVu Sans Mono"));
    QTRY_COMPARE(editor->frameGeometry(), frame);
}

void tst_editor::closeCancelledKeepsWindowAndWritesNothing() {
    openEditor();
    typeInText(QStringLiteral("x"));
    scope->fake.messageAnswers = {MsgAnswer::Cancel};
    QVERIFY(!editor->close());
    QVERIFY(editor->isVisible());
    QVERIFY(!QFile::exists(IniFile));
}

void tst_editor::textHasTheFocusAfterADialog() {
    openEditor();
    editor->setEnabled(false); // a tag dialog opens, then is cancelled
    editor->setEnabled(true);
    QCOMPARE(editor->focusWidget(), editor->txtText);
}

void tst_editor::designedStateAtEachLoad() {
    // The window is kept for the run: loading it again starts from the design.
    openEditor();
    editor->txtFilfilter->clear();
    editor->lblMenu_MouseMove(9);
    QVERIFY(editor->close());
    QCOMPARE(editorKey(QStringLiteral("Filfilter")), QString());
    editor->show();
    QCOMPARE(editor->txtFilfilter->text(), QStringLiteral("*.htm*"));
    QCOMPARE(editor->Filer->pattern(), QStringLiteral("*.htm*"));
    QVERIFY(StripIdle);
    QCOMPARE(editor->lblMenu[9]->palette().color(QPalette::WindowText),
             editor->palette().color(QPalette::Disabled, QPalette::WindowText));
}

void tst_editor::storedPlaceOnlyWhenOnTheScreen_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("applied");
    QTest::newRow("0") << 0 << false;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("screen width") << 1920 * 15 << false;
}

void tst_editor::storedPlaceOnlyWhenOnTheScreen() {
    QFETCH(int, left);
    QFETCH(bool, applied);
    WriteIniInt(QStringLiteral("Editor"), QStringLiteral("Left"), left, IniFile);
    editor = new frmEditor;
    editor->move(50, 60);
    editor->show();
    QCOMPARE(editor->frameGeometry().x(), applied ? qRound(left / 15.0) : 50);
}

void tst_editor::preferencesApplyTheFont() {
    openEditor();
    editor->findChild<QAction*>(QStringLiteral("mnuArkivLookIn"))->trigger();
    auto* pref = qobject_cast<frmPref*>(ExistingToolWindow(Tool::Preferences));
    QVERIFY(pref && pref->isVisible());
    pref->cmbFonts->setCurrentText(QStringLiteral("Liberation Serif"));
    pref->cmdOK_Click();
    QCOMPARE(editor->txtText->editorFont().family(), QStringLiteral("Liberation Serif"));
}

void tst_editor::exitEndsTheProgramUnlessCancelled() {
    openEditor();
    typeInText(QStringLiteral("x"));
    scope->fake.messageAnswers = {MsgAnswer::Cancel};
    editor->menuItem(QStringLiteral("mnuExitWeb"))->trigger();
    QVERIFY(ended.isEmpty());
    QVERIFY(editor->isVisible());
    scope->fake.messageAnswers = {MsgAnswer::No};
    editor->menuItem(QStringLiteral("mnuExitWeb"))->trigger();
    QCOMPARE(ended, QList<int>{0});
    QVERIFY(!editor->isVisible());
    QCOMPARE(editorKey(QStringLiteral("VisaFilmeny")), QStringLiteral("1"));
}

void tst_editor::launcherOpensTheEditor() {
    RegisterEditorWindow();
    WriteIniInt(QStringLiteral("Vessilor"), QStringLiteral("StartUp"), 1, IniFile);
    frmStartUp launcher;
    int code = -1;
    QVERIFY(launcher.Form_Load(code));
    auto* window = qobject_cast<frmEditor*>(ExistingToolWindow(Tool::Editor));
    QVERIFY(window && window->isVisible());
    QVERIFY(!launcher.isVisible());
    QCOMPARE(window->txtText->text(), Skeleton);
    window->close();
    QVERIFY(launcher.isVisible());
    launcher.cmdEdit_Click();
    QVERIFY(window->isVisible() && window->isLoaded());
    QCOMPARE(ExistingToolWindow(Tool::Editor), window); // the same window, loaded again
}

QTEST_MAIN(tst_editor)
#include "tst_editor.moc"
