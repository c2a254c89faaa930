#include "MessageStoreFixture.h"

#include "store/Table.h"
#include "ui/AdvancedFilterPanel.h"
#include "ui/DataGridView.h"
#include "ui/DetailsPane.h"
#include "ui/FilterBarController.h"
#include "ui/ImageLibrary.h"
#include "ui/MessageGrid.h"
#include "ui/MessageRows.h"
#include "ui/MessageTableModel.h"
#include "widgets/QtTestApp.h"
#include "widgets/TImageButton.h"
#include "widgets/TImageLabel.h"
#include "widgets/TgLabel.h"
#include "widgets/TnControl.h"
#include "widgets/TnLabel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace corvane {
namespace {

using test::MessageStore;

QFont pixelFont(const char* family, int px) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(px);
    return f;
}

// About thirty messages of every severity from three senders, one long enough to wrap.
void fill(MessageStore& store) {
    const char* const texts[] = {"Interface GigabitEthernet0/1, changed state to up",
                                 "Configured from console by admin on vty0 (10.0.0.9)",
                                 "sshd[2211]: Accepted publickey for backup from 10.0.0.7 port 52144",
                                 "Temperature sensor 2 reading 71 C exceeds the warning threshold",
                                 "DHCP lease renewed for 192.168.1.57"};
    const char* const addresses[] = {"192.168.1.20", "10.0.0.5", "172.16.4.1"};
    for (int i = 0; i < 30; ++i) {
        std::string text = texts[i % 5];
        if (i == 27)
            text =
                "kernel: Out of memory: Killed process 4242 (java) total-vm:8123456kB, anon-rss:6234567kB, "
                "file-rss:0kB, shmem-rss:0kB, UID:1001 pgtables:13456kB oom_score_adj:0 while the backup job "
                "was still writing its archive to the network share";
        store.add({.severity = i % 8,
                   .facility = i % 3 == 0 ? 16 : 1,
                   .address = addresses[i % 3],
                   .text = text,
                   .date = MessageStore::at(2024, 12, 8, 9, i, (7 * i) % 60),
                   .pid = 1000 + i * 37});
    }
}

QString library() {
    const QString beside = QStringLiteral(CORVANE_BINARY_DIR "/corvane-images.rcc");
    return QFile::exists(beside) ? beside : qEnvironmentVariable("CORVANE_IMAGE_LIBRARY");
}

