#include "ui/dialogs/historydialog.h"

#include "core/catalog/catalogue.h"
#include "ui/errorbox.h"
#include "ui/dialogs/shopserver.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
constexpr int DialogWidth = 760;
constexpr int DialogHeight = 420;
enum Column { TimeColumn, EventColumn, UnitColumn, VariantColumn, TechnicianColumn, PcColumn, PortColumn, ColumnCount };
constexpr const char *ColumnCaptions[ColumnCount] = {"Time", "Event", "Unit", "Variant", "Technician", "PC", "Port"};
constexpr int ColumnWidths[] = {125, 105, 120, 90, 90, 90};  // the port takes the rest
const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QString UnassignedWord = QStringLiteral("unassigned");
// The unit filter's first two entries; the units follow.
enum FilterRow { AllUnitsRow, UnassignedRow, FirstUnitRow };
constexpr const char *FilterCaptions[] = {"All units", "Unassigned"};
const QString NoSendTip = QStringLiteral("Connect a controller to send it a unit's image");

}  // namespace

QString HistoryVariantName(char productLetter)
{
    uint8_t product = Product::None;
    if (!productLetter || !Catalogue::ProductFromLetter(QString(QLatin1Char(productLetter)), &product)) return QString();
    return Catalogue::ProductName(product);
}

QString HistoryImageWords(const HistoryEntry &entry)
{
    return QStringLiteral("the image %1 %2 on %3 (%4)")
        .arg(HistoryKindCaption(entry.kind).toLower(), entry.time.toLocalTime().toString(TimeFormat), entry.port,
             entry.unit.isEmpty() ? UnassignedWord : entry.unit);
}

// The entries as rows. A row is read from the listing, and its texts made, only as the view asks
// for it, so a history of any length opens as quickly as the few rows on the screen can be drawn.
class HistoryModel : public QAbstractTableModel {
public:
    explicit HistoryModel(QObject *parent) : QAbstractTableModel(parent) {}
    const HistoryEntry &Entry(int row) const
    {
        // The view asks for a row's columns one after another: the row last read is kept.
        if (row != m_row) {
            m_entry = m_listing.At(row);
            m_row = row;
        }
        return m_entry;
    }
    void SetListing(HistoryListing listing)
    {
        beginResetModel();
        m_listing = std::move(listing);
        m_row = -1;
        endResetModel();
    }

    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : int(m_listing.Size()); }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : ColumnCount; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
        return QString::fromLatin1(ColumnCaptions[section]);
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid()) return {};
        const HistoryEntry &entry = Entry(index.row());
        if (role == Qt::ToolTipRole) return entry.banner;
        if (role != Qt::DisplayRole) return {};
        switch (index.column()) {
        case TimeColumn: return entry.time.toLocalTime().toString(TimeFormat);
        case EventColumn: return HistoryKindCaption(entry.kind);
        case UnitColumn: return entry.unit.isEmpty() ? QLatin1Char('(') + UnassignedWord + QLatin1Char(')') : entry.unit;
        case VariantColumn: return HistoryVariantName(entry.productLetter);
        case TechnicianColumn: return entry.technician;
        case PcColumn: return entry.pc;
        case PortColumn: return entry.port;
        default: return {};
        }
    }

private:
    HistoryListing m_listing;
    mutable int m_row = -1;
    mutable HistoryEntry m_entry;
};

