// Dragging a colour: the mime data the picker offers and how colour fields take a drop.

#include "testsupport.h"
#include "widgets/colourdrag.h"

#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QtTest>

using namespace Qt::StringLiterals;

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
    std::unique_ptr<QMimeData> mime(ColourMimeData(u"#FF9900"_s));
    QVERIFY(mime->hasText());
    QCOMPARE(mime->text(), u"#FF9900"_s);
    QVERIFY(mime->hasFormat(u"application/x-vessilora-colour"_s));
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
    QLineEdit field(u"#000000"_s);
    QStringList reported;
    AcceptColourDrops(&field, [&](const QString& colour) { reported << colour; });
    std::unique_ptr<QMimeData> mime(ColourMimeData(u"#0000FF"_s));
    bool entered = false;
    QVERIFY(dropOn(&field, mime.get(), &entered));
    QVERIFY(entered);
    QCOMPARE(field.text(), u"#0000FF"_s);
    QCOMPARE(reported, QStringList{u"#0000FF"_s});
}

void tst_colourdrag::comboBoxTakesTheColour() {
    QComboBox field;
    field.setEditable(true);
    field.addItems({u"BLACK"_s, u"NAVY"_s});
    AcceptColourDrops(&field);
    QVERIFY(field.acceptDrops());
    std::unique_ptr<QMimeData> mime(plainText(u"#FF9900"_s));
    // The drop lands on the line edit inside the combo box.
    QVERIFY(dropOn(field.lineEdit(), mime.get()));
    QCOMPARE(field.currentText(), u"#FF9900"_s);
    std::unique_ptr<QMimeData> named(ColourMimeData(u"NAVY"_s));
    QVERIFY(dropOn(&field, named.get()));
    QCOMPARE(field.currentText(), u"NAVY"_s);
}

void tst_colourdrag::otherWidgetsOnlyReport() {
    QLabel preview(u"Text"_s);
    QStringList reported;
    AcceptColourDrops(&preview, [&](const QString& colour) { reported << colour; });
    std::unique_ptr<QMimeData> mime(ColourMimeData(u"#00FF00"_s));
    QVERIFY(dropOn(&preview, mime.get()));
    QCOMPARE(reported, QStringList{u"#00FF00"_s});
    QCOMPARE(preview.text(), u"Text"_s);
    // Data without a colour is refused and left to the widget.
    QMimeData empty;
    bool entered = true;
    QVERIFY(!dropOn(&preview, &empty, &entered));
    QVERIFY(!entered);
    QCOMPARE(reported.size(), 1);
}

QTEST_MAIN(tst_colourdrag)
#include "tst_colourdrag.moc"
