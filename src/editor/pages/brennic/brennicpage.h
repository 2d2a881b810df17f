#pragma once
#include "editor/pages/productpage.h"

class QTabWidget;

// The brennic product page: tab set `TabbedNotebook2`.
class BrennicPage : public ProductPage {
    Q_OBJECT
public:
    explicit BrennicPage(EditorHost &host, QWidget *parent = nullptr);
    void LoadImage() override;

private:
    QTabWidget *TabbedNotebook2 = nullptr;
};
