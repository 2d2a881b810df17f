#include "ui/appstyle.h"

#include "core/settings.h"

#include <QApplication>
#include <QFont>

void InstallApplicationStyle()
{
    QApplication::setOrganizationName(QString::fromLatin1(SettingsMaker));
    QApplication::setApplicationName(QString::fromLatin1(SettingsSection));
    // Liberation Sans has the metrics of the Windows sans-serif faces the layouts were sized for.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    QApplication::setFont(font);
}
