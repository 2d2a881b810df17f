#include "editor/pages/cscan/cscanpage.h"

#include "app/calimage.h"
#include "app/image_layout.h"
#include "editor/editorhost.h"

#include <QTabWidget>
#include <QVBoxLayout>

CsCanPage::CsCanPage(EditorHost &host, QWidget *parent) : ProductPage(host, parent)
{
    TabbedNotebook3 = new QTabWidget(this);
    TabbedNotebook3->setObjectName(QStringLiteral("TabbedNotebook3"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TabbedNotebook3);
}

void CsCanPage::LoadImage() {}
