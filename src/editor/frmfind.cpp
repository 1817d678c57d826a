#include "editor/frmfind.h"

#include "markup/find.h"
#include "platform/platform.h"
#include "widgets/tagwriting.h"
#include "widgets/textarea.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {
QPointer<frmFind> findWindow;
} // namespace

frmFind::frmFind(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Sök"));
    setModal(false);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMinimumWidth(260);
    chkCase = new QCheckBox(QStringLiteral("&Matcha gemener/VERSALER"), this);
    chkCase->setObjectName(QStringLiteral("chkCase"));
    cmdFind = new QPushButton(QStringLiteral("&Sök"), this);
    cmdFind->setObjectName(QStringLiteral("cmdFind"));
    cmdFind->setDefault(true);
    cmdcancel = new QPushButton(QStringLiteral("&Avbryt"), this);
    cmdcancel->setObjectName(QStringLiteral("cmdcancel"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(Text1, 0, 0);
    layout->addWidget(chkCase, 1, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdFind);
    buttons->addWidget(cmdcancel);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 1, 3, 1);
    layout->setRowStretch(2, 1);

    connect(Text1, &QLineEdit::textChanged, this, &frmFind::Text1_Change);
    connect(cmdFind, &QPushButton::clicked, this, &frmFind::cmdFind_Click);
    connect(cmdcancel, &QPushButton::clicked, this, &frmFind::cmdcancel_Click);
    Text1->installEventFilter(this);
    Text1_Change();
    adjustSize();
}

void frmFind::Form_Load() {
    QWidget* editor = EditorWindow();
    if (!editor)
        return;
    // Stays above the editor like a dialog of it, though the editor is disabled meanwhile.
    if (editor->windowHandle()) {
        winId();
        if (windowHandle())
            windowHandle()->setTransientParent(editor->windowHandle());
    }
    const QRect over = editor->frameGeometry();
    const QSize own = frameGeometry().size();
    move(over.left() + (over.width() - own.width()) / 2,
         over.top() + (over.height() - own.height()) / 2);
}

void frmFind::showOverEditor() {
    if (!m_loaded && EditorWindow()) {
        Form_Load();
        m_loaded = true;
    }
    if (QWidget* editor = EditorWindow())
        editor->setEnabled(false);
    show();
    raise();
    activateWindow();
    Text1->setFocus();
    Text1->selectAll();
}

void frmFind::Text1_Change() {
    cmdFind->setEnabled(!Text1->text().trimmed().isEmpty());
}

void frmFind::cmdFind_Click() {
    if (cmdFind->isEnabled())
        FindNext();
}

void frmFind::cmdcancel_Click() {
    if (QWidget* editor = EditorWindow()) {
        editor->setEnabled(true);
        editor->activateWindow();
    }
    hide();
    // Disabling the editor took the focus from its text; without this it would land on the
    // file list, where the next arrow key opens another file.
    if (TextArea* area = EditorTextArea())
        area->setFocus();
}

void frmFind::closeEvent(QCloseEvent* event) {
    event->ignore();
    cmdcancel_Click();
}

void frmFind::reject() {
    cmdcancel_Click();
}

bool frmFind::eventFilter(QObject* watched, QEvent* event) {
    // The whole search text is selected when the field gets the focus, also by a click.
    if (watched == Text1 && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, Text1, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

frmFind& FindWindow() {
    if (!findWindow)
        findWindow = new frmFind;
    return *findWindow;
}

frmFind* ExistingFindWindow() {
    return findWindow.data();
}

void FindNext() {
    frmFind& window = FindWindow();
    TextArea* area = EditorTextArea();
    const QString typed = window.Text1->text();
    QString pattern = typed;
    ExpandEscapes(pattern);
    if (!area || pattern.isEmpty())
        return;
    const qsizetype start = area->selStart() + area->selLength();
    const qsizetype found = FindInText(area->text(), pattern, start, window.chkCase->isChecked());
    if (found < 0) {
        platform().message(QStringLiteral("Det går inte att hitta \"") + typed +
                               QStringLiteral("\"."),
                           MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    area->setSel(static_cast<int>(found), static_cast<int>(pattern.size()));
    if (QWidget* editor = EditorWindow()) {
        editor->setEnabled(true);
        editor->activateWindow();
    }
    window.hide();
    area->setFocus();
}
