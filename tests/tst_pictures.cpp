// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// Each window, drawn offscreen at scale 1 in the fonts of tests/pictures/fonts.conf, against its
// stored picture, pixel for pixel, and every text it shows against its stored list: a moved
// control, a changed colour or font, a lost label or tooltip fails here. After a change meant
// to show, scripts/pictures draws them anew (ORMEK_DRAW_PICTURES=1 writes what this test draws
// as the stored pictures and texts); look at them before committing.

#include "platform/qttranslation.h"
#include "support/guitest.h"
#include "support/picturedrun.h"

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void looksAsStored_data();
    void looksAsStored();
    void showsTheStoredTexts_data() { looksAsStored_data(); }
    void showsTheStoredTexts();

private:
    QMap<QString, QImage> m_drawn;
    QMap<QString, QString> m_texts;
};

namespace {

QString stored(const QString &name, const char *suffix)
{
    return QStringLiteral(PICTURES_DIR "/") + name + QLatin1String(suffix);
}

} // namespace

void PicturesTest::initTestCase()
{
    QVERIFY(playPicturedRun([this](const QString &name, QWidget *window) {
        m_drawn.insert(name, window->grab().toImage().convertToFormat(QImage::Format_RGB32));
        m_texts.insert(name, shownTexts(window));
        return true;
    }));
    if (qEnvironmentVariableIsSet("ORMEK_DRAW_PICTURES")) {
        for (auto it = m_drawn.cbegin(); it != m_drawn.cend(); ++it) {
            QVERIFY(it.value().save(stored(it.key(), ".png")));
            QFile texts(stored(it.key(), ".txt"));
            QVERIFY(texts.open(QIODevice::WriteOnly));
            texts.write(m_texts.value(it.key()).toUtf8());
        }
    }
}

void PicturesTest::looksAsStored_data()
{
    QTest::addColumn<QString>("window");
    for (const char *name : { "main-window", "scheduler", "countdown", "preview", "help" })
        QTest::newRow(name) << QString::fromLatin1(name);
}

void PicturesTest::looksAsStored()
{
    QFETCH(QString, window);
    const QImage drawn = m_drawn.value(window);
    const QImage picture = QImage(stored(window, ".png")).convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!picture.isNull(), qPrintable(stored(window, ".png")));
    if (drawn != picture) {
        const QString drawnPath = QDir::temp().filePath(window + QLatin1String(".png"));
        drawn.save(drawnPath);
        QFAIL(qPrintable(QStringLiteral("differs from the stored picture; drawn as ") + drawnPath));
    }
}

void PicturesTest::showsTheStoredTexts()
{
    QFETCH(QString, window);
    QFile file(stored(window, ".txt"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    // QCOMPARE names the first line that differs.
    QCOMPARE(m_texts.value(window).split(u'\n'), QString::fromUtf8(file.readAll()).split(u'\n'));
}

int main(int argc, char *argv[])
{
    GuiTest::prepareEnvironment();
    // Only the fonts named there, whatever else the machine has, with the Simplified Chinese
    // forms of the ideographs.
    qputenv("FONTCONFIG_FILE", PICTURES_DIR "/fonts.conf");
    qputenv("FC_LANG", "zh-cn");
    QApplication app(argc, argv);
    installQtTranslation();
    GuiTest::guardAgainstModalBoxes();
    PicturesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pictures.moc"
