#include "platform/qtplatform.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QTranslator>
#include <QTreeView>

namespace {

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

// The file dialog's list with its sizes and dates in Swedish form ("2024-12-06 14:05",
// "1,4 MB"), which the file model would write in the system's locale, English on a machine
// without one. With programsOnly, only folders and files that may be run are listed.
class SwedishFileList : public QSortFilterProxyModel {
public:
    SwedishFileList(bool onlyPrograms, QObject* parent)
        : QSortFilterProxyModel(parent), programsOnly(onlyPrograms) {}

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files && role == Qt::DisplayRole && (index.column() == 1 || index.column() == 3)) {
            const QModelIndex source = mapToSource(index);
            const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
            if (index.column() == 3)
                return swedish.toString(files->lastModified(source), QLocale::ShortFormat);
            if (!files->isDir(source))
                return swedish.formattedDataSize(files->size(source), 1,
                                                 QLocale::DataSizeTraditionalFormat);
        }
        return QSortFilterProxyModel::data(index, role);
    }

    // The file model sorts, folders first; this list keeps its order.
    void sort(int column, Qt::SortOrder order) override {
        if (sourceModel())
            sourceModel()->sort(column, order);
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!programsOnly || !files)
            return true;
        const QModelIndex index = files->index(row, 0, parent);
        return files->isDir(index) || files->fileInfo(index).isExecutable();
    }

private:
    bool programsOnly;
};

} // namespace

MsgAnswer QtPlatform::message(const QString& text, MsgIcon icon, MsgButtons buttons,
                              const QString& title) {
    QMessageBox box(dialogParent());
    box.setWindowTitle(title.isEmpty() ? QStringLiteral("Vessilora") : title);
    // Messages quote tags and document text: shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* cancel = nullptr;
    switch (buttons) {
    case MsgButtons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setEscapeButton(ok);
        break;
    case MsgButtons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        cancel = box.addButton(QStringLiteral("Avbryt"), QMessageBox::RejectRole);
        break;
    case MsgButtons::YesNo:
        yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&Nej"), QMessageBox::NoRole);
        box.setEscapeButton(no);
        break;
    case MsgButtons::YesNoCancel:
        yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&Nej"), QMessageBox::NoRole);
        cancel = box.addButton(QStringLiteral("Avbryt"), QMessageBox::RejectRole);
        break;
    }
    box.setDefaultButton(ok ? ok : yes);
    if (cancel)
        box.setEscapeButton(cancel);
    box.exec();
    const auto* clicked = box.clickedButton();
    if (clicked && clicked == yes)
        return MsgAnswer::Yes;
    if (clicked && clicked == no)
        return MsgAnswer::No;
    if (clicked && clicked == ok)
        return MsgAnswer::Ok;
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
}

