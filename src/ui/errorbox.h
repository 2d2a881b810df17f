#pragma once
// The application's standard error box: a critical message box with an OK button, used for the
// file and printing errors that end an operation.
#include <QString>

class QWidget;

void ShowErrorBox(QWidget *parent, const QString &text);
