#include "guides/guidewindow.h"

#include "platform/platform.h"
#include "shell/tools.h"
#include "widgets/tagwriting.h"

#include <QCloseEvent>
#include <QWindow>

GuideWindow::GuideWindow(const QString& caption) {
    setWindowTitle(caption);
    // No parent: the editor is disabled while a guide is open, and a child window would be
    // disabled with it.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
}

bool GuideWindow::ConfirmEnd() {
    return platform().message(QStringLiteral("Är du säker på att du vill avsluta guiden?"),
                              MsgIcon::Information, MsgButtons::YesNoCancel) == MsgAnswer::Yes;
}

void GuideWindow::showOverEditor() {
    if (!testAttribute(Qt::WA_Resized))
        adjustSize(); // the size is needed for the place before the first showing
    QWidget* editor = EditorWindow();
    if (editor) {
        editor->setEnabled(false);
        const QRect frame = editor->window()->frameGeometry();
        move(frame.left() + (frame.width() - width()) / 2,
             frame.top() + (frame.height() - height()) / 2);
        // Keeps the guide in front of the editor it writes into.
        if (QWindow* editorHandle = editor->window()->windowHandle()) {
            winId();
            if (QWindow* handle = windowHandle())
                handle->setTransientParent(editorHandle);
        }
    }
    show();
    activateWindow();
}

void GuideWindow::hideQuietly() {
    QDialog::hide();
}

void GuideWindow::reject() {
    cmdCancel_Click();
}

void GuideWindow::closeEvent(QCloseEvent* event) {
    // The guide decides itself whether it ends; a window it ends is hidden or deleted, never
    // closed, so every close that arrives here is the user's.
    event->ignore();
    cmdCancel_Click();
}

void GuideWindow::GiveEditorBack() {
    if (QWidget* editor = EditorWindow()) {
        editor->setEnabled(true);
        editor->window()->activateWindow();
    }
}

void GuideWindow::ShowColourPicker() {
    if (QWidget* picker = ToolWindow(Tool::ColourPicker)) {
        picker->show();
        picker->raise();
        picker->activateWindow();
    }
}
