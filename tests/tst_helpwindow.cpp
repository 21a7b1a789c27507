#include "help/helptext.h"
#include "help/helpwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QLabel>
#include <QPlainTextEdit>

using GuiTest::child;
using GuiTest::click;

class TestHelpWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hasTheTextLineByLineAndAPlaceholderAddress();
    void showsCopiesAndOpensTheAddress();
};

void TestHelpWindow::hasTheTextLineByLineAndAPlaceholderAddress()
{
    const QString address = downloadAddress();
    const QStringList lines = helpLines(address);
    const QStringList expected = {
        "【使用安全】",
        "1、本软件此版本大小为160KB，请查看大小，如不相符，请谨慎使用；",
        "2、本程序无联网功能，如发现程序使用网络，请谨慎使用；",
        "3、如不是在" + address + "上下载的本软件，参照上面两点，并杀毒后再使用！",
        "（“谨慎使用”的解释：关闭软件，杀毒，杀木马，然后去" + address
                + "下载软件！这个是安全的！）",
        "",
        "【使用帮助】",
        "1、物品名及价格均可根据个人需要更改；",
        "2、保存读取",
        "自动保存：物品名及价格会在关闭软件时自动进行保存，下次打开软件自动读取；",
        "手动保存：软件提供5个方案位，可手动保存提取方案；",
        "（保存的的方案只能再本机上读取）",
        "",
        "【软件作者】",
    };
    QCOMPARE(lines.mid(0, expected.size()), expected);
    // Four remarks of the author follow, indented.
    QCOMPARE(lines.size(), expected.size() + 4);
    for (const QString &remark : lines.mid(expected.size()))
        QVERIFY(remark.startsWith("    ") && remark.size() > 4 && !remark.at(4).isSpace());
    QCOMPARE(helpText(address), lines.join(u'\n') + u'\n');

    // The address is a placeholder under the reserved domain.
    const QUrl url(address);
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), "https");
    QVERIFY(url.host() == "example.com" || url.host().endsWith(".example.com"));
}

void TestHelpWindow::showsCopiesAndOpensTheAddress()
{
    FakePlatform fakes;
    HelpWindow window(fakes.platform);
    window.show();
    auto *text = child<QPlainTextEdit>(&window, "RichTextBox1");
    QCOMPARE(text->toPlainText(), helpText(downloadAddress()));
    QVERIFY(text->isReadOnly());
    auto *link = child<QLabel>(&window, "Label9");
    QCOMPARE(link->text(), downloadAddress());
    QCOMPARE(link->textFormat(), Qt::PlainText);
    QVERIFY(!link->accessibleDescription().isEmpty());

    click(&window, "Command2");
    QCOMPARE(fakes.clipboard.text, downloadAddress());
    QCOMPARE(fakes.clipboard.writes, 1);
    QCOMPARE(fakes.dialogs.messages.size(), 1);
    QCOMPARE(fakes.dialogs.messages.first().prompt, "复制成功！");
    QCOMPARE(fakes.dialogs.messages.first().title, "复制");

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(fakes.launcher.openedUrls, QList<QUrl>({ QUrl(downloadAddress()) }));
    QCOMPARE(fakes.dialogs.messages.size(), 1);
    fakes.launcher.openUrlSucceeds = false;
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(fakes.dialogs.messages.size(), 2);
    QCOMPARE(fakes.dialogs.messages.last().prompt, "无法打开浏览器！");
    QCOMPARE(fakes.dialogs.messages.last().title, "提示");

    // "关闭" only hides; the text stays as it was.
    click(&window, "Command1");
    QVERIFY(!window.isVisible());
    window.show();
    QCOMPARE(text->toPlainText(), helpText(downloadAddress()));
}

ORMEK_GUI_TEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
