// The main window's component tree: captions, hints, sizes and places as the window is designed
// at 758 x 532; anchors keep the right-hand parts at the right edge when it is resized.
#include "ui/SysLogForm.h"

#include "ui/Anchors.h"
#include "ui/DataGridView.h"
#include "ui/TDuration.h"
#include "widgets/TImageButton.h"
#include "widgets/TnDBGrid.h"
#include "widgets/TnLabel.h"
#include "widgets/TnPageControl.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextDocument>
#include <QVBoxLayout>

namespace corvane {

namespace {

QFont pixelFont(const QString& family, int px) {
    QFont f(family);
    f.setPixelSize(px);
    return f;
}

template <class W>
W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

TImageButton* headerButton(QWidget* parent, const char* name, int x, const char* hint, int first) {
    auto* b = named(new TImageButton(parent), name);
    b->setGeometry(x, 16, 32, 32);
    b->setCursor(Qt::PointingHandCursor);
    b->setToolTip(QCoreApplication::translate("corvane::TSysLogForm", hint));
    b->imageIndexes()->setStates(first, first + 1, first + 2, first + 3);
    return b;
}

TImageButton* smallButton(QWidget* parent, const char* name, QPoint at, const char* hint, int first) {
    auto* b = named(new TImageButton(parent), name);
    b->setGeometry(at.x(), at.y(), 24, 24);
    b->setCursor(Qt::PointingHandCursor);
    b->setToolTip(QCoreApplication::translate("corvane::TSysLogForm", hint));
    b->imageIndexes()->setStates(first, first + 1, first + 2, first + 3);
    return b;
}

TnLabel* filterField(QWidget* parent, const char* name, const char* caption, int width, QPoint at) {
    auto* l = named(new TnLabel(parent), name);
    l->setCaption(QCoreApplication::translate("corvane::TSysLogForm", caption));
    l->setGeometry(at.x(), at.y(), width, 24);
    l->setFixedWidth(width);
    l->setMargin(16);
    l->setLayout(TextLayout::Center);
    l->setClientColor(QColor(255, 255, 255));
    l->setClientColor2(QColor(222, 232, 246));
    return l;
}

TgLabel* detailRow(QWidget* parent, const char* name, const QString& caption, bool heading, int y,
                   int margin = 0) {
    auto* l = named(new TgLabel(parent), name);
    l->setAutoSize(false);
    l->setCaption(caption);
    l->setFont(pixelFont(QStringLiteral("Verdana"), 13));
    l->setGeometry(4, y, 180, 16);
    l->setMargin(margin);
    if (heading) {
        l->setDropShadow(true);
        l->setShadowColor(TColor(QColor(200, 210, 225)));
        l->setColor(TColor(QColor(255, 255, 255)));
        l->setColor2(TColor(QColor(214, 226, 242)));
    } else {
        l->setTransparent(true);
    }
    return l;
}

}  // namespace

void TSysLogForm::buildComponents() {
    setObjectName(QStringLiteral("SysLogForm"));
    setWindowTitle(QStringLiteral("Corvane"));
    setMinimumWidth(540);
    setFont(pixelFont(QStringLiteral("Verdana"), 11));
    setGeometry(229, 117, kDesignWidth, kDesignHeight);
    buildHeader();
    buildFilterBar();
    buildStatusBar();
    buildPages();
    alignChildren();
}

void TSysLogForm::buildHeader() {
    nHeader = named(new TnControl(this), "nHeader");
    nHeader->setGeometry(0, 0, kDesignWidth, 64);
    nHeader->setClientColor(QColor(255, 255, 255));
    nHeader->setClientColor2(QColor(196, 214, 236));
    nHeader->setBevelKind(BevelKind::Flat);
    nHeader->setBevelEdges(beBottom);
    auto* anchors = new Anchors(nHeader);

    Image1 = named(new TImageLabel(nHeader), "Image1");
    Image1->setGeometry(24, 4, 51, 56);
    iBtnSetup =
        headerButton(nHeader, "iBtnSetup", 144, QT_TRANSLATE_NOOP("corvane::TSysLogForm", "Setup"), 4);
    ibtnHelp = headerButton(nHeader, "ibtnHelp", 176, QT_TRANSLATE_NOOP("corvane::TSysLogForm", "Help"), 12);
    iBtnClose = headerButton(nHeader, "iBtnClose", 208, QT_TRANSLATE_NOOP("corvane::TSysLogForm", "Exit"), 0);
    iBtnClear =
        headerButton(nHeader, "iBtnClear", 586, QT_TRANSLATE_NOOP("corvane::TSysLogForm", "Clear All"), 8);
    CompanyLogo = named(new TImageLabel(nHeader), "CompanyLogo");
    CompanyLogo->setGeometry(632, 0, 120, 64);
    CompanyLogo->setPictureMode(PictureMode::Proportional);
    anchors->add(iBtnClear, akTop | akRight);
    anchors->add(CompanyLogo, akTop | akRight);
}

void TSysLogForm::buildFilterBar() {
    Filter = named(new TnControl(this), "Filter");
    Filter->setGeometry(0, 64, kDesignWidth, 54);
    Filter->setFixedHeight(54);
    Filter->setBorderWidth(1);
    Filter->setClientColor(QColor(246, 249, 253));
    Filter->setClientColor2(QColor(222, 232, 246));
    Filter->setBevelKind(BevelKind::Flat);
    Filter->setBevelEdges(beBottom);
    auto* anchors = new Anchors(Filter);

    iBtnAdvanced =
        smallButton(Filter, "iBtnAdvanced", {8, 2}, QT_TRANSLATE_NOOP("corvane::TSysLogForm", "Advanced"), 2);
    iBtnAdvanced->setCaptionGlow(false);

    Advanced = named(new TnControl(Filter), "Advanced");
    Advanced->setGeometry(40, 1, 706, 27);
    Advanced->setMinimumWidth(386);
    auto* advancedAnchors = new Anchors(Advanced);
    btnClear =
        smallButton(Advanced, "btnClear", {1, 1}, QT_TRANSLATE_NOOP("corvane::TSysLogForm", "Clear"), 10);
    AdvancedFilter = named(new QLineEdit(Advanced), "AdvancedFilter");
    AdvancedFilter->setGeometry(26, 1, 629, 23);
    AdvancedFilter->setFont(pixelFont(QStringLiteral("Verdana"), 12));
    AdvancedFilter->setToolTip(tr("Advanced data Filter experssion"));
    AdvancedFilter->setText(QStringLiteral("Example: [field]  = 'value'"));
    QPalette grey = AdvancedFilter->palette();
    grey.setColor(QPalette::Text, QColor(128, 128, 128));
    AdvancedFilter->setPalette(grey);
    btnApply =
        smallButton(Advanced, "btnApply", {657, 1}, QT_TRANSLATE_NOOP("corvane::TSysLogForm", "Apply"), 14);
    btnEditFilter = smallButton(Advanced, "btnEditFilter", {681, 1},
                                QT_TRANSLATE_NOOP("corvane::TSysLogForm", "Edit"), 18);
    advancedAnchors->add(AdvancedFilter, akLeft | akTop | akRight);
    advancedAnchors->add(btnApply, akTop | akRight);
    advancedAnchors->add(btnEditFilter, akTop | akRight);
    // The window starts with the simple bar; the filter bar's controller switches between the two.
    Advanced->hide();

    Simple = named(new TnControl(Filter), "Simple");
    Simple->setGeometry(40, 1, 706, 50);
    Simple->setMinimumWidth(386);
    Simple->setGradient(false);
    Simple->setClientColor(QColor(246, 249, 253));
    IncrementFilter = filterField(Simple, "IncrementFilter",
                                  QT_TRANSLATE_NOOP("corvane::TSysLogForm", "Of last - "), 200, {0, 0});
    AddressFilter = filterField(Simple, "AddressFilter",
                                QT_TRANSLATE_NOOP("corvane::TSysLogForm", "IP Address - "), 256, {201, 0});
    FacilityFilter = filterField(Simple, "FacilityFilter",
                                 QT_TRANSLATE_NOOP("corvane::TSysLogForm", "For - "), 200, {0, 25});
    SeverityFilter =
        filterField(Simple, "SeverityFilter", QT_TRANSLATE_NOOP("corvane::TSysLogForm", "with Severity - "),
                    256, {201, 25});

    dbAmount = named(new QLineEdit(IncrementFilter), "dbAmount");
    // Two digits need a little more than the frame of an 18-pixel edit leaves: the field takes
    // the gap up to the list and the smallest inner margins.
    dbAmount->setGeometry(88, 0, 23, 24);
    dbAmount->setTextMargins(-1, 0, -1, 0);
    dbAmount->setAlignment(Qt::AlignRight);
    cbIncrement = named(new QComboBox(IncrementFilter), "cbIncrement");
    cbIncrement->setGeometry(112, 0, 88, 24);
    dbAddress = named(new QComboBox(AddressFilter), "dbAddress");
    dbAddress->setGeometry(111, 0, 144, 24);
    dbFacility = named(new QComboBox(FacilityFilter), "dbFacility");
    dbFacility->setGeometry(56, 0, 144, 24);
    dbSeverity = named(new QComboBox(SeverityFilter), "dbSeverity");
    dbSeverity->setGeometry(112, 0, 144, 24);

    // Simple stretches with the bar; its height is the wrapping's to decide.
    anchors->add(Simple, akLeft | akTop | akRight);
    anchors->add(Advanced, akLeft | akTop | akRight);
}

void TSysLogForm::buildPages() {
    nMain = named(new TnPageControl(this), "nMain");
    nMain->setFont(pixelFont(QStringLiteral("Arial"), 11));
    buildRecentPage();
    buildDataPage();
}

void TSysLogForm::buildRecentPage() {
    RecentTab = named(new QWidget, "RecentTab");
    auto* pageLayout = new QVBoxLayout(RecentTab);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    nRecent = named(new TnControl(RecentTab), "nRecent");
    nRecent->setBorderWidth(4);
    pageLayout->addWidget(nRecent);
    auto* layout = new QHBoxLayout(nRecent);
    layout->setContentsMargins(4, 4, 4, 4);
    Splitter1 = named(new QSplitter(Qt::Horizontal, nRecent), "Splitter1");
    Splitter1->setHandleWidth(4);
    Splitter1->setChildrenCollapsible(false);
    layout->addWidget(Splitter1);

    buildDetails();
    Splitter1->addWidget(nRecentDetails);

    Messages = named(new TnDBGrid, "Messages");
    Messages->setFont(pixelFont(QStringLiteral("Verdana"), 12));
    Splitter1->addWidget(Messages);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({188, 520});
    nMain->addPage(RecentTab, tr("Recent"));
}

void TSysLogForm::buildDetails() {
    nRecentDetails = named(new QWidget, "nRecentDetails");
    nRecentDetails->setMinimumWidth(120);
    auto* column = new QVBoxLayout(nRecentDetails);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    Splitter2 = named(new QSplitter(Qt::Vertical, nRecentDetails), "Splitter2");
    Splitter2->setHandleWidth(4);
    Splitter2->setChildrenCollapsible(false);
    column->addWidget(Splitter2, 1);

    nDetails = named(new TnControl, "nDetails");
    nDetails->setBorderWidth(4);
    // Its rows need 217 pixels, which it has from the design size up; in a shorter window it
    // gives up its lower rows (down to the facility and the date) rather than slide over the
    // raw data below it.
    nDetails->setMinimumHeight(72);
    nDetails->setClientColor(QColor(255, 255, 255));
    nDetails->setClientColor2(QColor(232, 240, 250));
    iFacility = named(new TImageLabel(nDetails), "iFacility");
    iFacility->setGeometry(4, 4, 180, 32);
    iFacility->setCaption(tr("Facility"));
    iFacility->setMargin(16);
    iFacility->setAlignment(TextAlignment::Center);
    iFacility->setLayout(TextLayout::Center);
    iFacility->setPictureMode(PictureMode::AsLoaded);
    int y = 36;
    auto row = [&](TgLabel*& label, const char* name, const QString& caption, bool heading, int margin = 0) {
        label = detailRow(nDetails, name, caption, heading, y, margin);
        y += 16;
    };
    row(glDate, "glDate", tr("Date:"), true);
    row(Date, "Date", QString(), false, 12);
    row(glSeverity, "glSeverity", tr("Severity:"), true);
    row(Severity, "Severity", tr("N/A"), false, 12);
    row(glProcess, "glProcess", tr("Process:"), true);
    row(Process, "Process", tr("No current process"), false, 12);
    Process->setWordWrap(true);
    row(SubProcess, "SubProcess", QString(), false, 12);
    SubProcess->setWordWrap(true);
    row(glProcessID, "glProcessID", tr("Process ID:"), true);
    row(ProcessID, "ProcessID", QStringLiteral("00000000"), false, 12);
    row(ProcessEx, "ProcessEx", QString(), false, 12);
    glData = detailRow(nDetails, "glData", tr(" Raw Data (8bit ASCII)"), true, 197);
    auto* detailAnchors = new Anchors(nDetails);
    nDetails->resize(188, 217);
    for (QObject* child : nDetails->children())
        if (auto* w = qobject_cast<QWidget*>(child))
            detailAnchors->add(w, akLeft | akTop | akRight);
    Splitter2->addWidget(nDetails);

    DetailData = named(new QPlainTextEdit, "DetailData");
    DetailData->setReadOnly(true);
    DetailData->setFont(pixelFont(QStringLiteral("Verdana"), 11));
    // The box is a few lines high at the design size: narrow margins give the text the room, and
    // the scroll bar is always there, so the rest of a long message can be reached.
    DetailData->document()->setDocumentMargin(2);
    DetailData->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Three lines, so that the box fits under the details at the design size: a box taller than
    // its room would slide under them and hide the message's first line.
    DetailData->setMinimumHeight(3 * DetailData->fontMetrics().lineSpacing() + 2 * 2 +
                                 2 * DetailData->frameWidth());
    Splitter2->addWidget(DetailData);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);

