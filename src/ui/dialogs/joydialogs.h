#pragma once
// The open and save dialogs of *.joy files: both start in the folder last
// used for *.joy files (else the documents folder) with "*.joy" in
// the file name box and the switch-file filter. They return the chosen name, or "" on cancel.
#include <QString>

class QWidget;

QString AskJoyFileToOpen(QWidget *parent);
// Asks before it overwrites an existing file; adds no extension to a name typed without one.
QString AskJoyFileToSave(QWidget *parent);
