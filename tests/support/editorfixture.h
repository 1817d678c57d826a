#pragma once
// Editor tests: the platform double, a fresh program folder, a folder of documents that the
// file panes show, and the real editor window, driven the way the user drives it.

#include "editor/frmeditor.h"
#include "editor/frmfind.h"
#include "markup/globals.h"
#include "shell/tools.h"
#include "testsupport.h"
#include "widgets/dialogregistry.h"
#include "widgets/filepanes.h"
#include "widgets/textarea.h"

#include <QAction>
#include <QtTest>

class EditorFixture {
public:
    EditorFixture() {
        StartFolder = docs.path();
        ClearTagDialogs();
    }
    ~EditorFixture() {
        delete editor;
        delete ExistingFindWindow();
        ResetTools();
        ClearTagDialogs();
        EndProgram = nullptr;
    }
    // Shows a new editor window; an active one receives the menus' shortcuts.
    frmEditor* open(bool active = false) {
        editor = new frmEditor;
        editor->show();
        if (active) {
            editor->activateWindow();
            if (!QTest::qWaitForWindowActive(editor))
                qWarning("the editor did not become active");
        }
        return editor;
    }
    FakePlatform& fake() { return scope.fake; }
    QString doc(const QString& name) const { return docs.file(name); }
    TextArea* area() const { return editor->txtText; }
    QString text() const { return editor->txtText->text(); }
    // The text with start/length selected, not counted as a change.
    void set(const QString& newText, int start = 0, int length = 0) {
        area()->setWholeText(newText);
        area()->setSel(start, length);
        DocumentChanged = false;
    }
    void type(const QString& typed) {
        area()->setFocus();
        area()->replaceSelection(typed);
    }
    void trigger(const QString& menuItem) { editor->menuItem(menuItem)->trigger(); }
    // Clicks the file in the file list, as the user does.
    void click(const QString& name) {
        editor->Filer->refresh();
        const auto found = editor->Filer->findItems(name, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        editor->Filer->setListIndex(editor->Filer->row(found.first()));
    }

    FakePlatformScope scope;
    TestProgramFolder folder;
    TestTree docs;
    frmEditor* editor = nullptr;
};
