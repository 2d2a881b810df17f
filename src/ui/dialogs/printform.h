#pragma once
// The "Printing...." window: a small borderless notice that stays on top, centred on the screen,
// while the report is being printed. It has no buttons and takes no input.
#include <QWidget>

class TPrintForm : public QWidget {
    Q_OBJECT
public:
    explicit TPrintForm(QWidget *parent = nullptr);
};
