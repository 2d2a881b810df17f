#include "files/historydialog.h"

#include "catalog/catalogue.h"

#include <QAbstractTableModel>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
constexpr int DialogWidth = 640;
constexpr int DialogHeight = 400;
enum Column { TimeColumn, ProductColumn, DirectionColumn, PortColumn, BannerColumn, ColumnCount };
constexpr const char *ColumnCaptions[ColumnCount] = {"Time", "Product", "Direction", "Port", "Banner"};
constexpr int ColumnWidths[] = {130, 100, 105, 55};  // the banner takes the rest
const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString ProductOf(const HistoryEntry &entry)
{
    uint8_t product = Product::None;
    if (!entry.productLetter || !Catalogue::ProductFromLetter(QString(QLatin1Char(entry.productLetter)), &product))
        return QString();
    return Catalogue::ProductName(product);
}
}  // namespace

// The entries as rows. Texts are made as the view asks for them, so a full history opens as
// quickly as the few rows on the screen can be drawn.
class HistoryModel : public QAbstractTableModel {
public:
    explicit HistoryModel(QList<HistoryEntry> entries, QObject *parent)
        : QAbstractTableModel(parent), m_entries(std::move(entries))
    {
    }
    const HistoryEntry &Entry(int row) const { return m_entries[row]; }

    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : int(m_entries.size()); }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : ColumnCount; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
        return QString::fromLatin1(ColumnCaptions[section]);
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid()) return {};
        const HistoryEntry &entry = m_entries[index.row()];
        if (role == Qt::ToolTipRole) return entry.id;
        if (role != Qt::DisplayRole) return {};
        switch (index.column()) {
        case TimeColumn: return entry.time.toLocalTime().toString(TimeFormat);
        case ProductColumn: return ProductOf(entry);
        case DirectionColumn: return HistoryKindCaption(entry.kind);
        case PortColumn: return entry.port;
        case BannerColumn: return entry.banner;
        default: return {};
        }
    }

private:
    QList<HistoryEntry> m_entries;
};

HistoryDialog::HistoryDialog(const HistoryStore &store, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("HistoryDialog"));
    setWindowTitle(QStringLiteral("History"));
    resize(DialogWidth, DialogHeight);

    m_model = new HistoryModel(store.Entries(), this);
    HistoryList = new QTreeView(this);
    HistoryList->setObjectName(QStringLiteral("HistoryList"));
    HistoryList->setRootIsDecorated(false);
    HistoryList->setUniformRowHeights(true);
    HistoryList->setAllColumnsShowFocus(true);
    HistoryList->setSelectionBehavior(QAbstractItemView::SelectRows);
    HistoryList->setSelectionMode(QAbstractItemView::SingleSelection);
    HistoryList->setModel(m_model);
    for (int c = 0; c < int(std::size(ColumnWidths)); ++c) HistoryList->setColumnWidth(c, ColumnWidths[c]);

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
    connect(HistoryList->selectionModel(), &QItemSelectionModel::currentChanged, this, &HistoryDialog::SelectionChanged);
    connect(HistoryList, &QTreeView::activated, this, [this] {
        if (SelectedImage()) accept();
    });
    if (m_model->rowCount({}) > 0) HistoryList->setCurrentIndex(m_model->index(0, 0));
    SelectionChanged();
}

void HistoryDialog::SelectionChanged() { OpenButton->setEnabled(SelectedImage().has_value()); }

std::optional<HistoryEntry> HistoryDialog::SelectedImage() const
{
    const QModelIndex current = HistoryList->currentIndex();
    if (!current.isValid() || m_model->Entry(current.row()).kind == HistoryKind::Firmware) return std::nullopt;
    return m_model->Entry(current.row());
}

std::optional<HistoryEntry> HistoryDialog::ChooseImage(const HistoryStore &store, QWidget *parent)
{
    HistoryDialog dialog(store, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.SelectedImage();
}
