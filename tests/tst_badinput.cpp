#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "app/program.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

// Odd answers to the name and price boxes: each is refused with a message, or kept and stored
// exactly as typed. The fuzz targets cover the parsing itself.
class TestBadInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
};

void TestBadInput::answers_data()
{
    QTest::addColumn<bool>("price");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("accepted");
    const char16_t controls[] = u"a\0b\x01\tc\r\nd\x7f\u200e\u202e";

    QTest::newRow("price: empty is a cancel") << true << "" << false;
    QTest::newRow("price: blanks") << true << "   " << false;
    QTest::newRow("price: letters") << true << "abc" << false;
    QTest::newRow("price: nan") << true << "nan" << false;
    QTest::newRow("price: inf") << true << "inf" << false;
    QTest::newRow("price: beyond double") << true << "1e999" << false;
    QTest::newRow("price: hexadecimal") << true << "0x10" << false;
    QTest::newRow("price: full-width") << true << "１２" << false;
    QTest::newRow("price: decimal comma") << true << "1.234,5" << false;
    QTest::newRow("price: 10,000 digits") << true << QString(u'1' + QString(9999, u'0')) << false;
    QTest::newRow("price: minus zero") << true << "-0" << true;
    QTest::newRow("price: blanks around") << true << " 12 " << true;
    QTest::newRow("price: grouped") << true << "3,000" << true;
    QTest::newRow("price: 1e308") << true << "1e308" << true;
    QTest::newRow("name: emoji") << false << "🍎苹果😀" << true;
    QTest::newRow("name: right to left") << false << "تفاح אבג 12" << true;
    QTest::newRow("name: control characters")
            << false << QString::fromUtf16(controls, std::size(controls) - 1) << true;
    QTest::newRow("name: 100,000 characters") << false << QString(100000, u'长') << true;
}

void TestBadInput::answers()
{
    QFETCH(bool, price);
    QFETCH(QString, answer);
    QFETCH(bool, accepted);
    FakePlatform fakes;
    fakes.store.values = { { "使用次数/N", "1" },
                           { "物品名称及价格储存/a3", "盐" },
                           { "物品名称及价格储存/b3", "7" } };
    Program program(fakes.platform);
    program.start();
    ItemRow &row = program.mainWindow()->row(3);
    fakes.dialogs.answers = { answer };
    GuiTest::click(program.mainWindow(), price ? "s3" : "btn3");

    const QString kept = accepted ? answer : QString(price ? "7" : "盐");
    QCOMPARE(price ? row.price() : row.name(), kept);
    QCOMPARE(fakes.store.values.value(price ? "物品名称及价格储存/b3" : "物品名称及价格储存/a3"),
             kept);
    QStringList told;
    for (const FakeDialogs::Box &box : fakes.dialogs.messages)
        told << box.prompt + u'|' + box.title;
    QCOMPARE(told,
             accepted || answer.isEmpty() ? QStringList()
                                          : QStringList { "单价必须是数字！|设置物品单价" });
}

ORMEK_GUI_TEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
