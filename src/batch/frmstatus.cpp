#include "batch/frmstatus.h"

#include "markup/globals.h"
#include "platform/platform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

// How often the log reaches the text box while the run goes on.
constexpr qint64 FlushMilliseconds = 100;

} // namespace

frmStatus::frmStatus(QWidget* owner) : BatchDialog(owner, QStringLiteral("Bearbetning pågår...")) {
    setObjectName(QStringLiteral("frmStatus"));
    txtStatus = new QPlainTextEdit(this);
    txtStatus->setObjectName(QStringLiteral("txtStatus"));
    txtStatus->setReadOnly(true);
    txtStatus->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtStatus->setUndoRedoEnabled(false);
    txtStatus->setMinimumSize(520, 300);
    lblData = new QLabel(QStringLiteral("&Meddelanden:"), this);
    lblData->setObjectName(QStringLiteral("lblData"));
    lblData->setBuddy(txtStatus);
    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));
    prgCount = new QProgressBar(this);
    prgCount->setObjectName(QStringLiteral("prgCount"));
    prgCount->setTextVisible(false);
    prgCount->setRange(0, 0);
    cmdPaus = new QPushButton(QStringLiteral("&Paus"), this);
    cmdPaus->setObjectName(QStringLiteral("cmdPaus"));
    cmdCancel = new QPushButton(QStringLiteral("&Avbryt"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // The buttons are there to be pressed while the run keeps the pointer busy.
    setCursor(Qt::WaitCursor);
    cmdPaus->setCursor(Qt::ArrowCursor);
    cmdCancel->setCursor(Qt::ArrowCursor);

    auto* count = new QHBoxLayout;
    count->addWidget(lblCount);
    count->addWidget(prgCount, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdPaus);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblData);
    layout->addWidget(txtStatus, 1);
    layout->addLayout(count);
    layout->addLayout(buttons);
    resize(640, 420);

    connect(cmdPaus, &QPushButton::clicked, this, &frmStatus::cmdPaus_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmStatus::cmdCancel_Click);
    m_sinceFlush.start();
}

void frmStatus::AppendStatus(const QString& text, int breaks) {
    m_pending += text;
    m_log += text;
    for (int i = 0; i < breaks; ++i) {
        m_pending += QLatin1Char('\n');
        m_log += QLatin1String("\r\n");
    }
}

QString frmStatus::logText() const {
    return m_log;
}

void frmStatus::flushLog() {
    m_sinceFlush.restart();
    paintCount();
    if (m_pending.isEmpty())
        return;
    QTextCursor end(txtStatus->document());
    end.movePosition(QTextCursor::End);
    end.insertText(m_pending);
    m_pending.clear();
    txtStatus->verticalScrollBar()->setValue(txtStatus->verticalScrollBar()->maximum());
}

void frmStatus::showCount(int done, int total) {
    m_done = done;
    m_total = total;
    // The count is shown at once when the run starts and ends, otherwise with the log.
    if (done == 0 || done == total)
        paintCount();
}

void frmStatus::paintCount() {
    const QString text = QStringLiteral("Klara filer: %1 av %2").arg(m_done).arg(m_total);
    if (lblCount->text() == text)
        return;
    lblCount->setText(text);
    prgCount->setRange(0, qMax(m_total, 1));
    prgCount->setValue(m_done);
}

void frmStatus::checkPoint() {
    if (m_sinceFlush.elapsed() >= FlushMilliseconds)
        flushLog();
    QCoreApplication::processEvents();
}

void frmStatus::runEnded() {
    m_running = false;
    flushLog();
    unsetCursor();
    setWindowTitle(QStringLiteral("Förändringar genomförda"));
    cmdPaus->setText(QStringLiteral("&Stäng"));
    cmdCancel->setEnabled(false);
    cmdPaus->setFocus();
    if (m_closeWhenStopped)
        close();
}

void frmStatus::cmdPaus_Click() {
    if (!m_running) {
        close();
        return;
    }
    flushLog();
    // The run stands still while the box is open: it was opened from the run's own check point.
    platform().message(QStringLiteral("Klicka OK för att fortsätta."), MsgIcon::Information,
                       MsgButtons::Ok, QStringLiteral("Paus"));
}

void frmStatus::cmdCancel_Click() {
    if (!m_running)
        return;
    flushLog();
    const MsgAnswer answer =
        platform().message(QStringLiteral("Är du säker på att du vill avbryta?"), MsgIcon::Question,
                           MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::Yes)
        CancelRequested = true;
}

void frmStatus::closeEvent(QCloseEvent* event) {
    if (!m_running) {
        BatchDialog::closeEvent(event);
        return;
    }
    // The run is still going: the window may only close once it has stopped.
    event->ignore();
    if (!CancelRequested)
        cmdCancel_Click();
    m_closeWhenStopped = CancelRequested;
}
