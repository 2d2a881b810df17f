#include "ui/quarnform.h"

#include "core/calimage.h"
#include "core/image_defaults.h"
#include "core/image_layout.h"
#include "core/settings.h"
#include "core/variants.h"
#include "core/catalog/catalogue.h"
#include "core/catalog/show.h"
#include "ui/centre.h"
#include "ui/helpform.h"
#include "ui/shopsync.h"
#include "ui/pages/blankpage.h"
#include "ui/pages/brennic/brennicpage.h"
#include "ui/pages/cscan/cscanpage.h"
#include "ui/pages/dorsell/dorsellpage.h"
#include "ui/pages/quarn/quarnpage.h"
#include "ui/splashform.h"
#include "ui/statuscolors.h"
#include "ui/widgets/statuspanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

namespace {
constexpr int ClientWidth = 592;
constexpr int ClientHeight = 449;
constexpr int BottomPanelHeight = 55;
constexpr int BottomPanelWithLog = 305;
constexpr int LogWindowGrowth = 250;
constexpr int StatusStripHeight = 57;
constexpr int LampTimerMs = 500;

// The main menu, as data: each item's caption, object name and handler.
struct MenuItem {
    const char *caption;  // nullptr: a separator
    const char *name;
    void (TQuarnForm::*handler)();
    QAction *TQuarnForm::*member;
};

// A control of the status strip, placed at its position and size.
struct StripPlace {
    int x, y, w, h;
};
}  // namespace

