// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// The cost of one tick of the running total with all nine rows counted.
#include "mainwindow/itemrow.h"
#include "mainwindow/mainwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QLabel>
#include <QLineEdit>

class BenchTick : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void updateTotal();
};

void BenchTick::updateTotal()
{
    FakePlatform fakes;
    MainWindow window(fakes.platform);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (int k = 1; k <= 9; ++k) {
        window.row(k).setName(QStringLiteral("物品%1").arg(k));
        window.row(k).setPrice(QString::number(1000 * k + 250));
        window.row(k).quantityBox()->setText(QString::number(7 * k));
    }

    QBENCHMARK {
        window.updateTotal();
    }
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("zj"))->text(), QStringLiteral("2,073,750"));
}

ORMEK_GUI_TEST_MAIN(BenchTick)
#include "bench_tick.moc"
