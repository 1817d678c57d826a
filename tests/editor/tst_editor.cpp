// The editor window: document lifecycle, caption, save prompt, files kept byte for byte,
// file panes and tag strip, settings, and the launcher opening it.

#include "editorfixture.h"
#include "markup/document.h"
#include "platform/encoding.h"
#include "shell/frmpref.h"
#include "shell/frmstartup.h"
#include "shell/inimod.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

const QString Skeleton = u"<HTML>\r\n<HEAD>\r\n<TITLE>Skriv din titel här!</TITLE>\r\n</HEAD>\r\n"
                         u"\r\n<BODY>\r\n\r\n</BODY>\r\n</HTML>"_s;

QString editorKey(const QString& key) {
    return ReadIniString(u"Editor"_s, key, IniFile);
}

} // namespace

class tst_editor : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { f.reset(); }
    void newDocumentInTheConfiguredCase_data();
    void newDocumentInTheConfiguredCase();
    void savePromptAnswers_data();
    void savePromptAnswers();
    void failedSaveInThePromptKeepsTheText_data();
    void failedSaveInThePromptKeepsTheText();
    void failedDeleteIsReported();
    void clickOnAnInactiveEditorOpensTheFile();
    void openAndSaveKeepEveryByte_data();
    void openAndSaveKeepEveryByte();
    void typedTextTakesTheDocumentsEncoding_data();
    void typedTextTakesTheDocumentsEncoding();
    void saveInTheOtherEncoding();
    void fileThatCannotBeOpened_data();
    void fileThatCannotBeOpened();
    void failedSaveKeepsTheFileAndTheFlag_data();
    void failedSaveKeepsTheFileAndTheFlag();
    void saveAsWritesAndSelectsTheFile();
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
    void runNeedsASavedFile();
    void settingsWrittenAtCloseAndAppliedAtNextLoad();
    void closeOrExitCancelledKeepsWindowAndWritesNothing();
    void textHasTheFocusAfterADialog();
    void designedStateAtEachLoad();
    void storedPlaceOnlyWhenOnTheScreen_data();
    void storedPlaceOnlyWhenOnTheScreen();
    void preferencesApplyTheFont();
    void launcherOpensTheEditor();

private:
    std::unique_ptr<EditorFixture> f;
    frmEditor* editor = nullptr;
    QList<int> ended;
};

void tst_editor::init() {
    f = std::make_unique<EditorFixture>();
    editor = nullptr;
    ended.clear();
    EndProgram = [this](int code) { ended.append(code); };
}

void tst_editor::newDocumentInTheConfiguredCase_data() {
    QTest::addColumn<int>("tagCase");
    QTest::addColumn<QString>("expected");
    QTest::newRow("capitals") << 0 << Skeleton;
    QTest::newRow("small") << 1 << Skeleton.toLower().replace(u"skriv"_s, u"Skriv"_s);
}

void tst_editor::newDocumentInTheConfiguredCase() {
    QFETCH(int, tagCase);
    QFETCH(QString, expected);
    TagCase = tagCase;
    editor = f->open();
    QCOMPARE(f->text(), expected);
    QCOMPARE(f->area()->selText(), u"Skriv din titel här!"_s);
    QCOMPARE(editor->windowTitle(), u"Vessilora - Editor"_s);
    QVERIFY(!DocumentChanged);
    QCOMPARE(editor->Filer->listIndex(), -1);
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
    f->docs.write(u"a.htm"_s, "a");
    f->docs.write(u"b.htm"_s, "b");
    editor = f->open();
    f->click(u"a.htm"_s);
    f->area()->setSel(0, 0);
    f->type(u"y"_s);
    f->fake().clear();
    f->fake().messageAnswers = {MsgAnswer(answer)};
    f->click(u"b.htm"_s);
    QCOMPARE(f->fake().messages().size(), 1);
    QCOMPARE(f->fake().messages().at(0).text, u"Dokumentet är ändrat. Vill du spara?"_s);
    QCOMPARE(f->fake().messages().at(0).icon, MsgIcon::Exclamation);
    QCOMPARE(f->fake().messages().at(0).buttons, MsgButtons::YesNoCancel);
    QCOMPARE(CurrentFile, f->doc(openAfter));
    QCOMPARE(editor->Filer->fileName(editor->Filer->listIndex()), openAfter);
    QCOMPARE(f->docs.read(u"a.htm"_s), firstOnDisk);
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
    f->docs.write(u"skyddad.htm"_s, "original");
    QFile::setPermissions(f->doc(u"skyddad.htm"_s), QFile::ReadOwner);
    editor = f->open();
    if (protectedFile)
        f->click(u"skyddad.htm"_s);
    f->type(u"mitt arbete"_s);
    f->fake().messageAnswers = {MsgAnswer::Yes};
    f->fake().fileAnswers = {std::nullopt}; // the file name dialog is cancelled
    f->trigger(u"mnuArkivNew"_s);
    QVERIFY(f->text().contains(u"mitt arbete"_s));
    QVERIFY(DocumentChanged);
    QCOMPARE(f->docs.read(u"skyddad.htm"_s), QByteArray("original"));
}

