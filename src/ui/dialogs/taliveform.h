#pragma once
// The always-live warning: shown whenever an always-live function other than "Inactive" is chosen.
#include <QDialog>

class TaliveForm : public QDialog {
    Q_OBJECT
public:
    explicit TaliveForm(QWidget *parent = nullptr);
    // Creates the warning, shows it modally until "OK" and frees it.
    static void ShowWarning(QWidget *parent);
};
