#include "cli/arguments.h"

#include "filecopy/filecopycore.h"
#include "platform/folders.h"

#include <algorithm>
#include <functional>

namespace {

// One option: its name, whether a value follows it, and what it sets (an error text when
// the value cannot be used).
struct Option {
    QString name;
    bool takesValue = false;
    std::function<QString(const QString& value)> apply;
};

Option flag(const char* name, bool& target) {
    return {QString::fromLatin1(name), false, [&target](const QString&) {
                target = true;
                return QString();
            }};
}

Option valued(const char* name, std::function<QString(const QString& value)> apply) {
    return {QString::fromLatin1(name), true, std::move(apply)};
}

QString checkedPattern(const QString& value, QString& target) {
    if (!FilePattern(value).isValid())
        return QStringLiteral("Filmönstret kan inte användas: ") + value;
    target = value;
    return QString();
}

QString readLineBreaks(const QString& value, std::optional<int>& target) {
    const QString style = value.toLower();
    if (style == QLatin1String("crlf"))
        target = 1;
    else if (style == QLatin1String("cr"))
        target = 2;
    else if (style == QLatin1String("lf"))
        target = 3;
    else
        return QStringLiteral("Okänd radbrytning: ") + value +
               QStringLiteral(" (välj crlf, cr eller lf).");
    return QString();
}

QString readChecks(const QString& value, std::optional<QStringList>& target) {
    static const QStringList known = {QStringLiteral("brackets"), QStringLiteral("quotes"),
                                      QStringLiteral("standard")};
    QStringList checks;
    for (const QString& part : value.split(u',')) {
        const QString name = part.trimmed().toLower();
        if (!known.contains(name))
            return QStringLiteral("Okänd kontroll: ") + part.trimmed() +
                   QStringLiteral(" (välj bland brackets, quotes och standard).");
        checks.append(name);
    }
    target = checks;
    return QString();
}

QString readSince(const QString& value, std::optional<QDateTime>& target) {
    const QStringList parts = value.simplified().split(u' ');
    const std::optional<QDate> date = ReadCopyDate(parts.value(0));
    if (!date || parts.size() > 2)
        return QStringLiteral("Skriv datumet som år-månad-dag, till exempel 2002-03-01.");
    std::optional<QTime> time = QTime(0, 0);
    if (parts.size() == 2)
        time = ReadCopyTime(parts[1]);
    if (!time)
        return QStringLiteral(
            "Skriv klockslaget som timmar:minuter:sekunder, till exempel 09:00:00.");
    target = QDateTime(*date, *time);
    return QString();
}

// Reads the options and the plain arguments of one command.
QString readOptions(const QStringList& arguments, const QList<Option>& options,
                    QStringList& plain) {
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(u'-') || argument == QLatin1String("-")) {
            plain.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = equals < 0 ? argument : argument.left(equals);
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&name](const Option& o) { return o.name == name; });
        if (option == options.end())
            return QStringLiteral("Okänt val: ") + name;
        QString value;
        if (option->takesValue) {
            if (equals >= 0)
                value = argument.mid(equals + 1);
            else if (i + 1 < arguments.size())
                value = arguments[++i];
            else
                return QStringLiteral("Värde saknas efter ") + name + QLatin1Char('.');
        } else if (equals >= 0) {
            return QStringLiteral("Valet ") + name + QStringLiteral(" tar inget värde.");
        }
        const QString error = option->apply(value);
        if (!error.isEmpty())
            return error;
    }
    return QString();
}

QList<Option> commonOptions(CommonOptions& common) {
    return {flag("--quiet", common.quiet), flag("--dry-run", common.dryRun)};
}

QString readBatch(const QStringList& arguments, BatchCommand& batch) {
    QList<Option> options = commonOptions(batch.common);
    options << flag("--subfolders", batch.subfolders)
            << valued("--pattern",
                      [&batch](const QString& v) { return checkedPattern(v, batch.pattern); })
            << valued("--replace-list",
                      [&batch](const QString& v) {
                          batch.replaceList = v;
                          return QString();
                      })
            << flag("--match-case", batch.matchCase) << flag("--convert", batch.convert)
            << valued(
                   "--linebreaks",
                   [&batch](const QString& v) { return readLineBreaks(v, batch.lineBreakStyle); })
            << flag("--compress", batch.compress)
            << valued("--check", [&batch](const QString& v) { return readChecks(v, batch.checks); })
            << valued("--backup",
                      [&batch](const QString& v) {
                          batch.backupExtension = v;
                          return QString();
                      })
            << flag("--fail-on-errors", batch.failOnErrors);
    QStringList plain;
    if (QString error = readOptions(arguments, options, plain); !error.isEmpty())
        return error;
    if (plain.isEmpty())
        return QStringLiteral("Ange mappen som ska bearbetas.");
    if (plain.size() > 1)
        return QStringLiteral("För många argument: ") + plain.mid(1).join(u' ');
    batch.folder = plain.front();
    return QString();
}

