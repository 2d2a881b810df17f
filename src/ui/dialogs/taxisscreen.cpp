#include "ui/dialogs/taxisscreen.h"

#include "core/calimage.h"
#include "core/image_layout.h"
#include "core/catalog/edits.h"
#include "core/catalog/quarn_seasons.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {
using namespace QuarnSeasons;

bool BitSet(int byte, int bit) { return (CalImage[size_t(byte)] >> bit) & 1; }

// A box stores its output's bit through the Quarn 2 season field's own rule, as `set` would.
void StoreBit(int byte, int bit, bool on)
{
    const auto mask = uint8_t(1u << bit);
    const uint8_t was = CalImage[size_t(byte)];
    const auto wanted = on ? uint8_t(was | mask) : uint8_t(was & ~mask);
    Catalogue::EditField(CalImage, Product::Quarn, byte, QByteArray(1, char(wanted)));
}

// A group of ten output boxes, two columns of five, each box tied to one bit.
QGroupBox *AddSeasonGroup(QWidget *parent, const char *name, const QString &title, const QRect &place, bool winter)
{
    auto *group = new QGroupBox(title, parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(place);
    for (int i = 0; i < int(std::size(SeasonBits)); ++i) {
        const SeasonBit &entry = SeasonBits[i];
        const int byte = winter ? entry.winterByte : entry.summerByte;
        const int bit = winter ? entry.winterBit : entry.summerBit;
        auto *box = new QCheckBox(QString::fromLatin1(entry.caption), group);
        box->setObjectName(QString::fromLatin1(name) + QString::number(i + 1));
        box->setGeometry(16 + (i / 5) * 100, 24 + (i % 5) * 26, 90, 20);
        QObject::connect(box, &QCheckBox::toggled, group, [byte, bit](bool on) { StoreBit(byte, bit, on); });
        box->setChecked(BitSet(byte, bit));
    }
    return group;
}
}  // namespace

TAxisScreen::TAxisScreen(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AxisScreen"));
    setWindowTitle(QStringLiteral("Other Options"));
    setFixedSize(553, 503);

    auto *notebook = new QTabWidget(this);
    notebook->setObjectName(QStringLiteral("OptionsNotebook"));
    notebook->setGeometry(8, 8, 537, 448);
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("WinterSummerPage"));
    notebook->addTab(page, QStringLiteral("Winter / Summer"));

    auto *modeGroup = new QGroupBox(page);
    modeGroup->setObjectName(QStringLiteral("SeasonModeGroup"));
    modeGroup->setGeometry(16, 16, 500, 64);
    auto *modeLabel = new QLabel(QString::fromLatin1(ModeCaption), modeGroup);
    QFont bold = modeLabel->font();
    bold.setBold(true);
    modeLabel->setFont(bold);
    modeLabel->setGeometry(16, 22, 200, 20);
    auto *yes = new QRadioButton(QString::fromLatin1(ModeYes), modeGroup);
    yes->setObjectName(QStringLiteral("SeasonYes"));
    yes->setGeometry(240, 22, 60, 20);
    auto *no = new QRadioButton(QString::fromLatin1(ModeNo), modeGroup);
    no->setObjectName(QStringLiteral("SeasonNo"));
    no->setGeometry(320, 22, 60, 20);
    connect(yes, &QRadioButton::toggled, this, [](bool on) {
        if (on) StoreBit(Off::Quarn::SeasonModeFlags, ModeActiveBit, true);
    });
    connect(no, &QRadioButton::toggled, this, [](bool on) {
        if (on) StoreBit(Off::Quarn::SeasonModeFlags, ModeActiveBit, false);
    });

    AddSeasonGroup(page, "SummerOutput", QString::fromLatin1(SummerCaption), {16, 96, 240, 164}, false);
    AddSeasonGroup(page, "WinterOutput", QString::fromLatin1(WinterCaption), {276, 96, 240, 164}, true);
    (BitSet(Off::Quarn::SeasonModeFlags, ModeActiveBit) ? yes : no)->setChecked(true);

    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setGeometry(239, 466, 75, 25);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}