TEST(GridScreenshots, RecentPageFilterBarAndDataPage) {
    MessageStore store;
    fill(store);
    TImageList severities(QSize(32, 32)), facilities(QSize(32, 32)), small(QSize(24, 24));
    LoadImageList(library(), QStringLiteral("ISEVERITYLIST"), &severities);
    LoadImageList(library(), QStringLiteral("IFACILITYLIST"), &facilities);
    LoadImageList(library(), QStringLiteral("SMIMAGES"), &small);

    // The Recent page: the details pane beside the message grid.
    QWidget page;
    page.resize(758, 420);
    auto* row = new QHBoxLayout(&page);
    auto* details = new TnControl(&page);
    details->setFixedWidth(188);
    details->setClientColor(QColor(255, 255, 255));
    details->setClientColor2(QColor(232, 240, 250));
    auto* column = new QVBoxLayout(details);
    auto label = [&](const QString& caption, bool heading) {
        auto* l = new TgLabel(details);
        l->setCaption(caption);
        l->setFont(pixelFont("Verdana", 13));
        l->setFixedHeight(16);
        l->setMargin(heading ? 0 : 12);
        l->setDropShadow(heading);
        l->setTransparent(!heading);
        column->addWidget(l);
        return l;
    };
    auto* facility = new TImageLabel(details);
    facility->setFixedHeight(32);
    facility->setMargin(16);
    facility->setAlignment(TextAlignment::Center);
    facility->setLayout(TextLayout::Center);
    facility->setPictureMode(PictureMode::AsLoaded);  // as in the window: the icon at the left
    column->addWidget(facility);
    label(QStringLiteral("Date:"), true);
    TgLabel* date = label({}, false);
    label(QStringLiteral("Severity:"), true);
    TgLabel* severity = label({}, false);
    label(QStringLiteral("Process:"), true);
    TgLabel* process = label({}, false);
    TgLabel* subProcess = label({}, false);
    label(QStringLiteral("Process ID:"), true);
    TgLabel* processId = label({}, false);
    TgLabel* processEx = label({}, false);
    label(QStringLiteral(" Raw Data (8bit ASCII)"), true);
    auto* data = new QPlainTextEdit(details);
    data->setFont(pixelFont("Verdana", 11));
    column->addWidget(data);
    label(QStringLiteral(" Description: "), true);
    auto* description = new QPlainTextEdit(details);
    description->setFont(pixelFont("Verdana", 11));
    description->setFixedHeight(60);
    column->addWidget(description);
    row->addWidget(details);
    auto* grid = new TnDBGrid(&page);
    grid->setFont(pixelFont("Verdana", 12));
    row->addWidget(grid, 1);

    TableRows rows(store.messages(), MessageStore::formats());
    MessageGrid painter(*grid, rows, store.messages(), &severities);
    DetailsPane pane({facility, date, severity, process, subProcess, processId, processEx, data, description},
                     &facilities, MessageStore::formats());
    page.show();
    StretchColumns(*grid, store.messages().fields());
    store.messages().moveTo(26);
    grid->scrollToRow(27);
    pane.MessageSelect(store.messages(), 28);
    emit rows.changed();
    test::saveScreenshot(page, QStringLiteral("recent-page"));

    // The filter bar in use: severity Error chosen, the last 3 hours.
    TnControl filter;
    filter.resize(758, 54);
    auto* simple = new TnControl(&filter);
    simple->setGeometry(40, 1, 706, 50);
    TImageButton* switchButton = new TImageButton(&filter);
    switchButton->setGeometry(8, 2, 24, 24);
    switchButton->setImages(&small);
    switchButton->setImageIndex(3);
    auto* advanced = new TnControl(&filter);
    advanced->setGeometry(40, 1, 706, 27);
    advanced->hide();
    auto field = [&](const char* caption, int width, QPoint at) {
        auto* l = new TnLabel(simple);
        l->setCaption(QString::fromLatin1(caption));
        l->setGeometry(at.x(), at.y(), width, 24);
        l->setMargin(16);
        l->setLayout(TextLayout::Center);
        return l;
    };
    TnLabel* increment = field("Of last - ", 200, {0, 0});
    TnLabel* address = field("IP Address - ", 256, {201, 0});
    TnLabel* facilityField = field("For - ", 200, {0, 25});
    TnLabel* severityField = field("with Severity - ", 256, {201, 25});
    auto* amount = new QLineEdit(increment);
    amount->setGeometry(88, 0, 18, 24);
    auto* unit = new QComboBox(increment);
    unit->setGeometry(112, 0, 88, 24);
    auto* hosts = new QComboBox(address);
    hosts->setGeometry(111, 0, 144, 24);
    auto* facilityList = new QComboBox(facilityField);
    facilityList->setGeometry(56, 0, 144, 24);
    auto* severityList = new QComboBox(severityField);
    severityList->setGeometry(112, 0, 144, 24);
    SimpleFilterBar::Hooks hooks;
    hooks.now = [] { return MessageStore::at(2024, 12, 8, 9, 40, 0); };
    FilterBarController controller(
        *store.data,
        {&filter, simple, advanced, switchButton, amount, unit, hosts, facilityList, severityList},
        MessageStore::formats(), hooks);
    controller.startUp();
    severityList->setCurrentIndex(severityList->findText(QStringLiteral("Error")));
    controller.listPicked(SimpleFilterBar::List::Severity, severityList->currentIndex());
    filter.show();
    test::saveScreenshot(filter, QStringLiteral("filter-bar"));
    store.messages().last();
    emit rows.changed();
    pane.showCurrent(store.messages());
    test::saveScreenshot(page, QStringLiteral("recent-page-filtered"));
    EXPECT_EQ(store.messages().filterText(), "[SeverityKey] = 3 and [Date] > '2024-12-05 09:40:00'");

    // The Data page grid over the same (filtered) view.
    MessageTableModel model(store.messages(), MessageStore::formats());
    DataGridView view;
    view.resize(758, 300);
    view.setMessageModel(&model);
    view.show();
    test::saveScreenshot(view, QStringLiteral("data-page"));
    EXPECT_EQ(model.rowCount(), 4);
}

}  // namespace
}  // namespace corvane
