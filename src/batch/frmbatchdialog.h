#pragma once
// The windows the batch window opens (the search-and-replace list, the two option dialogs and
// the progress window) share one behaviour: each centres itself over the batch window and
// disables it while it is open, and when it closes, by any route, the batch window is enabled
// again and told so (it then refreshes its summary). Each is made anew when it opens and
// deleted when it has closed.

#include <QDialog>
#include <QPointer>

class BatchDialog : public QDialog {
    Q_OBJECT
public:
    // owner is the batch window; the dialog has no parent, because a child window would be
    // disabled together with it.
    BatchDialog(QWidget* owner, const QString& caption);

    // Centres the dialog over the batch window, disables that and shows the dialog.
    void open() override;

signals:
    // The dialog has closed; the batch window is enabled again.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    QWidget* owner() const { return m_owner; }

private:
    void finish();
    QPointer<QWidget> m_owner;
    bool m_finished = false;
};
