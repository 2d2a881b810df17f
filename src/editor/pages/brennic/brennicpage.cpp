#include "editor/pages/brennic/brennicpage.h"

#include "app/calimage.h"
#include "app/image_layout.h"
#include "editor/editorhost.h"

#include <QTabWidget>
#include <QVBoxLayout>

BrennicPage::BrennicPage(EditorHost &host, QWidget *parent) : ProductPage(host, parent)
{
    TabbedNotebook2 = new QTabWidget(this);
    TabbedNotebook2->setObjectName(QStringLiteral("TabbedNotebook2"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TabbedNotebook2);
}

void BrennicPage::LoadImage() {}
