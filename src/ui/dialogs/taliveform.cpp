#include "ui/dialogs/taliveform.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {
const QSize ClientSize{237, 239};

QLabel *AddText(QWidget *parent, const char *name, const QString &text, int pixelSize, const QRect &place)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}
}  // namespace

TaliveForm::TaliveForm(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("aliveForm"));
    setWindowTitle(QStringLiteral("Always Live Mode Warning"));
    setFixedSize(ClientSize);

    QLabel *heading = AddText(this, "HeadingLabel", QStringLiteral("Always Live Mode"), 19, {8, 6, 221, 26});
    QFont font = heading->font();
    font.setBold(true);
    font.setUnderline(true);
    heading->setFont(font);
    QPalette palette = heading->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 0, 128));
    heading->setPalette(palette);

    AddText(this, "CautionLabel",
            QStringLiteral("Caution:  Activating this feature disables the safety trigger and makes the Palmet "
                           "joystick active in the mode you have chosen.  Any joystick motion will move the "
                           "device selected."),
            13, {8, 36, 221, 92});
    AddText(this, "AdviceLabel",
            QStringLiteral("Halvern recommends leaving the \"Always Live Mode\" INACTIVE for maximum operator "
                           "safety,"),
            13, {8, 134, 221, 60});

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(81, 207, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TaliveForm::ShowWarning(QWidget *parent)
{
    TaliveForm warning(parent);
    warning.exec();
}
