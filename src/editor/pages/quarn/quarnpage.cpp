#include "editor/pages/quarn/quarnpage.h"

#include "app/calimage.h"
#include "app/image_layout.h"
#include "editor/editorhost.h"

#include <QTabWidget>
#include <QVBoxLayout>

QuarnPage::QuarnPage(EditorHost &host, QWidget *parent) : ProductPage(host, parent)
{
    TabbedNotebook1 = new QTabWidget(this);
    TabbedNotebook1->setObjectName(QStringLiteral("TabbedNotebook1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TabbedNotebook1);
}

void QuarnPage::LoadImage() {}
