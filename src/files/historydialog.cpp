#include "files/historydialog.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int DialogWidth = 640;
constexpr int DialogHeight = 400;
enum Column { TimeColumn, ProductColumn, DirectionColumn, BannerColumn, ColumnCount };
constexpr int ColumnWidths[] = {140, 110, 110};  // the banner takes the rest
const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString ProductOf(const HistoryEntry &entry)
{
    if (entry.kind == HistoryKind::Firmware) return QString();
    return QString(QLatin1Char(entry.productLetter ? entry.productLetter : '-'));
}
}  // namespace

HistoryDialog::HistoryDialog(const HistoryStore &store, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_entries(store.Entries())
{
    setObjectName(QStringLiteral("HistoryDialog"));
    setWindowTitle(QStringLiteral("History"));
    resize(DialogWidth, DialogHeight);

    HistoryList = new QTreeWidget(this);
    HistoryList->setObjectName(QStringLiteral("HistoryList"));
    HistoryList->setColumnCount(ColumnCount);
    HistoryList->setHeaderLabels({QStringLiteral("Time"), QStringLiteral("Product"), QStringLiteral("Direction"),
                                  QStringLiteral("Banner")});
    HistoryList->setRootIsDecorated(false);
    HistoryList->setUniformRowHeights(true);
    HistoryList->setAllColumnsShowFocus(true);
    for (int c = 0; c < int(std::size(ColumnWidths)); ++c) HistoryList->setColumnWidth(c, ColumnWidths[c]);

    QList<QTreeWidgetItem *> items;
    items.reserve(m_entries.size());
    for (const HistoryEntry &entry : m_entries) {
        auto *item = new QTreeWidgetItem({entry.time.toLocalTime().toString(TimeFormat), ProductOf(entry),
                                          HistoryKindCaption(entry.kind), entry.banner});
        item->setToolTip(TimeColumn, entry.fileName);
        items.append(item);
    }
    HistoryList->addTopLevelItems(items);

    FolderLabel = new QLabel(QDir::toNativeSeparators(store.Folder()), this);
    FolderLabel->setObjectName(QStringLiteral("FolderLabel"));
    FolderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    OpenButton = new QPushButton(QStringLiteral("&Open"), this);
    OpenButton->setObjectName(QStringLiteral("OpenButton"));
    OpenButton->setDefault(true);
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(FolderLabel, 1);
    buttons->addWidget(OpenButton);
    buttons->addWidget(CloseButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(HistoryList);
    layout->addLayout(buttons);

    connect(OpenButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HistoryList, &QTreeWidget::itemSelectionChanged, this, &HistoryDialog::SelectionChanged);
    connect(HistoryList, &QTreeWidget::itemActivated, this, [this] {
        if (SelectedImage()) accept();
    });
    if (!items.isEmpty()) HistoryList->setCurrentItem(items.first());
    SelectionChanged();
}

void HistoryDialog::SelectionChanged() { OpenButton->setEnabled(SelectedImage().has_value()); }

std::optional<HistoryEntry> HistoryDialog::SelectedImage() const
{
    const int row = HistoryList->indexOfTopLevelItem(HistoryList->currentItem());
    if (row < 0 || row >= m_entries.size() || m_entries[row].kind == HistoryKind::Firmware) return std::nullopt;
    return m_entries[row];
}

std::optional<HistoryEntry> HistoryDialog::ChooseImage(const HistoryStore &store, QWidget *parent)
{
    HistoryDialog dialog(store, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.SelectedImage();
}
