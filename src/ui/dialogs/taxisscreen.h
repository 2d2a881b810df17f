#pragma once
// The other options dialog: which output groups belong to the summer set and which to the winter
// set, and whether the summer/winter mode is active. Every click changes the image at once.
#include <QDialog>

class TAxisScreen : public QDialog {
    Q_OBJECT
public:
    explicit TAxisScreen(QWidget *parent = nullptr);
};
