#pragma once
// The custom-configuration help window.
#include <QDialog>

class HelpForm : public QDialog {
    Q_OBJECT
public:
    explicit HelpForm(QWidget *parent = nullptr);
    // Creates the window, shows it modally and frees it.
    static void ShowHelp(QWidget *parent);
};
using THelpForm = HelpForm;