void tst_editor::openAndSaveKeepEveryByte_data() {
    QTest::addColumn<QByteArray>("bytes");
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QTest::newRow("CR LF") << QByteArray("<P>ett</P>\r\n<P>två</P>\r\n");
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd\n\re\r\n\r\n");
    QTest::newRow("all 256 bytes") << all;
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("UTF-8, emoji, LF") << QByteArray("<p>h\xc3\xa4st \xf0\x9f\x98\x80</p>\n");
    QTest::newRow("UTF-8 with BOM, CR") << QByteArray("\xef\xbb\xbf\xc3\xa5\r\xc3\xb6\r");
    QTest::newRow("ASCII declaring UTF-8")
        << QByteArray("<meta charset=\"UTF-8\">\r\n<p>a</p>\r\n");
    QTest::newRow("malformed UTF-8") << QByteArray("\xc3\xa5 \xc3 \xff\r\n");
}

void tst_editor::openAndSaveKeepEveryByte() {
    QFETCH(QByteArray, bytes);
    f->docs.write(u"page.htm"_s, bytes);
    editor = f->open();
    // Opened and saved without an edit, twice, every file keeps every byte, its ending included.
    for (int round = 0; round < 2; ++round) {
        f->click(u"page.htm"_s);
        QCOMPARE(CurrentFile, f->doc(u"page.htm"_s));
        QVERIFY(!DocumentChanged);
        f->trigger(u"mnuArkivSpara"_s);
        QCOMPARE(f->docs.read(u"page.htm"_s), bytes);
    }
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
    f->docs.write(u"sida.htm"_s, page);
    editor = f->open();
    f->click(u"sida.htm"_s);
    QCOMPARE(editor->lblEncoding->text(), shown);
    f->area()->setSel(0, 0);
    f->type(u"åäö€→"_s);
    f->trigger(u"mnuArkivSpara"_s);
    QCOMPARE(f->docs.read(u"sida.htm"_s), saved);
}

void tst_editor::saveInTheOtherEncoding() {
    const QByteArray utf8("\xc3\xa4\xe2\x86\x92");
    f->docs.write(u"sida.htm"_s, utf8);
    editor = f->open();
    f->click(u"sida.htm"_s);
    QAction* other = editor->menuItem(u"mnuArkivEncoding"_s);
    f->fake().messageAnswers = {MsgAnswer::No}; // "→" would become a reference: asked first
    other->trigger();
    QCOMPARE(f->fake().messages().last().buttons, MsgButtons::YesNo);
    QCOMPARE(f->docs.read(u"sida.htm"_s), utf8);
    f->fake().messageAnswers = {MsgAnswer::Yes};
    other->trigger();
    QCOMPARE(f->docs.read(u"sida.htm"_s), QByteArray("\xe4&#8594;"));
    QCOMPARE(editor->lblEncoding->text(), u"Windows-1252"_s);
    other->trigger(); // back to UTF-8 without a question: nothing is lost
    QCOMPARE(f->docs.read(u"sida.htm"_s), utf8);
    QCOMPARE(editor->lblEncoding->text(), u"UTF-8"_s);
}

void tst_editor::fileThatCannotBeOpened_data() {
    QTest::addColumn<bool>("tooLarge");
    QTest::newRow("gone") << false;
    QTest::newRow("too large") << true;
}

