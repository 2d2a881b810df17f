#include "ui/errorbox.h"

#include <QMessageBox>

void ShowErrorBox(QWidget *parent, const QString &text)
{
    QMessageBox::critical(parent, QStringLiteral("QuarnTrim"), text, QMessageBox::Ok);
}