QString readCopy(const QStringList& arguments, CopyCommand& copy) {
    QList<Option> options = commonOptions(copy.common);
    options << flag("--subfolders", copy.subfolders)
            << valued("--since", [&copy](const QString& v) { return readSince(v, copy.since); })
            << valued("--pattern",
                      [&copy](const QString& v) { return checkedPattern(v, copy.pattern); })
            << flag("--compress-html", copy.compressHtml);
    QStringList plain;
    if (QString error = readOptions(arguments, options, plain); !error.isEmpty())
        return error;
    if (plain.size() < 2)
        return QStringLiteral("Ange källmappen och målmappen.");
    if (plain.size() > 2)
        return QStringLiteral("För många argument: ") + plain.mid(2).join(u' ');
    copy.source = plain[0];
    copy.target = plain[1];
    return QString();
}

} // namespace

bool WantsCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty())
        return false;
    const QString& first = arguments.front();
    const bool qtOption = first.size() > 1 && first[0] == u'-' && first[1] != u'-' &&
                          first != QLatin1String("-h") && first != QLatin1String("-V");
    return !qtOption;
}

ParsedArguments ParseArguments(const QStringList& arguments) {
    ParsedArguments parsed;
    const QString command = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        parsed.kind = ParsedArguments::Kind::Help;
    } else if (command == QLatin1String("--version") || command == QLatin1String("-V")) {
        parsed.kind = ParsedArguments::Kind::Version;
    } else if (command == QLatin1String("batch")) {
        parsed.kind = ParsedArguments::Kind::Batch;
        parsed.error = readBatch(rest, parsed.batch);
    } else if (command == QLatin1String("copy")) {
        parsed.kind = ParsedArguments::Kind::Copy;
        parsed.error = readCopy(rest, parsed.copy);
    } else {
        parsed.error = QStringLiteral("Okänt kommando: ") + command;
    }
    // --help anywhere asks for the usage text.
    if (rest.contains(QStringLiteral("--help")) || rest.contains(QStringLiteral("-h")))
        parsed.kind = ParsedArguments::Kind::Help;
    else if (!parsed.error.isEmpty())
        parsed.kind = ParsedArguments::Kind::Error;
    return parsed;
}

QString UsageText() {
    return QString::fromUtf8(R"(Användning:
  vessilora                        startar Vessilora med fönster
  vessilora batch MAPP [val]       bearbetar filerna i MAPP som "Bearbeta filer"
  vessilora copy KÄLLA MÅL [val]   kopierar filerna i KÄLLA till MÅL som "Kopiera filer"
  vessilora --version              visar versionen
  vessilora --help                 visar den här texten

Val för batch:
  --subfolders              tar även filerna i alla mappar under MAPP
  --pattern "*.htm*;*.txt"  filerna som tas (utan valet "*.htm*")
  --replace-list FIL        söker och ersätter med paren i FIL: ett par per rad, söktext
                            och ersättning åtskilda av en tabb, \n, \t och \\ som i
                            sökfönstret
  --match-case              matchar gemener/VERSALER vid sök och ersätt
  --convert                 konverterar till HTML-koder (å blir &aring;)
  --linebreaks crlf|cr|lf   skriver om radbrytningarna
  --compress                komprimerar rader (och skriver om radbrytningarna: crlf om
                            inte --linebreaks säger annat)
  --check brackets,quotes,standard
                            söker fel på taggar, citatsfel och standardtaggar
  --backup FILTILLÄGG       gör backup av varje fil med det filtillägget
  --fail-on-errors          fel som kontrollerna hittar gör att körningen misslyckas
  --dry-run                 provkörning: visar vilka filer som skulle ändras och hur
                            många ersättningar, skriver ingenting
  Utan --replace-list, --convert, --linebreaks, --compress och --check görs det som
  "Bearbeta filer" sparade i vessilor.ini (utom sök och ersätt, vars lista inte
  sparas); --backup ändrar då backupen.

Val för copy:
  --subfolders              kopierar även mapparna under KÄLLA
  --since "åååå-mm-dd tt:mm:ss"
                            bara filer ändrade vid eller efter den tidpunkten
  --pattern "*.htm*"        bara filer som matchar (utan valet "*.*")
  --compress-html           ger HTML-filerna radbrytningen LF
  --dry-run                 provkörning: visar vilka filer som skulle kopieras, skriver
                            ingenting

För båda:
  --quiet                   skriver ingen logg, ingen sammanfattning och ingen förloppsrad

Loggen skrivs på standard ut, en förloppsrad på standard fel när det är en terminal.
Slutstatus: 0 när alla filer lyckades, 1 när någon fil misslyckades (de listas sist
på standard fel), 2 vid felaktiga argument, 130 när körningen avbröts med Ctrl+C.
)");
}