void tst_editor::fileThatCannotBeOpened() {
    QFETCH(bool, tooLarge);
    f->docs.write(u"x.htm"_s, "x");
    editor = f->open();
    editor->Filer->refresh();
    const QString path = f->doc(u"x.htm"_s);
    if (tooLarge) {
        QFile file(path); // sparse: no disk space is used
        QVERIFY(file.resize(MaxDocumentBytes + 1));
    } else {
        QVERIFY(QFile::remove(path));
    }
    editor->Filer->setListIndex(0);
    QCOMPARE(f->text(), tooLarge ? u"Filen "_s + path + u" är för stor för att kunna öppnas."_s
                                 : u"Kunde inte öppna: "_s + path + u" "_s);
    QVERIFY(CurrentFile.isEmpty());
    QVERIFY(!DocumentChanged);
    QCOMPARE(editor->windowTitle(), u"Vessilora - Editor"_s);
    if (tooLarge) // the file is left as it was
        QCOMPARE(QFileInfo(path).size(), MaxDocumentBytes + 1);
}

// A save that fails says so and leaves the file on disk and the unsaved text as they were.
void tst_editor::failedSaveKeepsTheFileAndTheFlag_data() {
    QTest::addColumn<bool>("saveAs");
    QTest::newRow("write-protected file") << false;
    QTest::newRow("save as into a missing folder") << true;
}

void tst_editor::failedSaveKeepsTheFileAndTheFlag() {
    QFETCH(bool, saveAs);
    f->docs.write(u"skyddad.htm"_s, "original\r\n");
    QFile::setPermissions(f->doc(u"skyddad.htm"_s), QFile::ReadOwner | QFile::ReadGroup);
    editor = f->open();
    f->click(u"skyddad.htm"_s);
    f->type(u"ändrad "_s);
    const QString target = f->doc(saveAs ? u"saknas/ny.htm"_s : u"skyddad.htm"_s);
    f->fake().fileAnswers = {FileDialogResult{target, 1}};
    f->trigger(saveAs ? u"mnuArkivSaveAs"_s : u"mnuArkivSpara"_s);
    QCOMPARE(f->fake().lastMessage(), u"Det gick inte att spara filen "_s + target + u"."_s);
    QCOMPARE(f->fake().messages().last().icon, MsgIcon::Exclamation);
    QCOMPARE(f->docs.read(u"skyddad.htm"_s), QByteArray("original\r\n"));
    QVERIFY(!QFile::exists(f->doc(u"saknas/ny.htm"_s)));
    QVERIFY(DocumentChanged);
    QCOMPARE(CurrentFile, target);
    QCOMPARE(editor->windowTitle(), u"* "_s + QFileInfo(target).fileName() + u" - Editor"_s);
}

void tst_editor::failedDeleteIsReported() {
    f->docs.write(u"a.htm"_s, "a");
    editor = f->open();
    f->click(u"a.htm"_s);
    QFile::remove(f->doc(u"a.htm"_s)); // gone behind the editor's back
    f->fake().messageAnswers = {MsgAnswer::Yes};
    QTest::keyClick(editor->Filer, Qt::Key_Delete);
    QCOMPARE(f->fake().lastMessage(), u"Det går inte att ta bort filen."_s);
    QCOMPARE(f->fake().messages().last().icon, MsgIcon::Exclamation);
    QCOMPARE(f->text(), u"a"_s);
    QCOMPARE(CurrentFile, f->doc(u"a.htm"_s));
}

