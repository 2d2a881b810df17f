#include "ui/dialogs/comparedialog.h"

#include "core/image_defaults.h"
#include "core/usablefile.h"
#include "core/catalog/catalogue.h"
#include "ui/errorbox.h"
#include "ui/dialogs/historydialog.h"
#include "ui/dialogs/joydialogs.h"
#include "core/files/joyfile.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int DialogWidth = 600;
constexpr int DialogHeight = 420;
constexpr int NameColumnWidth = 260;
constexpr int ValueColumnWidth = 140;
const QString ImageColumn = QStringLiteral("In memory");
const QString ImagePhrase = QStringLiteral("The image in memory");
const QString OtherColumn = QStringLiteral("Other");
}  // namespace

CompareDialog::CompareDialog(const CalImageBytes &image, uint8_t product, std::optional<CalImageBytes> lastExchanged,
                             HistoryStore store, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_image(image), m_product(product), m_lastExchanged(std::move(lastExchanged)), m_store(std::move(store))
{
    setObjectName(QStringLiteral("CompareDialog"));
    setWindowTitle(QStringLiteral("Compare"));
    resize(DialogWidth, DialogHeight);

    SourceRow = new QWidget(this);
    auto *sources = new QHBoxLayout(SourceRow);
    sources->setContentsMargins(0, 0, 0, 0);
    sources->addWidget(new QLabel(QStringLiteral("Compare with:"), SourceRow));
    struct Source {
        QPushButton *CompareDialog::*button;
        const char *caption;
        const char *name;
        void (CompareDialog::*handler)();
    };
    static const Source sourceButtons[] = {
        {&CompareDialog::LastButton, "&Last Exchanged", "LastButton", &CompareDialog::CompareWithLast},
        {&CompareDialog::HistoryButton, "&History...", "HistoryButton", &CompareDialog::CompareWithHistory},
        {&CompareDialog::FileButton, "&File...", "FileButton", &CompareDialog::CompareWithFile},
        {&CompareDialog::DefaultsButton, "&Defaults", "DefaultsButton", &CompareDialog::CompareWithDefaults},
    };
    for (const Source &source : sourceButtons) {
        auto *button = new QPushButton(QString::fromLatin1(source.caption), SourceRow);
        button->setObjectName(QString::fromLatin1(source.name));
        connect(button, &QPushButton::clicked, this, source.handler);
        sources->addWidget(button);
        this->*source.button = button;
    }
    sources->addStretch(1);
    LastButton->setEnabled(m_lastExchanged.has_value());

    SubjectLabel = new QLabel(this);
    SubjectLabel->setObjectName(QStringLiteral("SubjectLabel"));
    SubjectLabel->setWordWrap(true);
    DifferenceList = new QTreeWidget(this);
    DifferenceList->setObjectName(QStringLiteral("DifferenceList"));
    DifferenceList->setHeaderLabels({QStringLiteral("Setting"), ImageColumn, OtherColumn});
    m_imagePhrase = ImagePhrase;
    DifferenceList->setRootIsDecorated(false);
    DifferenceList->setUniformRowHeights(true);
    DifferenceList->setColumnWidth(0, NameColumnWidth);
    DifferenceList->setColumnWidth(1, ValueColumnWidth);
    CountLabel = new QLabel(this);
    CountLabel->setObjectName(QStringLiteral("CountLabel"));
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setDefault(true);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(CountLabel, 1);
    bottom->addWidget(CloseButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SourceRow);
    layout->addWidget(SubjectLabel);
    layout->addWidget(DifferenceList);
    layout->addLayout(bottom);

    if (m_lastExchanged) CompareWithLast();
    else SubjectLabel->setText(QStringLiteral("Choose what to compare the image in memory with."));
}

void CompareDialog::SetImageTitle(const QString &column, const QString &phrase)
{
    DifferenceList->headerItem()->setText(1, column);
    m_imagePhrase = phrase;
    // The pair is the dialog's subject: no other image is offered.
    SourceRow->hide();
}

void CompareDialog::CompareWith(const CalImageBytes &other, const QString &what, const QString &otherColumn)
{
    const QList<Catalogue::FieldDifference> differences = Catalogue::Differences(m_image, other, m_product);
    DifferenceList->headerItem()->setText(2, otherColumn.isEmpty() ? OtherColumn : otherColumn);
    SubjectLabel->setText(QStringLiteral("%1, read as %2, against %3.")
                              .arg(m_imagePhrase, Catalogue::ProductName(m_product), what));
    DifferenceList->clear();
    QList<QTreeWidgetItem *> items;
    for (const Catalogue::FieldDifference &d : differences) {
        const auto [valueA, valueB] = Catalogue::DistinctValues(d);
        auto *item = new QTreeWidgetItem({d.name, valueA, valueB});
        item->setToolTip(0, d.name);
        items.append(item);
    }
    DifferenceList->addTopLevelItems(items);
    const int count = int(differences.size());
    CountLabel->setText(count == 0   ? QStringLiteral("No differences.")
                        : count == 1 ? QStringLiteral("1 setting differs.")
                                     : QStringLiteral("%1 settings differ.").arg(count));
}

void CompareDialog::CompareWithLast()
{
    if (m_lastExchanged) CompareWith(*m_lastExchanged, QStringLiteral("the last image exchanged with the controller"));
}

void CompareDialog::CompareWithHistory()
{
    const std::optional<HistoryEntry> chosen = HistoryDialog::ChooseImage(m_store, this);
    if (!chosen) return;
    CalImageBytes other;
    QString error;
    if (!m_store.Load(*chosen, other, &error)) return ShowErrorBox(this, error);
    CompareWith(other, HistoryImageWords(*chosen));
}

void CompareDialog::CompareWithFile()
{
    const QString fileName = AskJoyFileToOpen(this);
    if (fileName.isEmpty() || !UsableFile(fileName)) return;
    CalImageBytes other;
    const IoError error = ReadJoyFile(fileName, other);
    if (error.failed()) return ShowErrorBox(this, IoErrorText(error));
    CompareWith(other, QDir::toNativeSeparators(fileName));
}

void CompareDialog::CompareWithDefaults()
{
    CalImageBytes defaults;
    SetImageDefaultBytes(defaults.data());
    CompareWith(defaults, QStringLiteral("the default image"));
}
