#include <QtTest>
class tst_files : public QObject { Q_OBJECT private slots: void nothing() {} };
QTEST_MAIN(tst_files)
#include "tst_files.moc"