// Coming back to the editor re-reads the file list only when the folder changed, so the click
// that brings the window back opens the file.
void tst_editor::clickOnAnInactiveEditorOpensTheFile() {
    f->docs.write(u"a.htm"_s, "a");
    f->docs.write(u"b.htm"_s, "b");
    editor = f->open();
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QListWidgetItem* b = editor->Filer->findItems(u"b.htm"_s, Qt::MatchExactly).first();
    const QPoint at = editor->Filer->visualItemRect(b).center();
    QTest::mousePress(editor->Filer->viewport(), Qt::LeftButton, {}, at);
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QTest::mouseRelease(editor->Filer->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(CurrentFile, f->doc(u"b.htm"_s));
    QCOMPARE(f->text(), u"b"_s);
}

void tst_editor::saveAsWritesAndSelectsTheFile() {
    f->docs.write(u"annan.htm"_s, "x");
    f->docs.write(u"Under/a.htm"_s, "a");
    editor = f->open();
    f->type(u"ny "_s);
    const QString target = f->doc(u"Under/Ny sida.htm"_s);
    f->fake().fileAnswers = {FileDialogResult{target, 1}};
    f->trigger(u"mnuArkivSaveAs"_s);
    QCOMPARE(f->fake().calls.first().request.folder, f->docs.path());
    QString expected = Skeleton;
    expected.replace(u"Skriv din titel här!"_s, u"ny "_s);
    QCOMPARE(ReadFile(target), EncodeCp1252(expected + "\r\n"));
    QCOMPARE(CurrentFile, target);
    QCOMPARE(editor->Katalog->path(), f->doc(u"Under"_s));
    QCOMPARE(editor->Filer->fileName(editor->Filer->listIndex()), u"Ny sida.htm"_s);
    QCOMPARE(editor->windowTitle(), u"Ny sida.htm - Editor"_s);
    QVERIFY(!DocumentChanged);
    QCOMPARE(StartFolder, f->doc(u"Under"_s));
}

void tst_editor::clickedFileOpensAfterSaveAsInThePrompt() {
    // "Spara som" in the prompt moves the panes to another folder; the file clicked before
    // is still the one opened.
    f->docs.write(u"b.htm"_s, "b");
    f->docs.folder(u"Under"_s);
    editor = f->open();
    f->type(u"ny "_s);
    f->fake().messageAnswers = {MsgAnswer::Yes};
    f->fake().fileAnswers = {FileDialogResult{f->doc(u"Under/ny.htm"_s), 1}};
    f->click(u"b.htm"_s);
    QVERIFY(QFile::exists(f->doc(u"Under/ny.htm"_s)));
    QCOMPARE(CurrentFile, f->doc(u"b.htm"_s));
    QCOMPARE(f->text(), u"b"_s);
}

void tst_editor::deleteKeyOnTheFileList_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("deleteOpenFile");
    QTest::newRow("yes, the open file") << int(MsgAnswer::Yes) << true;
    QTest::newRow("yes, another file") << int(MsgAnswer::Yes) << false;
    QTest::newRow("no") << int(MsgAnswer::No) << true;
}

void tst_editor::deleteKeyOnTheFileList() {
    QFETCH(int, answer);
    QFETCH(bool, deleteOpenFile);
    f->docs.write(u"a.htm"_s, "a");
    f->docs.write(u"b.htm"_s, "b");
    editor = f->open();
    f->click(u"a.htm"_s);
    f->type(u"ändrad "_s);
    if (!deleteOpenFile) {
        editor->IgnoreFileClick = true; // only the list's selection moves
        f->click(u"b.htm"_s);
        editor->IgnoreFileClick = false;
    }
    const QString victim = f->doc(deleteOpenFile ? u"a.htm"_s : u"b.htm"_s);
    f->fake().clear();
    f->fake().messageAnswers = {MsgAnswer(answer)};
    QTest::keyClick(editor->Filer, Qt::Key_Delete);
    QCOMPARE(f->fake().messages().first().text,
             u"Är du säker på att du vill ta bort den här filen (den kommer inte att hamna i "
             u"papperskorgen)?"_s);
    const bool yes = answer == int(MsgAnswer::Yes);
    QCOMPARE(QFile::exists(victim), !yes);
    if (yes && deleteOpenFile) {
        QCOMPARE(f->text(), Skeleton);
        QVERIFY(CurrentFile.isEmpty());
        QVERIFY(!DocumentChanged);
        QCOMPARE(editor->Filer->listCount(), 1);
    } else {
        // The open document and its unsaved changes stay.
        QCOMPARE(f->text(), u"ändrad a"_s);
        QCOMPARE(CurrentFile, f->doc(u"a.htm"_s));
        QVERIFY(DocumentChanged);
    }
}

