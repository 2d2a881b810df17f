#pragma once
#include "editor/pages/productpage.h"

class QTabWidget;

// The dorsell product page: tab set `PageControl1`.
class DorsellPage : public ProductPage {
    Q_OBJECT
public:
    explicit DorsellPage(EditorHost &host, QWidget *parent = nullptr);
    void LoadImage() override;

private:
    QTabWidget *PageControl1 = nullptr;
};
