#pragma once
#include "editor/pages/productpage.h"

class QTabWidget;

// The cscan product page: tab set `TabbedNotebook3`.
class CsCanPage : public ProductPage {
    Q_OBJECT
public:
    explicit CsCanPage(EditorHost &host, QWidget *parent = nullptr);
    void LoadImage() override;

private:
    QTabWidget *TabbedNotebook3 = nullptr;
};