HistoryDialog::HistoryDialog(HistoryStore &store, SendOffer send, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_store(store), m_send(send)
{
    setObjectName(QStringLiteral("HistoryDialog"));
    setWindowTitle(QStringLiteral("History"));
    resize(DialogWidth, DialogHeight);

    UnitFilter = new QComboBox(this);
    UnitFilter->setObjectName(QStringLiteral("UnitFilter"));
    UnitFilter->setMinimumContentsLength(24);
    auto *filterLabel = new QLabel(QStringLiteral("&Unit:"), this);
    filterLabel->setBuddy(UnitFilter);
    ServerLabel = new QLabel(ServerStateText(store), this);
    ServerLabel->setObjectName(QStringLiteral("ServerLabel"));

    m_model = new HistoryModel(this);
    HistoryList = new QTreeView(this);
    HistoryList->setObjectName(QStringLiteral("HistoryList"));
    HistoryList->setRootIsDecorated(false);
    HistoryList->setUniformRowHeights(true);
    HistoryList->setAllColumnsShowFocus(true);
    HistoryList->setSelectionBehavior(QAbstractItemView::SelectRows);
    HistoryList->setSelectionMode(QAbstractItemView::SingleSelection);
    HistoryList->setModel(m_model);
    for (int c = 0; c < int(std::size(ColumnWidths)); ++c) HistoryList->setColumnWidth(c, ColumnWidths[c]);

    struct Button {
        QPushButton *HistoryDialog::*member;
        const char *caption;
        const char *name;
    };
    static const Button buttonRow[] = {
        {&HistoryDialog::OpenButton, "&Open", "OpenButton"},
        {&HistoryDialog::AssignButton, "&Assign to Unit...", "AssignButton"},
        {&HistoryDialog::SendButton, "&Send to Controller...", "SendButton"},
        {&HistoryDialog::CloseButton, "Close", "CloseButton"},
    };
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(UnitFilter);
    filterRow->addStretch(1);
    filterRow->addWidget(ServerLabel);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const Button &b : buttonRow) {
        auto *button = new QPushButton(QString::fromLatin1(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        this->*b.member = button;
    }
    OpenButton->setDefault(true);
    SendButton->setVisible(m_send != SendOffer::Hidden);
    if (m_send == SendOffer::NotConnected) SendButton->setToolTip(NoSendTip);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(HistoryList);
    layout->addLayout(buttons);

    connect(OpenButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(AssignButton, &QPushButton::clicked, this, &HistoryDialog::AssignClicked);
    connect(SendButton, &QPushButton::clicked, this, &HistoryDialog::SendClicked);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HistoryList, &QTreeView::activated, this, [this] {
        if (SelectedImage()) accept();
    });
    connect(HistoryList->selectionModel(), &QItemSelectionModel::currentChanged, this, &HistoryDialog::SelectionChanged);
    FillUnitFilter(QString());
    connect(UnitFilter, &QComboBox::activated, this, &HistoryDialog::ShowEntries);
    ShowEntries();
}

void HistoryDialog::FillUnitFilter(const QString &keep)
{
    UnitFilter->clear();
    for (const char *caption : FilterCaptions) UnitFilter->addItem(QString::fromLatin1(caption));
    UnitFilter->addItems(m_store.Units());
    const int kept = keep.isEmpty() ? -1 : UnitFilter->findText(keep);
    UnitFilter->setCurrentIndex(kept >= FirstUnitRow ? kept : AllUnitsRow);
}

void HistoryDialog::ShowEntries()
{
    const int row = UnitFilter->currentIndex();
    using Scope = HistoryListing::Scope;
    if (row >= FirstUnitRow) m_model->SetListing(m_store.Listing(Scope::Unit, UnitFilter->currentText()));
    else m_model->SetListing(m_store.Listing(row == UnassignedRow ? Scope::Unassigned : Scope::All));
    if (m_model->rowCount({}) > 0) HistoryList->setCurrentIndex(m_model->index(0, 0));
    SelectionChanged();
}

void HistoryDialog::SelectionChanged()
{
    const std::optional<HistoryEntry> image = SelectedImage();
    OpenButton->setEnabled(image.has_value());
    AssignButton->setEnabled(image && image->unit.isEmpty());
    SendButton->setEnabled(m_send == SendOffer::Connected && image && !image->unit.isEmpty());
}

void HistoryDialog::AssignClicked()
{
    const std::optional<HistoryEntry> image = SelectedImage();
    if (!image || !image->unit.isEmpty()) return;
    QInputDialog ask(this);
    ask.setObjectName(QStringLiteral("AssignUnitDialog"));
    ask.setWindowTitle(QStringLiteral("Assign to Unit"));
    ask.setLabelText(QStringLiteral("The unit (truck or machine) this image belongs to:"));
    ask.setComboBoxItems(m_store.Units());
    ask.setComboBoxEditable(true);
    ask.setTextValue(QString());
    if (ask.exec() != QDialog::Accepted) return;
    const QString unit = ask.textValue().trimmed();
    if (unit.isEmpty()) return;
    QString error;
    if (!m_store.AssignUnit(*image, unit, &error)) return ShowErrorBox(this, error);
    m_assigned = true;
    FillUnitFilter(UnitFilter->currentIndex() >= FirstUnitRow ? UnitFilter->currentText() : QString());
    ShowEntries();
    ServerLabel->setText(ServerStateText(m_store));
}

void HistoryDialog::SendClicked()
{
    if (!SendButton->isEnabled()) return;
    m_action = Action::Send;
    accept();
}

std::optional<HistoryEntry> HistoryDialog::SelectedImage() const
{
    const QModelIndex current = HistoryList->currentIndex();
    if (!current.isValid() || m_model->Entry(current.row()).kind == HistoryKind::Firmware) return std::nullopt;
    return m_model->Entry(current.row());
}

std::optional<HistoryDialog::Choice> HistoryDialog::Choose(HistoryStore &store, SendOffer send, QWidget *parent,
                                                          bool *assigned)
{
    HistoryDialog dialog(store, send, parent);
    const int result = dialog.exec();
    if (assigned) *assigned = dialog.m_assigned;
    if (result != QDialog::Accepted) return std::nullopt;
    const std::optional<HistoryEntry> image = dialog.SelectedImage();
    if (!image) return std::nullopt;
    return Choice{*image, dialog.m_action};
}

std::optional<HistoryEntry> HistoryDialog::ChooseImage(HistoryStore &store, QWidget *parent)
{
    const std::optional<Choice> choice = Choose(store, SendOffer::Hidden, parent);
    if (!choice) return std::nullopt;
    return choice->entry;
}
