#include "platform/qtdialogs.h"

#include "platform/inputdialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

void QtDialogs::showMessage(const QString &prompt, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

QString QtDialogs::askText(const QString &prompt, const QString &title)
{
    InputDialog dialog(prompt, title, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.text();
}
