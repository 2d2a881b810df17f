#pragma once
// The splash window, which is also the About box.
#include <QDialog>

class QLabel;

class SplashForm : public QDialog {
    Q_OBJECT
public:
    explicit SplashForm(QWidget *parent = nullptr);
    // Creates the window, sets its version line, shows it modally and frees it.
    static void ShowSplash(QWidget *parent);

    QLabel *VersionLabel = nullptr;
};
using TSplashForm = SplashForm;
