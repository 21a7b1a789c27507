// The bare window with one line of Chinese text in the default font, laid out as Qt windows
// usually are: the least that a program showing Chinese pays for fonts before its window
// appears (the font configuration, a CJK font file, the text's size).
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window with a label"));
    window.setFixedSize(245, 373);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("欢迎使用！")), 0, Qt::AlignTop);
    window.show();
    return app.exec();
}