TQuarnForm::TQuarnForm(StartOptions options, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("QuarnForm"));
    setWindowTitle(QStringLiteral("Quarn Configuration Tool"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    BuildMenus();
    BuildClientArea();

    // Start-up, in order: the splash, the port setting, the link worker, the image defaults, the
    // first tab and list entries with the blank page, then the first load.
    if (options.showSplash) SplashForm::ShowSplash(this);
    ComPort = ReadComPortSetting();
    CreateLink();
    SetImageDefaults();
    for (ProductPage *page : Pages) page->StartUp();
    ProductNotebook->setCurrentIndex(BlankPage);
    ProductCode = Product::None;
    ImageToControls(true);
    for (ProductPage *page : Pages) page->CaptureStartState();

    // The history is shared with the shop's server from the start, in the background.
    m_shopSync = new ShopSync(HistoryStore::DefaultFolder(), this);
    connect(m_shopSync, &ShopSync::Ended, this, &TQuarnForm::ShowServerState);
    m_shopSync->Request();
    OfferUnits();
    ShowServerState();

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(LampTimerMs);
    connect(Timer2, &QTimer::timeout, this, &TQuarnForm::Timer2Timer);
    Timer2->start();

    CentreOnScreen(this);
    InstallAppMessage();
}

TQuarnForm::~TQuarnForm()
{
    FreeLink();
    // Hide and free the pages while this window is still whole: an edit box that loses the focus
    // as the window goes stores its text through its handler, which reaches the window.
    hide();
    delete takeCentralWidget();
}

void TQuarnForm::BuildMenus()
{
    static const MenuItem fileItems[] = {
        {"&Open", "Open1", &TQuarnForm::Open1Click, &TQuarnForm::Open1},
        {"&Save", "Save1", &TQuarnForm::Save1Click, &TQuarnForm::Save1},
        {nullptr, nullptr, nullptr, nullptr},
        {"&History...", "History1", &TQuarnForm::History1Click, &TQuarnForm::History1},
        {"&Compare...", "Compare1", &TQuarnForm::Compare1Click, &TQuarnForm::Compare1},
        {"Shop Se&rver...", "ShopServer1", &TQuarnForm::ShopServer1Click, &TQuarnForm::ShopServer1},
        {nullptr, nullptr, nullptr, nullptr},
        {"&Print", "Print1", &TQuarnForm::Print1Click, &TQuarnForm::Print1},
        {nullptr, nullptr, nullptr, nullptr},
        {"&Exit", "Exit1", &TQuarnForm::Exit1Click, &TQuarnForm::Exit1},
    };
    static const MenuItem viewItems[] = {
        {"&Log Window", "LogWindow1", &TQuarnForm::LogWindow1Click, &TQuarnForm::LogWindow1},
        {"Quarn Menu", "QuarnMenu1", &TQuarnForm::QuarnMenu1Click, &TQuarnForm::QuarnMenu1},
        {"Dorsell Menu", "DorsellMenu1", &TQuarnForm::DorsellMenu1Click, &TQuarnForm::DorsellMenu1},
        {"Brennic Menu", "BrennicMenu1", &TQuarnForm::BrennicMenu1Click, &TQuarnForm::BrennicMenu1},
        {"Horner CsCAN", "HornerCsCAN1", &TQuarnForm::HornerCsCAN1Click, &TQuarnForm::HornerCsCAN1},
        {"Ostrel", "Ostrel1", &TQuarnForm::Ostrel1Click, &TQuarnForm::Ostrel1},
    };
    static const MenuItem datalinkItems[] = {
        {"&Port Number", "PortNumber1", &TQuarnForm::PortNumber1Click, &TQuarnForm::PortNumber1},
        {"&Send Calibration", "SendCal", &TQuarnForm::SendCalClick, &TQuarnForm::SendCal},
        {"&Get Calibration", "GetCalibration1", &TQuarnForm::GetCalibration1Click, &TQuarnForm::GetCalibration1},
        {"&Upgrade Firmware", "UpgradeFirmware1", &TQuarnForm::UpgradeFirmware1Click, &TQuarnForm::UpgradeFirmware1},
        {"&Reset Cal File", "ResetCalFile1", &TQuarnForm::ResetCalFile1Click, &TQuarnForm::ResetCalFile1},
    };
    static const MenuItem helpItems[] = {
        {"&About", "About1", &TQuarnForm::About1Click, &TQuarnForm::About1},
    };
    struct Menu {
        const char *caption;
        const char *name;
        const MenuItem *items;
        size_t count;
    };
    static const Menu menus[] = {
        {"&File", "File1", fileItems, std::size(fileItems)},
        {"&View", "View1", viewItems, std::size(viewItems)},
        {"&Datalink", "Datalink1", datalinkItems, std::size(datalinkItems)},
        {"&Help", "Help1", helpItems, std::size(helpItems)},
    };
    for (const Menu &m : menus) {
        QMenu *menu = menuBar()->addMenu(QString::fromLatin1(m.caption));
        menu->setObjectName(QString::fromLatin1(m.name));
        for (size_t i = 0; i < m.count; ++i) {
            const MenuItem &item = m.items[i];
            if (!item.caption) {
                menu->addSeparator();
                continue;
            }
            QAction *action = menu->addAction(QString::fromLatin1(item.caption));
            action->setObjectName(QString::fromLatin1(item.name));
            this->*item.member = action;
            connect(action, &QAction::triggered, this, item.handler);
        }
    }
    LogWindow1->setCheckable(true);
}

void TQuarnForm::BuildClientArea()
{
    Client = new QWidget(this);
    Client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(Client);

    ProductNotebook = new QStackedWidget(Client);
    ProductNotebook->setObjectName(QStringLiteral("ProductNotebook"));
    Pages[BlankPage] = new EmptyPage(*this, QStringLiteral("Blank"));
    Pages[QuarnPageIndex] = new QuarnPage(*this);
    Pages[DorsellPageIndex] = new DorsellPage(*this);
    Pages[VintlePageIndex] = new EmptyPage(*this, QStringLiteral("Vintle"));
    Pages[BrennicPageIndex] = new BrennicPage(*this);
    Pages[CsCanPageIndex] = new CsCanPage(*this);
    static const char *const pageNames[] = {"Blank", "Quarn", "Dorsell", "Vintle", "Brennic", "Horner CsCAN"};
    for (int i = 0; i < 6; ++i) {
        Pages[i]->setWindowTitle(QString::fromLatin1(pageNames[i]));
        ProductNotebook->addWidget(Pages[i]);
    }

    BottomPanel = new QWidget(Client);
    BottomPanel->setObjectName(QStringLiteral("BottomPanel"));
    TopProgPanel = new QWidget(BottomPanel);
    TopProgPanel->setObjectName(QStringLiteral("TopProgPanel"));
    TopProgPanel->setGeometry(0, 0, ClientWidth, StatusStripHeight);

    auto place = [](QWidget *w, const char *name, StripPlace p) {
        w->setObjectName(QString::fromLatin1(name));
        if (p.w > 0)
            w->setGeometry(p.x, p.y, p.w, p.h);
        else {
            w->move(p.x, p.y);
            w->adjustSize();
        }
    };
    ConnectedPanel = new StatusPanel(TopProgPanel);
    ConnectedPanel->setAlignment(Qt::AlignCenter);
    ConnectedPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ConnectedPanel->setAutoFillBackground(true);
    place(ConnectedPanel, "ConnectedPanel", {8, 0, 273, 25});
    ProgressLabel = new QLabel(QStringLiteral("Progress:"), TopProgPanel);
    place(ProgressLabel, "ProgressLabel", {8, 31, 0, 0});
    ProgressGauge = new QProgressBar(TopProgPanel);
    ProgressGauge->setRange(0, 100);
    ProgressGauge->setValue(0);
    ProgressGauge->setTextVisible(false);
    place(ProgressGauge, "ProgressGauge", {56, 28, 225, 20});
    TXLabel = new QLabel(QStringLiteral("TX"), TopProgPanel);
    place(TXLabel, "TXLabel", {288, 4, 0, 0});
    TXPanel = new QLabel(TopProgPanel);
    place(TXPanel, "TXPanel", {292, 20, 8, 20});
    RXLabel = new QLabel(QStringLiteral("RX"), TopProgPanel);
    place(RXLabel, "RXLabel", {308, 4, 0, 0});
    RXPanel = new QLabel(TopProgPanel);
    place(RXPanel, "RXPanel", {312, 20, 8, 20});
    for (QLabel *lamp : {TXPanel, RXPanel}) {
        lamp->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        SetPanelColor(lamp, StatusColor::LampOff);
    }
    // The buttons beside the status line, the unit of the controller beside the progress.
    UploadButton = new QPushButton(QStringLiteral("&Send Cal"), TopProgPanel);
    place(UploadButton, "UploadButton", {332, 0, 57, 25});
    DownloadButton = new QPushButton(QStringLiteral("&Get Cal"), TopProgPanel);
    place(DownloadButton, "DownloadButton", {396, 0, 64, 25});
    ResetButton = new QPushButton(QStringLiteral("Reset"), TopProgPanel);
    place(ResetButton, "ResetButton", {468, 0, 64, 25});
    UnitBox = new QComboBox(TopProgPanel);
    UnitBox->setEditable(true);
    UnitBox->setInsertPolicy(QComboBox::NoInsert);
    UnitBox->setToolTip(QStringLiteral("The truck or machine this controller is fitted to; "
                                       "what is exchanged with it is kept in the history under this name"));
    place(UnitBox, "UnitBox", {362, 28, 146, 22});
    UnitLabel = new QLabel(QStringLiteral("&Unit:"), TopProgPanel);
    UnitLabel->setBuddy(UnitBox);
    place(UnitLabel, "UnitLabel", {332, 31, 0, 0});
    ServerWaitingLabel = new QLabel(TopProgPanel);
    place(ServerWaitingLabel, "ServerWaitingLabel", {514, 31, 74, 16});
    connect(UploadButton, &QPushButton::clicked, this, &TQuarnForm::UploadButtonClick);
    connect(DownloadButton, &QPushButton::clicked, this, &TQuarnForm::DownloadButtonClick);
    connect(ResetButton, &QPushButton::clicked, this, &TQuarnForm::ResetButtonClick);

    MemoPanel = new QWidget(BottomPanel);
    MemoPanel->setObjectName(QStringLiteral("MemoPanel"));
    Memo1 = new QPlainTextEdit(MemoPanel);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoPanel->hide();

    m_clientHeight = ClientHeight;
    LayoutClientArea();
}

void TQuarnForm::LayoutClientArea()
{
    int bottomHeight = LogWindow1->isChecked() ? BottomPanelWithLog : BottomPanelHeight;
    Client->setFixedSize(ClientWidth, m_clientHeight);
    ProductNotebook->setGeometry(0, 0, ClientWidth, m_clientHeight - bottomHeight);
    BottomPanel->setGeometry(0, m_clientHeight - bottomHeight, ClientWidth, bottomHeight);
    MemoPanel->setGeometry(0, StatusStripHeight, ClientWidth, bottomHeight - StatusStripHeight);
    Memo1->setGeometry(MemoPanel->rect());
    int menuHeight = menuBar()->sizeHint().height();
    setFixedSize(ClientWidth, m_clientHeight + menuHeight);
}

void TQuarnForm::LogWindow1Click()
{
    // The action's tick has already flipped when this runs.
    m_clientHeight += LogWindow1->isChecked() ? LogWindowGrowth : -LogWindowGrowth;
    MemoPanel->setVisible(LogWindow1->isChecked());
    LayoutClientArea();
}

void TQuarnForm::Exit1Click()
{
    FreeLink();
    close();
}

void TQuarnForm::closeEvent(QCloseEvent *event)
{
    // Closing by the close box stops the link worker as "&Exit" does, so its thread never
    // outlives the window.
    FreeLink();
    m_shopSync->HoldForClose();
    QMainWindow::closeEvent(event);
}

namespace {
// The page of the stack a variant is shown on.
TQuarnForm::PageIndex PageOf(const Variant &variant)
{
    switch (variant.page) {
    case VariantPage::Quarn: return TQuarnForm::QuarnPageIndex;
    case VariantPage::Dorsell: return TQuarnForm::DorsellPageIndex;
    case VariantPage::Vintle: return TQuarnForm::VintlePageIndex;
    case VariantPage::Brennic: return TQuarnForm::BrennicPageIndex;
    case VariantPage::CsCan: return TQuarnForm::CsCanPageIndex;
    }
    return TQuarnForm::BlankPage;
}

TQuarnForm::PageIndex PageOf(uint8_t code) { return PageOf(*VariantOfCode(code)); }
}  // namespace

void TQuarnForm::About1Click() { SplashForm::ShowSplash(this); }

void TQuarnForm::ShowHelp() { HelpForm::ShowHelp(this); }

void TQuarnForm::SetImageDefaults()
{
    ::SetImageDefaults();
    for (ProductPage *page : Pages) page->ResetDefaults();
}

void TQuarnForm::ImageToControls(bool fromLink)
{
    if (m_updating) return;
    // A new image in memory is kept as it is and shown through the page's rules; a reload after
    // an edit keeps the edit first.
    if (fromLink) {
        m_kept = CalImage;
        CalImage = Catalogue::ShowFor(m_kept, ProductCode).image;
    } else {
        TakeEdits();
        // An edit can leave a setting the page cannot show (a joystick changed to the four-stick
        // layout keeps modes other than safety): the page shows the edited image settled by its rules.
        CalImage = Catalogue::ShowFor(CalImage, ProductCode).image;
    }
    LoadPage();
}

void TQuarnForm::LoadPage()
{
    if (const Variant *variant = VariantOfCode(ProductCode)) {
        m_updating = true;
        const PageIndex page = PageOf(*variant);
        ProductNotebook->setCurrentIndex(page);
        Pages[page]->LoadImage();
        m_updating = false;
    }
    // A page whose loader still stores what its controls show has shown this.
    m_shown = CalImage;
}

void TQuarnForm::TakeEdits()
{
    if (CalImage == m_shown) return;
    Catalogue::CarryEdit(m_kept, m_shown, CalImage, ProductCode);
    m_shown = CalImage;
}

void TQuarnForm::ShowProductPage(uint8_t code, PageIndex page)
{
    TakeEdits();
    ProductNotebook->setCurrentIndex(page);
    ProductCode = code;
    ShowKept();
    LogShownAdjustments();
}

void TQuarnForm::ShowKept()
{
    for (ProductPage *page : Pages) page->RestoreStartState();
    CalImage = Catalogue::ShowFor(m_kept, ProductCode).image;
    LoadPage();
}

void TQuarnForm::ShowImage()
{
    m_kept = CalImage;
    ShowKept();
}

void TQuarnForm::ShowArrivedImage()
{
    ShowImage();
    LogShownAdjustments();
}

void TQuarnForm::LogShownAdjustments()
{
    if (ProductCode == Product::None) return;
    const QString line = Catalogue::ShownAdjustmentsLine(m_kept, CalImage, ProductCode);
    if (!line.isEmpty()) Memo1->appendPlainText(line);
}

void TQuarnForm::QuarnMenu1Click() { ShowProductPage(Product::Quarn, PageOf(Product::Quarn)); }
void TQuarnForm::DorsellMenu1Click() { ShowProductPage(Product::Dorsell, PageOf(Product::Dorsell)); }
void TQuarnForm::BrennicMenu1Click() { ShowProductPage(Product::Brennic, PageOf(Product::Brennic)); }
void TQuarnForm::HornerCsCAN1Click() { ShowProductPage(Product::CsCan, PageOf(Product::CsCan)); }
void TQuarnForm::Ostrel1Click() { ShowProductPage(Product::Ostrel, PageOf(Product::Ostrel)); }
