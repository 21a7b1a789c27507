#ifndef INPUTDIALOG_H
#define INPUTDIALOG_H

#include <QDialog>

class QLineEdit;

// A prompt, an empty one-line field, and OK and Cancel. Unlike QInputDialog it never
// reads its prompt as rich text, so item names show exactly as typed.
class InputDialog : public QDialog
{
    Q_OBJECT

public:
    InputDialog(const QString &prompt, const QString &title, QWidget *parent = nullptr);

    QString text() const;

private:
    QLineEdit *m_field;
};

#endif // INPUTDIALOG_H
