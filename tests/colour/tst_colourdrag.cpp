// Dragging a colour: the mime data the picker offers and how colour fields take a drop.

#include "colour/colourdrag.h"
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
    void noData();
    void lineEditTakesTheWholeColour();
    void comboBoxTakesTheColour();
    void otherWidgetsOnlyReport();
    void refusedDataIsLeftToTheField();
};

void tst_colourdrag::mimeDataCarriesBothTypes() {
    std::unique_ptr<QMimeData> mime(ColourMimeData(QStringLiteral("#FF9900")));
    QVERIFY(mime->hasText());
    QCOMPARE(mime->text(), QStringLiteral("#FF9900"));
    QVERIFY(mime->hasFormat(QStringLiteral("application/x-vessilora-colour")));
    QCOMPARE(mime->data(QLatin1String(ColourMimeType)), QByteArray("#FF9900"));
}

void tst_colourdrag::colourFromMime_data() {
    QTest::addColumn<QString>("own");    // the program's own type; "-" for none
    QTest::addColumn<QString>("plain");  // text/plain; "-" for none
    QTest::addColumn<QString>("colour"); // "-" for no colour
    QTest::newRow("both") << "#0000FF"
                          << "#0000FF"
                          << "#0000FF";
    QTest::newRow("own type wins") << "#0000FF"
                                   << "something else"
                                   << "#0000FF";
    QTest::newRow("own type only") << "NAVY"
                                   << "-"
                                   << "NAVY";
    QTest::newRow("plain text only") << "-"
                                     << "#ABCDEF"
                                     << "#ABCDEF";
    QTest::newRow("plain text trimmed") << "-"
                                        << "  red\t"
                                        << "red";
    QTest::newRow("empty text") << "-"
                                << ""
                                << "-";
    QTest::newRow("blank text") << "-"
                                << "   "
                                << "-";
    QTest::newRow("several lines") << "-"
                                   << "#FF0000\r\n#00FF00"
                                   << "-";
    QTest::newRow("line break at the end") << "-"
                                           << "#FF0000\n"
                                           << "#FF0000";
    QTest::newRow("neither") << "-"
                             << "-"
                             << "-";
}

void tst_colourdrag::colourFromMime() {
    QFETCH(QString, own);
    QFETCH(QString, plain);
    QFETCH(QString, colour);
    QMimeData mime;
    if (own != QLatin1String("-"))
        mime.setData(QLatin1String(ColourMimeType), own.toUtf8());
    if (plain != QLatin1String("-"))
        mime.setText(plain);
    const std::optional<QString> found = ColourFromMime(&mime);
    if (colour == QLatin1String("-"))
        QVERIFY(!found);
    else
        QCOMPARE(found, std::optional<QString>(colour));
}

void tst_colourdrag::noData() {
    QVERIFY(!ColourFromMime(nullptr));
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
    QString reported;
    AcceptColourDrops(&preview, [&](const QString& colour) { reported = colour; });
    std::unique_ptr<QMimeData> mime(ColourMimeData(QStringLiteral("#00FF00")));
    QVERIFY(dropOn(&preview, mime.get()));
    QCOMPARE(reported, QStringLiteral("#00FF00"));
    QCOMPARE(preview.text(), QStringLiteral("Text"));
}

void tst_colourdrag::refusedDataIsLeftToTheField() {
    QLabel preview(QStringLiteral("Text"));
    bool called = false;
    AcceptColourDrops(&preview, [&](const QString&) { called = true; });
    QMimeData empty;
    bool entered = true;
    QVERIFY(!dropOn(&preview, &empty, &entered));
    QVERIFY(!entered);
    QVERIFY(!called);
}

QTEST_MAIN(tst_colourdrag)
#include "tst_colourdrag.moc"
