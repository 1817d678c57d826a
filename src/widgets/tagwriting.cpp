#include "widgets/tagwriting.h"

#include "markup/globals.h"
#include "markup/tagwriter.h"
#include "widgets/textarea.h"

#include <QPointer>
#include <QWidget>

namespace {
QPointer<QWidget> editorWindow;
QPointer<TextArea> editorText;
std::function<void(const QString&, int, int)> newDocumentHandler;
bool tagEditing = false;
std::function<QString(const QString&)> tagEditFilter;
} // namespace

void BeginTagEdit(std::function<QString(const QString&)> filter) {
    tagEditing = true;
    tagEditFilter = std::move(filter);
}

void EndTagEdit() {
    tagEditing = false;
    tagEditFilter = {};
}

bool TagEditInProgress() {
    return tagEditing;
}

void SetNewDocumentHandler(std::function<void(const QString&, int, int)> handler) {
    newDocumentHandler = std::move(handler);
}

void PutNewDocument(const QString& text, int start, int length) {
    if (newDocumentHandler)
        newDocumentHandler(text, start, length);
}

void SetEditorWindow(QWidget* window, TextArea* textArea) {
    editorWindow = window;
    editorText = textArea;
}

QWidget* EditorWindow() {
    return editorWindow.data();
}

TextArea* EditorTextArea() {
    return editorText.data();
}

void InsertTagText(const QString& text) {
    if (editorWindow)
        editorWindow->setEnabled(true);
    if (!editorText)
        return;
    QString written = text;
    if (tagEditFilter) {
        written = tagEditFilter(text);
        tagEditFilter = {}; // only the first text holds the edited tag
    }
    editorText->setFocus();
    editorText->replaceSelection(written);
    LastInsertedText = written;
}

void WrapSelection(QString& openTag, QString& closeTag) {
    if (closeTag.isEmpty())
        closeTag = openTag;
    if (!OpenTagFormatted) {
        openTag = FormatAttribute(openTag, QString(), AttrTagName).trimmed();
        closeTag = FormatAttribute(closeTag, QString(), AttrTagName).trimmed();
    }
    OpenTagFormatted = false;
    const QString selected = editorText ? editorText->selText() : QString();
    InsertTagText(QLatin1Char('<') + openTag + QLatin1Char('>') + selected + QStringLiteral("</") +
                  closeTag + QLatin1Char('>'));
}

void MoveCaretIntoHead() {
    // An edited head tag is replaced where it stands.
    if (!editorText || tagEditing)
        return;
    const QString text = editorText->text();
    const qsizetype titleEnd = text.indexOf(QLatin1String("</TITLE>"), 0, Qt::CaseInsensitive);
    const qsizetype headEnd = text.indexOf(QLatin1String("</HEAD>"), 0, Qt::CaseInsensitive);
    if (titleEnd < 0 || headEnd < 0 || headEnd + 7 < titleEnd + 8)
        return;
    // 1-based positions of the ">" of each tag.
    const qsizetype t = titleEnd + 8;
    const qsizetype h = headEnd + 7;
    const qsizetype caret = editorText->selStart();
    if (caret > t && caret < h)
        return;
    qsizetype position = t;
    if (position < text.size() && text.at(position) == QLatin1Char('\r'))
        ++position;
    if (position < text.size() && text.at(position) == QLatin1Char('\n'))
        ++position;
    editorText->setSel(static_cast<int>(position), 0);
}
