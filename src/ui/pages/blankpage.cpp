#include "ui/pages/blankpage.h"

#include <QLabel>

EmptyPage::EmptyPage(EditorHost &host, const QString &name, QWidget *parent) : ProductPage(host, parent)
{
    setObjectName(name);
    auto *label = new QLabel(this);
    label->setObjectName(name + QStringLiteral("Label"));
}