    glDescription = detailRow(nRecentDetails, "glDescription", tr(" Description: "), true, 0);
    glDescription->setFixedHeight(16);
    column->addWidget(glDescription);
    Description = named(new QPlainTextEdit(nRecentDetails), "Description");
    Description->setReadOnly(true);
    Description->setFixedHeight(60);
    Description->setFont(pixelFont(QStringLiteral("Verdana"), 11));
    column->addWidget(Description);
}

void TSysLogForm::buildDataPage() {
    DataTab = named(new QWidget, "DataTab");
    auto* pageLayout = new QVBoxLayout(DataTab);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    clHistory = named(new TnControl(DataTab), "clHistory");
    clHistory->setBorderWidth(4);
    pageLayout->addWidget(clHistory);
    auto* layout = new QVBoxLayout(clHistory);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(0);
    DataGrid = named(new DataGridView(clHistory), "DataGrid");
    DataGrid->setFont(pixelFont(QStringLiteral("Arial"), 11));
    layout->addWidget(DataGrid, 1);

    nControl1 = named(new TnControl(clHistory), "nControl1");
    nControl1->setFixedHeight(30);
    nControl1->resize(kDesignWidth - 24, 30);
    layout->addWidget(nControl1);
    lblTest = named(new TnLabel(nControl1), "lblTest");
    lblTest->setCaption(tr(" Message - "));
    lblTest->setGeometry(16, 7, 100, 18);
    lblTest->setGradient(false);
    lblTest->setClientColor(TColor(QColor(0, 0, 0, 0)));
    TestData = named(new QLineEdit(nControl1), "TestData");
    TestData->setGeometry(128, 5, 267, 22);
    lblTestAddress = named(new TnLabel(nControl1), "lblTestAddress");
    lblTestAddress->setCaption(tr(" Address - "));
    lblTestAddress->setGeometry(410, 7, 90, 18);
    lblTestAddress->setGradient(false);
    lblTestAddress->setClientColor(TColor(QColor(0, 0, 0, 0)));
    TestAddress = named(new QLineEdit(nControl1), "TestAddress");
    TestAddress->setGeometry(506, 5, 104, 22);
    btnTest = named(new QPushButton(QStringLiteral("&Send"), nControl1), "btnTest");
    btnTest->setGeometry(614, 5, 72, 22);
    auto* anchors = new Anchors(nControl1);
    anchors->add(TestData, akLeft | akTop | akRight);
    anchors->add(lblTestAddress, akTop | akRight);
    anchors->add(TestAddress, akTop | akRight);
    anchors->add(btnTest, akTop | akRight);
    nMain->addPage(DataTab, tr("Data"));
}

