#pragma once
// The date and time dialog of the editor's Insert menu: the current date and time in a list
// of fixed formats; the chosen line goes into the page as plain text.

#include "dialogs/tagdialog.h"

#include <QStringList>

class QDateTime;
class QLabel;
class QListWidget;

// The moment written in each format of the list, in Swedish (month names, the short date,
// the date and time separators): dates, times and both together. The forms with a one-digit
// hour ("9:05") are listed only when the hour is below 10, where they differ from "09:05".
QStringList TimeEntries(const QDateTime& now);

// "Infoga tid". Built afresh at every opening (the list shows the time of the opening) and
// destroyed by OK and Avbryt. OK or a double click inserts the chosen line; OK with no line
// chosen writes nothing.
class frmInTid : public TagDialog {
    Q_OBJECT
public:
    frmInTid();
    QListWidget* lstTid;
    QLabel* lblTidformat;

protected:
    void writeTag() override;
};

// Registers "mnuInTid".
void RegisterTimeDialog();
