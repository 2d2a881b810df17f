#include "ui/pages/dorsell/dorsellpage.h"

#include "core/calimage.h"
#include "ui/editorhost.h"
#include "ui/pages/dorsell/dorsellwidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const char *const TabCaptions[DorsellPage::TabCount] = {"Global", "Plow", "Hoist/Hook", "Groups of 2 settings"};
}  // namespace

DorsellPage::DorsellPage(EditorHost &host, QWidget *parent) : ProductPage(host, parent)
{
    setObjectName(QStringLiteral("DorsellPage"));
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl1);
    for (int i = 0; i < TabCount; ++i) {
        m_tabs[i] = new QWidget;
        m_tabs[i]->setObjectName(QStringLiteral("DorsellTab%1").arg(i));
        PageControl1->addTab(m_tabs[i], QString::fromLatin1(TabCaptions[i]));
    }
    BuildGlobalTab(m_tabs[GlobalTab]);
    BuildTrimTab(m_tabs[PlowTab], DorsellTrimTab::Plow);
    BuildTrimTab(m_tabs[HoistHookTab], DorsellTrimTab::HoistHook);
    BuildGroupsTab(m_tabs[GroupsTab]);
}

void DorsellPage::StartUp()
{
    PageControl1->setCurrentIndex(GlobalTab);
    Valvetypes->setCurrentIndex(0);
}

QCheckBox *DorsellPage::NewFlagBox(QWidget *parent, const char *name, const char *caption, int offset)
{
    auto *box = NewCheckBox(parent, name, QString::fromLatin1(caption));
    connect(box, &QCheckBox::toggled, this, [this, offset](bool ticked) { FlagBoxClick(offset, ticked); });
    return box;
}

void DorsellPage::FlagBoxClick(int offset, bool ticked) { host().EditByte(offset, ticked); }