void tst_editor::ctrlDownAndUpStepThroughTheList() {
    for (const char* name : {"a", "b", "c"})
        f->docs.write(QString::fromLatin1(name) + u".htm"_s, QByteArray(name).toUpper());
    editor = f->open();
    const auto step = [&](Qt::Key key) { QTest::keyClick(f->area(), key, Qt::ControlModifier); };
    step(Qt::Key_Up);
    QCOMPARE(editor->Filer->listIndex(), -1); // nothing selected: nothing happens
    step(Qt::Key_Down);
    QCOMPARE(f->text(), u"A"_s);
    f->click(u"c.htm"_s);
    step(Qt::Key_Down);
    QCOMPARE(CurrentFile, f->doc(u"a.htm"_s)); // the last wraps to the first
    step(Qt::Key_Up);
    QCOMPARE(CurrentFile, f->doc(u"c.htm"_s)); // the first wraps to the last
    step(Qt::Key_Up);
    QCOMPARE(f->text(), u"B"_s);
}

void tst_editor::panesAndStripTogglesMoveTheText() {
    editor = f->open();
    QLabel* const* strip = editor->lblMenu;
    // Nothing is cut off at the designed size.
    QVERIFY(strip[9]->geometry().right() < editor->centralWidget()->width());
    QVERIFY(editor->lblFilFilter->width() >= editor->lblFilFilter->sizeHint().width());
    QVERIFY(editor->lblFilFilter->geometry().right() < editor->txtFilfilter->x());
    const int paneLeft = f->area()->x();
    QVERIFY(paneLeft > editor->Filer->geometry().right());
    QVERIFY(f->area()->y() > strip[0]->geometry().bottom());

    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QTest::keyClick(f->area(), Qt::Key_F11); // the keys reach the menu from the text
    QVERIFY(!editor->mnuViewFile->isChecked());
    QCOMPARE(f->area()->x(), 0);
    QCOMPARE(strip[0]->x(), 3);
    QVERIFY(!editor->Filer->isVisible() && !editor->Katalog->isVisible() &&
            !editor->Enhet->isVisible() && !editor->txtFilfilter->isVisible());

    QTest::keyClick(f->area(), Qt::Key_F11, Qt::ShiftModifier);
    QCOMPARE(f->area()->y(), 0);
    QVERIFY(!strip[4]->isVisible());
    QCOMPARE(f->area()->geometry(), editor->centralWidget()->rect());

    editor->mnuViewFile->trigger();
    editor->mnuViewObj->trigger();
    QCOMPARE(f->area()->x(), paneLeft);
    QVERIFY(editor->Filer->isVisible() && strip[9]->isVisible());
}

void tst_editor::resizeKeepsTheTextFillingTheWindow() {
    editor = f->open();
    const auto fills = [&] {
        const QRect client = editor->centralWidget()->rect();
        return f->area()->geometry().bottomRight() == client.bottomRight();
    };
    editor->resize(900, 700);
    QTRY_COMPARE(editor->centralWidget()->width(), 900);
    QVERIFY(fills());
    QVERIFY(editor->Enhet->y() > editor->Katalog->geometry().bottom());
    QVERIFY(editor->txtFilfilter->geometry().bottom() <= editor->centralWidget()->height());
    editor->resize(40, 30); // too small, then large again: the rules hold again
    editor->resize(800, 600);
    QTRY_VERIFY(fills());
}

void tst_editor::stripHoverAndClicks() {
    QStringList opened;
    RegisterTagDialog(u"mnuInsBild"_s, [&] { opened << u"bild"_s; });
    editor = f->open();
    QLabel* const* strip = editor->lblMenu;
    const QColor grey = editor->palette().color(QPalette::Disabled, QPalette::WindowText);
    const QColor normal = editor->palette().color(QPalette::Active, QPalette::WindowText);
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(strip[3], &move);
    QCOMPARE(strip[3]->palette().color(QPalette::WindowText), normal);
    QCOMPARE(strip[4]->palette().color(QPalette::WindowText), grey);
    QVERIFY(!StripIdle);
    QApplication::sendEvent(f->area()->viewport(), &move);
    QCOMPARE(strip[3]->palette().color(QPalette::WindowText), grey);
    QVERIFY(StripIdle);

    QTest::mouseClick(strip[0], Qt::LeftButton);
    QCOMPARE(opened, QStringList{u"bild"_s});
    QTest::mouseClick(strip[7], Qt::LeftButton); // no dialog registered: nothing
    QCOMPARE(opened.size(), 1);
    QTest::mouseClick(strip[2], Qt::LeftButton);
    QTRY_VERIFY(editor->mnuInsForm->isVisible());
    editor->mnuInsForm->hide();
    QTest::mouseClick(strip[9], Qt::RightButton);
    QTRY_VERIFY(editor->mnuVisa->isVisible());
    editor->mnuVisa->hide();
}

