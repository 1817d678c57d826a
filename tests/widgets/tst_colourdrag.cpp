// Dragging a colour: the mime data the picker offers and how colour fields take a drop.

#include "widgets/colourdrag.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QtTest>

namespace {

QMimeData* plainText(const QString& text) {
    auto* mime = new QMimeData;
    mime->setText(text);
    return mime;
}

// Sends a drag entering and a drop onto target; true when the drop was taken.
bool dropOn(QWidget* target, const QMimeData* mime, bool* entered = nullptr) {
    const QPoint point(2, 2);
    QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (entered)
        *entered = enter.isAccepted();
    QDropEvent drop(QPointF(point), Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton,
                    Qt::NoModifier);
    drop.setAccepted(false);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
}

} // namespace

class tst_colourdrag : public QObject {
    Q_OBJECT
private slots:
    void mimeDataCarriesBothTypes();
    void colourFromMime_data();
    void colourFromMime();
    void lineEditTakesTheWholeColour();
    void comboBoxTakesTheColour();
    void otherWidgetsOnlyReport();
};

void tst_colourdrag::mimeDataCarriesBothTypes() {
    std::unique_ptr<QMimeData> mime(ColourMimeData(QStringLiteral("#FF9900")));
    QVERIFY(mime->hasText());
    QCOMPARE(mime->text(), QStringLiteral("#FF9900"));
    QVERIFY(mime->hasFormat(QStringLiteral("application/x-vessilora-colour")));
    QCOMPARE(mime->data(QLatin1String(ColourMimeType)), QByteArray("#FF9900"));
    QVERIFY(!ColourFromMime(nullptr));
}

void tst_colourdrag::colourFromMime_data() {
    QTest::addColumn<QString>("own");    // the program's own type; null for none
    QTest::addColumn<QString>("plain");  // text/plain; null for none
    QTest::addColumn<QString>("colour"); // null for no colour
    auto row = [](const char* name, const char* own, const char* plain, const char* colour) {
        QTest::newRow(name) << QString::fromUtf8(own) << QString::fromUtf8(plain)
                            << QString::fromUtf8(colour);
    };
    row("own type wins", "#0000FF", "something else", "#0000FF");
    row("own type only", "NAVY", nullptr, "NAVY");
    row("plain text only", nullptr, "#ABCDEF", "#ABCDEF");
    row("plain text trimmed", nullptr, "  red\t", "red");
    row("empty text", nullptr, "", nullptr);
    row("blank text", nullptr, "   ", nullptr);
    row("several lines", nullptr, "#FF0000\r\n#00FF00", nullptr);
    row("line break at the end", nullptr, "#FF0000\n", "#FF0000");
    row("neither", nullptr, nullptr, nullptr);
}

void tst_colourdrag::colourFromMime() {
    QFETCH(QString, own);
    QFETCH(QString, plain);
    QFETCH(QString, colour);
    QMimeData mime;
    if (!own.isNull())
        mime.setData(QLatin1String(ColourMimeType), own.toUtf8());
    if (!plain.isNull())
        mime.setText(plain);
    const std::optional<QString> found = ColourFromMime(&mime);
    if (colour.isNull())
        QVERIFY(!found);
    else
        QCOMPARE(found, std::optional<QString>(colour));
}

void tst_colourdrag::lineEditTakesTheWholeColour() {
    QLineEdit field(QStringLiteral("#000000"));
    QStringList reported;
    AcceptColourDrops(&field, [&](const QString& colour) { reported << colour; });
    std::unique_ptr<QMimeData> mime(ColourMimeData(QStringLiteral("#0000FF")));
    bool entered = false;
    QVERIFY(dropOn(&field, mime.get(), &entered));
    QVERIFY(entered);
    QCOMPARE(field.text(), QStringLiteral("#0000FF"));
    QCOMPARE(reported, QStringList{QStringLiteral("#0000FF")});
}

void tst_colourdrag::comboBoxTakesTheColour() {
    QComboBox field;
    field.setEditable(true);
    field.addItems({QStringLiteral("BLACK"), QStringLiteral("NAVY")});
    AcceptColourDrops(&field);
    QVERIFY(field.acceptDrops());
    std::unique_ptr<QMimeData> mime(plainText(QStringLiteral("#FF9900")));
    // The drop lands on the line edit inside the combo box.
    QVERIFY(dropOn(field.lineEdit(), mime.get()));
    QCOMPARE(field.currentText(), QStringLiteral("#FF9900"));
    std::unique_ptr<QMimeData> named(ColourMimeData(QStringLiteral("NAVY")));
    QVERIFY(dropOn(&field, named.get()));
    QCOMPARE(field.currentText(), QStringLiteral("NAVY"));
}

void tst_colourdrag::otherWidgetsOnlyReport() {
    QLabel preview(QStringLiteral("Text"));
    QStringList reported;
    AcceptColourDrops(&preview, [&](const QString& colour) { reported << colour; });
    std::unique_ptr<QMimeData> mime(ColourMimeData(QStringLiteral("#00FF00")));
    QVERIFY(dropOn(&preview, mime.get()));
    QCOMPARE(reported, QStringList{QStringLiteral("#00FF00")});
    QCOMPARE(preview.text(), QStringLiteral("Text"));
    // Data without a colour is refused and left to the widget.
    QMimeData empty;
    bool entered = true;
    QVERIFY(!dropOn(&preview, &empty, &entered));
    QVERIFY(!entered);
    QCOMPARE(reported.size(), 1);
}

QTEST_MAIN(tst_colourdrag)
#include "tst_colourdrag.moc"
