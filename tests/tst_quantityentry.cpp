#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "app/quantitykey.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

class TestQuantityEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void classifiesKeys_data();
    void classifiesKeys();
    void init();
    void cleanup();
    void keepsDigitsOnly_data();
    void keepsDigitsOnly();
    void editingKeysWork();
    void enterDoesNothing();
    void escapeClearsFromEveryBox();
    void clearButtonClears();
    void pasteOfNonDigitsIsRefused();

private:
    QLineEdit *box(int row) const;

    FakePlatform *m_fakes = nullptr;
    MainWindow *m_window = nullptr;
};

void TestQuantityEntry::classifiesKeys_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<QuantityKeyAction>("action");

    for (char32_t digit = U'0'; digit <= U'9'; ++digit)
        QTest::addRow("digit %c", char(digit)) << uint(digit) << QuantityKeyAction::Insert;
    QTest::newRow("backspace") << 8u << QuantityKeyAction::Insert;
    QTest::newRow("escape") << 27u << QuantityKeyAction::Clear;
    QTest::newRow("enter") << 13u << QuantityKeyAction::Cancel;
    QTest::newRow("ctrl+v") << 22u << QuantityKeyAction::Cancel;
    QTest::newRow("letter") << uint('a') << QuantityKeyAction::Cancel;
    QTest::newRow("space") << uint(' ') << QuantityKeyAction::Cancel;
    QTest::newRow("minus") << uint('-') << QuantityKeyAction::Cancel;
    QTest::newRow("point") << uint('.') << QuantityKeyAction::Cancel;
    QTest::newRow("comma") << uint(',') << QuantityKeyAction::Cancel;
    QTest::newRow("slash before 0") << uint('/') << QuantityKeyAction::Cancel;
    QTest::newRow("colon after 9") << uint(':') << QuantityKeyAction::Cancel;
    QTest::newRow("full-width one") << 0xFF11u << QuantityKeyAction::Cancel;
    QTest::newRow("chinese") << uint(U'五') << QuantityKeyAction::Cancel;
    QTest::newRow("arabic-indic digit") << 0x0661u << QuantityKeyAction::Cancel;
}

void TestQuantityEntry::classifiesKeys()
{
    QFETCH(uint, code);
    QFETCH(QuantityKeyAction, action);
    QCOMPARE(quantityKeyAction(code), action);
}

void TestQuantityEntry::init()
{
    m_fakes = new FakePlatform;
    m_window = new MainWindow(m_fakes->platform);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestQuantityEntry::cleanup()
{
    delete m_window;
    delete m_fakes;
}

QLineEdit *TestQuantityEntry::box(int row) const
{
    return m_window->findChild<QLineEdit *>(QStringLiteral("Text%1").arg(row));
}

void TestQuantityEntry::keepsDigitsOnly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("digits and a letter") << "12a3"
                                         << "123";
    QTest::newRow("leading zeros") << "007"
                                   << "007";
    QTest::newRow("signs and separators") << "-1.5, 2"
                                          << "152";
    QTest::newRow("full-width digits") << "１２"
                                       << "";
    QTest::newRow("chinese") << "五个"
                             << "";
}

void TestQuantityEntry::keepsDigitsOnly()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    // keyClicks() takes Latin-1 only; type each character as the key event an input would send.
    for (const QChar c : typed) {
        QTest::sendKeyEvent(QTest::Press, box(4), Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, box(4), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE(box(4)->text(), shown);
}

void TestQuantityEntry::editingKeysWork()
{
    QTest::keyClicks(box(1), QStringLiteral("123"));
    QTest::keyClick(box(1), Qt::Key_Backspace);
    QCOMPARE(box(1)->text(), QStringLiteral("12"));
    QTest::keyClick(box(1), Qt::Key_Home);
    QTest::keyClick(box(1), Qt::Key_Delete);
    QCOMPARE(box(1)->text(), QStringLiteral("2"));
    QTest::keyClick(box(1), Qt::Key_Delete);
    QVERIFY(box(1)->text().isEmpty());
}

void TestQuantityEntry::enterDoesNothing()
{
    box(2)->setFocus();
    QTest::keyClicks(box(2), QStringLiteral("5"));
    QTest::keyClick(box(2), Qt::Key_Return);
    QCOMPARE(box(2)->text(), QStringLiteral("5"));
    QVERIFY(box(2)->hasFocus());
}

void TestQuantityEntry::escapeClearsFromEveryBox()
{
    for (int from = 1; from <= 9; ++from) {
        for (int row = 1; row <= 9; ++row)
            QTest::keyClicks(box(row), QString::number(row));
        box(from)->setFocus();
        QTest::keyClick(box(from), Qt::Key_Escape);
        for (int row = 1; row <= 9; ++row)
            QVERIFY2(box(row)->text().isEmpty(),
                     qPrintable(QStringLiteral("Esc in row %1").arg(from)));
        QVERIFY(box(1)->hasFocus());
    }
}

void TestQuantityEntry::clearButtonClears()
{
    QTest::keyClicks(box(3), QStringLiteral("42"));
    QTest::keyClicks(box(9), QStringLiteral("7"));
    auto *clear = m_window->findChild<QPushButton *>(QStringLiteral("Command1"));
    QTest::mouseClick(clear, Qt::LeftButton);
    QVERIFY(box(3)->text().isEmpty());
    QVERIFY(box(9)->text().isEmpty());
    QVERIFY(box(1)->hasFocus());
}

void TestQuantityEntry::pasteOfNonDigitsIsRefused()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("12abc"));
    box(5)->paste();
    QVERIFY(box(5)->text().isEmpty());
    QGuiApplication::clipboard()->setText(QStringLiteral("340"));
    box(5)->paste();
    QCOMPARE(box(5)->text(), QStringLiteral("340"));
}

ORMEK_GUI_TEST_MAIN(TestQuantityEntry)
#include "tst_quantityentry.moc"
