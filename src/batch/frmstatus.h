#pragma once
// The progress window of a batch run, "Bearbetning pågår...": the log of every step, how many
// files of how many are done, and the buttons that pause ("&Paus") and cancel ("&Avbryt") the
// run. When the run has ended the title reads "Förändringar genomförda" and "&Stäng" closes
// the window. The close box (and Escape) while the run goes on asks the cancel question; the
// window closes only after the run has stopped.
//
// The run calls checkPoint() where it may process window events; the log reaches the text box
// there, a few times a second at most, so a log of a hundred thousand lines stays fast.

#include "batch/frmbatchdialog.h"

#include <QElapsedTimer>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

class frmStatus : public BatchDialog {
    Q_OBJECT
public:
    explicit frmStatus(QWidget* owner);

    // Appends the text and then that many line breaks (0..2) to the log, which keeps its last
    // line in view.
    void AppendStatus(const QString& text, int breaks);
    // The whole log as it stands, line breaks as CR LF.
    QString logText() const;
    // Files done of all the run takes; shown with the log.
    void showCount(int done, int total);
    // Puts the pending log into the text box when it is due, then processes window events.
    void checkPoint();
    // The run has ended: the title, "&Stäng", "&Avbryt" disabled, the normal pointer.
    void runEnded();
    bool isRunning() const { return m_running; }

    void cmdPaus_Click();
    void cmdCancel_Click();

    QLabel* lblData;
    QPlainTextEdit* txtStatus;
    QLabel* lblCount;
    QProgressBar* prgCount;
    QPushButton* cmdPaus;
    QPushButton* cmdCancel;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void flushLog();
    void paintCount();

    bool m_running = true;
    bool m_closeWhenStopped = false;
    QString m_pending; // log text not yet in the text box
    QString m_log;     // the whole log
    QElapsedTimer m_sinceFlush;
    int m_done = 0;
    int m_total = 0;
};