void tst_editor::droppedColourReplacesTheSelection() {
    editor = f->open();
    f->set(u"<BODY BGCOLOR=\"red\">"_s, 15, 3);
    emit f->area()->colourDropped(u"#FF8000"_s);
    QCOMPARE(f->text(), u"<BODY BGCOLOR=\"#FF8000\">"_s);
}

void tst_editor::driveNotReadyKeepsThePreviousDrive() {
    editor = f->open();
    const QString shown = editor->Katalog->path();
    editor->Enhet_Change(f->doc(u"ingen-enhet"_s));
    QCOMPARE(editor->Katalog->path(), shown);
    QCOMPARE(editor->Enhet->drive(), DriveList::driveOf(shown));
}

// Every item has a command, or opens a dialog or guide when one is registered for it.
void tst_editor::itemsWithoutCommandsAreDisabled() {
    RegisterTagDialog(u"mnuInBr"_s, [] {});
    editor = f->open();
    editor->refreshMenuItems();
    for (QAction* action : editor->findChildren<QAction*>()) {
        const QString name = action->objectName();
        if (!name.startsWith(u"mnu"_s) || action->isSeparator() || action->menu())
            continue;
        const bool dialog = TagDialogMenuItems().contains(name) || GuideMenuItems().contains(name);
        bool expected = !dialog || name == u"mnuInBr"_s;
        if (name == u"mnuArkivWeb"_s) // the colour picker, when there is one
            expected = ToolRegistered(Tool::ColourPicker);
        QVERIFY2(action->isEnabled() == expected, qPrintable(name));
    }
    QVERIFY(editor->mnuViewFile->isChecked() && editor->mnuViewObj->isChecked() &&
            editor->mnuEditAuto->isChecked());
}

void tst_editor::runNeedsASavedFile() {
    editor = f->open();
    f->trigger(u"mnuArkivRun"_s);
    QCOMPARE(f->fake().lastMessage(), u"Du måste spara filen innan den granskas."_s);
    QCOMPARE(f->fake().messages().last().icon, MsgIcon::Information);
    f->docs.write(u"sida med blank.htm"_s, "x");
    f->click(u"sida med blank.htm"_s);
    BrowserPath = QCoreApplication::applicationFilePath();
    f->trigger(u"mnuArkivRun"_s);
    QCOMPARE(f->fake().calls.last().kind, PlatformCall::StartProgram);
    QCOMPARE(f->fake().calls.last().arguments, QStringList{f->doc(u"sida med blank.htm"_s)});
}

void tst_editor::settingsWrittenAtCloseAndAppliedAtNextLoad() {
    f->docs.write(u"annan/sist.txt"_s, "sista filen");
    f->docs.write(u"a.txt"_s, "a");
    editor = f->open();
    CurrentFile = f->doc(u"annan/sist.txt"_s);
    ForceLowerCase = true;
    editor->mnuEditAuto->trigger();
    editor->mnuViewFile->trigger();
    editor->txtFilfilter->setText(u"*.txt"_s);
    editor->setGeometry(100, 80, 640, 480);
    QString font = u"DejaVu Sans Mono"_s;
    WriteIniString(u"Editor"_s, u"Font"_s, font, IniFile);
    const QRect frame = editor->frameGeometry();
    QVERIFY(editor->close());
    QVERIFY(!editor->isVisible());
    const QList<std::pair<QString, QString>> stored = {
        {u"TvingaVersaler"_s, u"1"_s},
        {u"AutoIndrag"_s, u"0"_s},
        {u"VisaFilmeny"_s, u"0"_s},
        {u"VisaObjektmeny"_s, u"1"_s},
        {u"Filfilter"_s, u"*.txt"_s},
        {u"WindowState"_s, u"0"_s},
        {u"Left"_s, QString::number(frame.x() * 15)},
        {u"Width"_s, QString::number(frame.width() * 15)},
        {u"LastFile"_s, f->doc(u"annan/sist.txt"_s)}};
    for (const auto& [key, value] : stored)
        QCOMPARE(editorKey(key), value);

    // The next load, in a window of its own.
    delete editor;
    ForceLowerCase = false;
    editor = f->open();
    QVERIFY(ForceLowerCase);
    QVERIFY(!editor->mnuEditAuto->isChecked());
    QVERIFY(!editor->mnuViewFile->isChecked());
    QCOMPARE(f->area()->x(), 0);
    QCOMPARE(editor->txtFilfilter->text(), u"*.txt"_s);
    QCOMPARE(editor->Filer->pattern(), u"*.txt"_s);
    QCOMPARE(f->text(), u"sista filen"_s);
    QCOMPARE(editor->windowTitle(), u"sist.txt - Editor"_s);
    QCOMPARE(editor->Filer->listIndex(), -1); // the last file lies in another folder
    QCOMPARE(f->area()->editorFont().family(), u"DejaVu Sans Mono"_s);
    QTRY_COMPARE(editor->frameGeometry(), frame);
}

