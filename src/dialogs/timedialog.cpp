#include "dialogs/timedialog.h"

#include "widgets/dialogregistry.h"

#include <QDateTime>
#include <QLabel>
#include <QListWidget>
#include <QLocale>

namespace {

// The formats of the list, in the order shown. "/" and ":" stand for the locale's date and
// time separators; "H" is the hour without a leading zero.
struct TimeFormat {
    const char* format;
    bool shortHourOnly;
};
constexpr char ShortDate[] = "short date";
constexpr TimeFormat TimeFormats[] = {
    {ShortDate, false},         {"HH:mm:ss", false},     {"M/d/yy", false},
    {"d-MMMM-yy", false},       {"d-MMMM", false},       {"MMMM-yy", false},
    {"d-MMM-yy", false},        {"d-MMM", false},        {"MMM-yy", false},
    {"HH:mm d-MMMM-yy", false}, {"HH:mm d-MMMM", false}, {"HH:mm MMMM-yy", false},
    {"HH:mm d-MMM-yy", false},  {"HH:mm d-MMM", false},  {"HH:mm MMM-yy", false},
    {"H:mm d-MMMM-yy", true},   {"H:mm d-MMMM", true},   {"H:mm MMMM-yy", true},
    {"H:mm d-MMM-yy", true},    {"H:mm d-MMM", true},    {"H:mm MMM-yy", true},
    {"HH:mm", false},           {"H:mm", true},          {"M/d/yy H:mm", false}};

// The first character of a locale's date or time format that separates two of its fields.
QChar separatorIn(const QString& format, QChar fallback) {
    for (const QChar c : format) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('\'') && c != QLatin1Char(' '))
            return c;
    }
    return fallback;
}

} // namespace

QStringList TimeEntries(const QDateTime& now) {
    const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
    const QChar dateSeparator =
        separatorIn(swedish.dateFormat(QLocale::ShortFormat), QLatin1Char('-'));
    const QChar timeSeparator =
        separatorIn(swedish.timeFormat(QLocale::ShortFormat), QLatin1Char(':'));
    const bool shortHour = now.time().hour() < 10;
    QStringList entries;
    for (const TimeFormat& entry : TimeFormats) {
        if (entry.shortHourOnly && !shortHour)
            continue;
        const QString format = QLatin1String(entry.format);
        if (format == QLatin1String(ShortDate)) {
            entries.append(swedish.toString(now.date(), QLocale::ShortFormat));
            continue;
        }
        QString localFormat = format;
        localFormat.replace(QLatin1Char('/'), dateSeparator)
            .replace(QLatin1Char(':'), timeSeparator);
        entries.append(swedish.toString(now, localFormat));
    }
    return entries;
}

frmInTid::frmInTid() : TagDialog(QStringLiteral("Infoga tid")) {
    busyWhileWriting = true;
    unloadWhenHidden = true;
    lstTid = addListBox("lstTid", QStringLiteral("&Tidsformat:"));
    lblTidformat = nameLabel(lstTid, "lblTidformat");
    // The dialog is built at every opening, so the list shows the time of the opening. It is
    // filled here rather than when loaded so that it is tall enough for all its lines.
    lstTid->addItems(TimeEntries(QDateTime::currentDateTime()));
    lstTid->setCurrentRow(-1);
    lstTid->setMinimumHeight(lstTid->sizeHintForRow(0) * lstTid->count() +
                             2 * lstTid->frameWidth());
}

void frmInTid::writeTag() {
    // Only a chosen line is written; without one, OK gives up as Avbryt does.
    const QList<QListWidgetItem*> chosen = lstTid->selectedItems();
    if (chosen.isEmpty())
        return;
    InsertTagText(chosen.first()->text());
}

void RegisterTimeDialog() {
    RegisterTagDialog(QStringLiteral("mnuInTid"), [] { openTagDialog<frmInTid>(); });
}