void TSysLogForm::buildStatusBar() {
    StatusBar = named(new TnControl(this), "StatusBar");
    StatusBar->setGeometry(0, kDesignHeight - 28, kDesignWidth, 28);
    StatusBar->setBevelKind(BevelKind::Flat);
    StatusBar->setBevelEdges(beTop);
    auto* anchors = new Anchors(StatusBar);

    lbUpTime = named(new TnLabel(StatusBar), "lbUpTime");
    lbUpTime->setCaption(tr(" Up Time: "));
    lbUpTime->setGeometry(0, 0, 72, 28);
    lbUpTime->setAlignment(TextAlignment::Center);
    lbUpTime->setLayout(TextLayout::Center);
    lbUpTime->setGradient(false);
    lbUpTime->setClientColor(TColor(QColor(0, 0, 0, 0)));

    Duration = named(new TDuration(StatusBar, m_env.clock), "Duration");
    Duration->setGeometry(72, 2, 128, 24);
    Duration->setFont(pixelFont(QStringLiteral("Verdana"), 12));
    Duration->setTransparent(true);

    lblEvents = named(new TnLabel(StatusBar), "lblEvents");
    lblEvents->setCaption(tr(" Events: "));
    lblEvents->setGeometry(240, 0, 72, 28);
    lblEvents->setAlignment(TextAlignment::Right);
    lblEvents->setLayout(TextLayout::Center);
    lblEvents->setGradient(false);
    lblEvents->setClientColor(TColor(QColor(0, 0, 0, 0)));
    EventCount = named(new TnLabel(StatusBar), "EventCount");
    EventCount->setCaption(QStringLiteral("0"));
    EventCount->setGeometry(312, 0, 113, 28);
    EventCount->setMinimumSize(24, 24);
    EventCount->setMargin(4);
    EventCount->setLayout(TextLayout::Center);
    EventCount->setGradient(false);
    EventCount->setClientColor(TColor(QColor(0, 0, 0, 0)));

    lblNew = named(new TnLabel(StatusBar), "lblNew");
    lblNew->setGeometry(428, 0, 96, 28);
    lblNew->setLayout(TextLayout::Center);
    lblNew->setGradient(false);
    lblNew->setClientColor(TColor(QColor(0, 0, 0, 0)));
    lblNew->setCursor(Qt::PointingHandCursor);
    lblNew->setToolTip(tr("Messages that arrived while you read; click or press End to follow them"));
    lblNew->hide();

    lblDropped = named(new TnLabel(StatusBar), "lblDropped");
    lblDropped->setGeometry(526, 0, 104, 28);
    lblDropped->setLayout(TextLayout::Center);
    lblDropped->setGradient(false);
    lblDropped->setClientColor(TColor(QColor(0, 0, 0, 0)));
    lblDropped->setToolTip(tr("Datagrams that arrived faster than they could be taken in"));
    lblDropped->hide();

    // Shares the dropped count's place, which it yields to while datagrams are being dropped.
    lblTcp = named(new TnLabel(StatusBar), "lblTcp");
    lblTcp->setGeometry(526, 0, 104, 28);
    lblTcp->setLayout(TextLayout::Center);
    lblTcp->setGradient(false);
    lblTcp->setClientColor(TColor(QColor(0, 0, 0, 0)));
    lblTcp->hide();

    iLanguage = named(new TImageButton(StatusBar), "iLanguage");
    iLanguage->setGeometry(634, 3, 16, 20);
    iLanguage->setCursor(Qt::PointingHandCursor);
    iLanguage->setToolTip(QStringLiteral("English(US)"));
    iLanguage->setCaption(QStringLiteral("ENU"));
    iLanguage->setFont(pixelFont(QStringLiteral("Verdana"), 8));
    iLanguage->setLayout(TextLayout::Bottom);
    iLanguage->setAlignment(TextAlignment::Center);
    iLanguage->setEnabled(false);

    iNetwork = named(new TImageButton(StatusBar), "iNetwork");
    iNetwork->setGeometry(kDesignWidth - 80, 2, 80, 24);
    iNetwork->setCaption(tr("Network"));
    // The caption sits right of the picture: left-aligned at the margin, where it fits whole.
    iNetwork->setMargin(28);
    iNetwork->setAlignment(TextAlignment::Left);
    iNetwork->setLayout(TextLayout::Center);
    iNetwork->setPictureMode(PictureMode::AsLoaded);
    iNetwork->imageIndexes()->setStates(0, 1, 1, 1);

    anchors->add(iLanguage, akTop | akRight);
    anchors->add(iNetwork, akTop | akRight);
}

void TSysLogForm::alignChildren() {
    const int w = width();
    nHeader->setGeometry(0, 0, w, 64);
    Filter->setGeometry(0, 64, w, Filter->height());
    StatusBar->setGeometry(0, height() - 28, w, 28);
    const int top = 64 + Filter->height();
    nMain->setGeometry(0, top, w, std::max(0, height() - 28 - top));
}

SimpleBar TSysLogForm::simpleBar() const {
    return {Filter, Simple, {IncrementFilter, AddressFilter, FacilityFilter, SeverityFilter}};
}

}  // namespace corvane
