#include "ui/splashform.h"

#include "ui/assets.h"
#include "ui/centre.h"

#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {
constexpr const char *VersionText = "version 2.51";

// Arial where it is installed, else the closest sans-serif face the system offers.
QFont TitleFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(35);
    font.setItalic(true);
    return font;
}
}  // namespace

SplashForm::SplashForm(QWidget *parent) : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    EnsureAssets();
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("QuarnTrim"));
    setFixedSize(309, 269);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ProductImage"));
    picture->setPixmap(QPixmap(QStringLiteral(":/assets/splash_product.jpg")));
    picture->setGeometry(8, 8, 293, 120);
    picture->setAlignment(Qt::AlignCenter);

    auto *title = new QLabel(QStringLiteral("Quarn II Trim"), this);
    title->setObjectName(QStringLiteral("TitleLabel"));
    title->setFont(TitleFont());
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(0, 130, 309, 48);

    VersionLabel = new QLabel(this);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    VersionLabel->setAlignment(Qt::AlignCenter);
    VersionLabel->setGeometry(0, 180, 309, 18);

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("LogoImage"));
    logo->setPixmap(QPixmap(QStringLiteral(":/assets/splash_logo.jpg")));
    logo->setGeometry(8, 205, 96, 56);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    ok->setGeometry(224, 232, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void SplashForm::ShowSplash(QWidget *parent)
{
    SplashForm splash(parent);
    splash.VersionLabel->setText(QString::fromLatin1(VersionText));
    CentreOnScreen(&splash);
    splash.exec();
}
