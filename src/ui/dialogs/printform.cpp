#include "ui/dialogs/printform.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace {
constexpr int FormWidth = 235;
constexpr int FormHeight = 66;
constexpr int FrameWidth = 1;
constexpr int PictureSize = 32;
constexpr int CaptionPixels = 16;

void SetBackground(QWidget *widget, const QColor &colour)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

// A small printer: the body, the paper going in at the top and coming out at the front.
QPixmap PrinterPicture()
{
    QPixmap picture(PictureSize, PictureSize);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(9, 2, 14, 10);            // paper in
    painter.setBrush(QColor(192, 192, 192));
    painter.drawRect(2, 11, 27, 12);           // body
    painter.setBrush(QColor(0, 128, 0));
    painter.drawRect(24, 14, 2, 2);            // power lamp
    painter.setBrush(Qt::white);
    painter.drawRect(7, 20, 18, 9);            // paper out
    painter.drawLine(10, 23, 22, 23);
    painter.drawLine(10, 26, 19, 26);
    return picture;
}
}  // namespace

TPrintForm::TPrintForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("PrintForm"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(FormWidth, FormHeight);
    SetBackground(this, Qt::black);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(FrameWidth, FrameWidth, FormWidth - 2 * FrameWidth, FormHeight - 2 * FrameWidth);
    SetBackground(panel, Qt::white);

    auto *picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(PrinterPicture());
    picture->setGeometry(14, (panel->height() - PictureSize) / 2, PictureSize, PictureSize);

    auto *caption = new QLabel(QStringLiteral("Printing...."), panel);
    caption->setObjectName(QStringLiteral("Label1"));
    QFont font = caption->font();
    font.setPixelSize(CaptionPixels);
    font.setBold(true);
    caption->setFont(font);
    caption->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    caption->setGeometry(62, 0, panel->width() - 62, panel->height());

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
