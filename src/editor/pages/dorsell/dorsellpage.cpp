#include "editor/pages/dorsell/dorsellpage.h"

#include "app/calimage.h"
#include "app/image_layout.h"
#include "editor/editorhost.h"

#include <QTabWidget>
#include <QVBoxLayout>

DorsellPage::DorsellPage(EditorHost &host, QWidget *parent) : ProductPage(host, parent)
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl1);
}

void DorsellPage::LoadImage() {}
