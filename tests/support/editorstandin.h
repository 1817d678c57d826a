#pragma once
// An editor stand-in for the windows that work on the editor's text without the editor
// itself: a window whose text area is registered as the editor, with the program-wide state
// and the platform double as at program start.

#include "markup/globals.h"
#include "testsupport.h"
#include "widgets/tagwriting.h"
#include "widgets/textarea.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

class EditorStandIn {
public:
    EditorStandIn() : window(new QWidget), area(new TextArea(window)) {
        ResetProgramState();
        (new QVBoxLayout(window))->addWidget(area);
        window->setGeometry(100, 50, 800, 600);
        SetEditorWindow(window, area);
    }
    ~EditorStandIn() {
        SetEditorWindow(nullptr, nullptr);
        delete window;
    }
    EditorStandIn(const EditorStandIn&) = delete;
    EditorStandIn& operator=(const EditorStandIn&) = delete;

    // Puts text into the area; "[" and "]" mark the selection and are removed.
    void set(QString text) const {
        const auto start = text.indexOf(u'[');
        const auto end = text.indexOf(u']');
        text.remove(u'[').remove(u']');
        area->setWholeText(text);
        if (start >= 0 && end > start)
            area->setSel(int(start), int(end - start - 1));
    }
    // Shows the window and makes it the active one.
    void activate() const {
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qWarning("the editor stand-in did not become active");
    }
    FakePlatform& fake() { return scope.fake; }

    FakePlatformScope scope;
    QWidget* window;
    TextArea* area;
};

// Sets the controls of a window by name, as the user does: "txtBredd=50;chkProcent=1;
// cmbTyp=#2;optGet=1": texts of fields and combo boxes ("#n" chooses list entry n), check and
// option buttons 1 or 0.
inline void SetFields(QWidget* window, const QString& fields) {
    for (const QString& field : fields.split(u';', Qt::SkipEmptyParts)) {
        const QString name = field.section(u'=', 0, 0);
        const QString value = field.section(u'=', 1);
        QObject* control = window->findChild<QObject*>(name);
        QVERIFY2(control, qPrintable(name));
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            if (value.startsWith(u'#'))
                combo->setCurrentIndex(value.mid(1).toInt());
            else
                combo->setEditText(value);
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(value);
        } else if (auto* box = qobject_cast<QAbstractButton*>(control)) {
            box->setChecked(value == u"1");
        }
    }
}
