#include "batch/frmbatchdialog.h"

#include <QCloseEvent>
#include <QWindow>

BatchDialog::BatchDialog(QWidget* owner, const QString& caption) : m_owner(owner) {
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
}

void BatchDialog::open() {
    adjustSize();
    if (m_owner) {
        const QRect frame = m_owner->frameGeometry();
        move(frame.left() + (frame.width() - width()) / 2,
             frame.top() + (frame.height() - height()) / 2);
        m_owner->setEnabled(false);
        // Keeps the dialog in front of the batch window.
        if (QWindow* ownerHandle = m_owner->windowHandle()) {
            winId();
            if (QWindow* handle = windowHandle())
                handle->setTransientParent(ownerHandle);
        }
    }
    show();
    raise();
    activateWindow();
}

void BatchDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    finish();
}

void BatchDialog::reject() {
    // Escape closes the dialog as its close box does.
    close();
}

void BatchDialog::finish() {
    if (m_finished)
        return;
    m_finished = true;
    if (m_owner) {
        m_owner->setEnabled(true);
        m_owner->activateWindow();
    }
    emit closed();
}