QStringList QtPlatform::nameFilters(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // "*.*" means every file here, also those without a dot in the name.
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        if (name.contains(QLatin1Char('(')))
            result.append(name.left(name.indexOf(QLatin1Char('('))).trimmed() +
                          QStringLiteral(" (") + patterns + QLatin1Char(')'));
        else
            result.append(name + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return result;
}

void QtPlatform::prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request,
                                   bool save) {
    dialog.setWindowTitle(request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(
        save ? QFileDialog::AnyFile
             : (request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Leta i:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Filnamn:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Filformat:"));
    dialog.setLabelText(QFileDialog::Accept,
                        save ? QStringLiteral("&Spara") : QStringLiteral("&Öppna"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Avbryt"));
    // Not QDir::Executable for a program: the dialog's file model then hides every readable
    // entry, folders included, so nothing could be chosen. The list keeps folders and programs.
    dialog.setProxyModel(new SwedishFileList(request.executablesOnly, &dialog));
    if (!request.defaultExt.isEmpty())
        dialog.setDefaultSuffix(request.defaultExt);
    const QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex - 1;
        if (index >= 0 && index < filters.size())
            dialog.selectNameFilter(filters[index]);
    }
    QString folder = request.folder;
    if (folder.isEmpty() && !request.fileName.isEmpty())
        folder = QFileInfo(request.fileName).absolutePath();
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(QFileInfo(request.fileName).fileName());
    // Room for the file list's columns, which the dialog would make too narrow for a Swedish
    // date and type.
    dialog.resize(dialog.sizeHint().expandedTo(QSize(760, 480)));
    if (auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        const QFontMetrics metrics(view->font());
        const int padding = metrics.averageCharWidth() * 3;
        const std::pair<int, QString> widest[] = {{1, QStringLiteral("1 023 byte")},
                                                  {2, QStringLiteral("vanligt textdokument")},
                                                  {3, QStringLiteral("0000-00-00 00:00")}};
        for (const auto& [column, text] : widest)
            view->header()->resizeSection(column, metrics.horizontalAdvance(text) + padding);
    }
}

std::optional<FileDialogResult> QtPlatform::runFileDialog(const FileDialogRequest& request,
                                                          bool save) {
    QFileDialog dialog(dialogParent());
    prepareFileDialog(dialog, request, save);
    const QStringList filters = nameFilters(request.filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    FileDialogResult result;
    result.path = dialog.selectedFiles().constFirst();
    result.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (result.filterIndex < 1)
        result.filterIndex = 1;
    return result;
}

std::optional<FileDialogResult> QtPlatform::openFile(const FileDialogRequest& request) {
    return runFileDialog(request, false);
}

std::optional<FileDialogResult> QtPlatform::saveFile(const FileDialogRequest& request) {
    return runFileDialog(request, true);
}

void QtPlatform::prepareColourDialog(QColorDialog& dialog) {
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
        if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel))
            cancel->setText(QStringLiteral("Avbryt"));
    }
    // Qt's own text, unless a translation already gives it in Swedish.
    const QString pickEnglish = QStringLiteral("&Pick Screen Color");
    const QList<QPushButton*> pushButtons = dialog.findChildren<QPushButton*>();
    for (QPushButton* button : pushButtons) {
        if (button->text() == pickEnglish)
            button->setText(QStringLiteral("&Hämta färg från skärmen"));
    }
}

std::optional<unsigned> QtPlatform::chooseColour(unsigned rgb) {
    QColorDialog dialog(QColor::fromRgb(rgb), dialogParent());
    dialog.setWindowTitle(QStringLiteral("Färg"));
    prepareColourDialog(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QColor colour = dialog.selectedColor();
    if (!colour.isValid())
        return std::nullopt;
    return colour.rgb() & 0xFFFFFFu;
}

bool QtPlatform::startProgram(const QString& program, const QStringList& arguments) {
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, arguments);
}

QStringList QtPlatform::screenFonts() {
    return QFontDatabase::families();
}

QSize QtPlatform::screenSizeTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QSize(1024 * TwipsPerPixel, 768 * TwipsPerPixel);
    return screen->availableGeometry().size() * TwipsPerPixel;
}

void QtPlatform::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void QtPlatform::installAsDefault() {
    setDefaultPlatformFactory([]() -> Platform* { return new QtPlatform; });
    // Dates, numbers and the file types the toolkit shows (taken from the system's type
    // list in the default locale's language) in Swedish, whatever the machine's locale.
    const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
    QLocale::setDefault(swedish);
    // Debian's Swedish catalogue of Qt's own texts first, then the project's own Swedish
    // texts for what it lacks; the one installed last is asked first.
    const std::pair<QString, QString> catalogues[] = {
        {QLibraryInfo::path(QLibraryInfo::TranslationsPath), QStringLiteral("qt")},
        {QStringLiteral(":/translations"), QStringLiteral("vessilora")},
    };
    for (const auto& [folder, name] : catalogues) {
        auto* translator = new QTranslator(qApp);
        if (translator->load(swedish, name, QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}
