#pragma once
#include "editor/pages/productpage.h"

class QTabWidget;

// The quarn product page: tab set `TabbedNotebook1`.
class QuarnPage : public ProductPage {
    Q_OBJECT
public:
    explicit QuarnPage(EditorHost &host, QWidget *parent = nullptr);
    void LoadImage() override;

private:
    QTabWidget *TabbedNotebook1 = nullptr;
};