void tst_editor::closeOrExitCancelledKeepsWindowAndWritesNothing() {
    editor = f->open();
    f->type(u"x"_s);
    f->fake().messageAnswers = {MsgAnswer::Cancel, MsgAnswer::Cancel, MsgAnswer::No};
    QVERIFY(!editor->close());
    f->trigger(u"mnuExitWeb"_s);
    QVERIFY(editor->isVisible());
    QVERIFY(ended.isEmpty());
    QVERIFY(!QFile::exists(IniFile));
    f->trigger(u"mnuExitWeb"_s);
    QCOMPARE(ended, QList<int>{0});
    QVERIFY(!editor->isVisible());
    QCOMPARE(editorKey(u"VisaFilmeny"_s), u"1"_s);
}

void tst_editor::textHasTheFocusAfterADialog() {
    editor = f->open();
    editor->setEnabled(false); // a tag dialog opens, then is cancelled
    editor->setEnabled(true);
    QCOMPARE(editor->focusWidget(), f->area());
}

void tst_editor::designedStateAtEachLoad() {
    // The window is kept for the run: loading it again starts from the design.
    editor = f->open();
    editor->txtFilfilter->clear();
    editor->lblMenu_MouseMove(9);
    QVERIFY(editor->close());
    QCOMPARE(editorKey(u"Filfilter"_s), QString());
    editor->show();
    QCOMPARE(editor->txtFilfilter->text(), u"*.htm*"_s);
    QCOMPARE(editor->Filer->pattern(), u"*.htm*"_s);
    QVERIFY(StripIdle);
    QCOMPARE(editor->lblMenu[9]->palette().color(QPalette::WindowText),
             editor->palette().color(QPalette::Disabled, QPalette::WindowText));
}

void tst_editor::storedPlaceOnlyWhenOnTheScreen_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("applied");
    QTest::newRow("0") << 0 << false;
    QTest::newRow("1") << 1 << true;
}

void tst_editor::storedPlaceOnlyWhenOnTheScreen() {
    QFETCH(int, left);
    QFETCH(bool, applied);
    WriteIniInt(u"Editor"_s, u"Left"_s, left, IniFile);
    editor = f->editor = new frmEditor;
    editor->move(50, 60);
    editor->show();
    QCOMPARE(editor->frameGeometry().x(), applied ? qRound(left / 15.0) : 50);
}

void tst_editor::preferencesApplyTheFont() {
    editor = f->open();
    f->trigger(u"mnuArkivLookIn"_s);
    auto* pref = qobject_cast<frmPref*>(ExistingToolWindow(Tool::Preferences));
    QVERIFY(pref && pref->isVisible());
    pref->cmbFonts->setCurrentText(u"Liberation Serif"_s);
    pref->cmdOK_Click();
    QCOMPARE(f->area()->editorFont().family(), u"Liberation Serif"_s);
}

void tst_editor::launcherOpensTheEditor() {
    RegisterEditorWindow();
    WriteIniInt(u"Vessilor"_s, u"StartUp"_s, 1, IniFile);
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
