// The data update window end to end: the request it sends, the fail-over to the backup server with
// credentials, the answer stored into the market database, the status texts and the proxy. The data
// servers and the proxy are HTTP servers on the loopback interface started by the tests.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>

#include <algorithm>
#include <vector>

#include "MarketDbFixture.h"
#include "appdata/InternetSettings.h"
#include "appdata/Schema.h"
#include "frame/Form.h"
#include "frame/LanguageTable.h"
#include "frame/update/DataUpdateModel.h"
#include "frame/update/frmDataUpdate.h"
#include "net/HttpClient.h"
#include "store/SettingsStore.h"
#include "testsupport/LoopbackHttpServer.h"
#include "testsupport/TempFolder.h"

using frame::DataUpdateModel;
using testsupport::LoopbackHttpServer;

namespace {

const char* const kQuery = "1=17&c_1=3&2=40&c_2=0&VERSION=1.0.0&LANGUAGE=ENGLISH";
const char* const kLoaderPath = "/cgi-bin/loader/loader.cgi?";
// base64 of "tarnwick:m8rq2z"
const char* const kBackupCredentials = "Basic dGFybndpY2s6bThycTJ6";

// A stream that stores one split and moves market 1 to data tag 18 and notes tag 4.
QByteArray updatingStream() {
    return testsupport::crlfLines(
        {"SPLIT", "2020-1-5|7|2|NO", "END", "TIME", "MARKET|1|18", "NOTES|1|4", "END", "EXIT"});
}

const char* const kStoppedAfterOne =
    "The update stopped on an error after 1 record(s) were stored; they are kept. Please try again.";

const QStringList kFinalStatuses = {
    QStringLiteral("Data is successfully updated."),
    QString::fromLatin1(kStoppedAfterOne),
    QStringLiteral("No new data. Data is already up-to-date."),
    QStringLiteral("Invalid data received, please try again."),
    QStringLiteral(
        "Unable to connect to Tarnwick Server.\r\nPlease check your Internet connection and try again."),
};

testsupport::HttpAnswer withLength(QByteArray body, const char* length) {
    return testsupport::answer(std::move(body), 200, {{"tarnwick-length", length}});
}

class DataUpdateTest : public MarketDbTest {
protected:
    void SetUp() override {
        MarketDbTest::SetUp();
        LoadLanguageStrings();
        store::SettingsStore::setFolder(QString::fromStdString(settings.path().string()));
        addMarket(1, "17", "3");
        addMarket(2, "40", "0");
        tarnwick::gDataServers = {refusing(), server.hostAndPort().toStdString()};
        tarnwick::gProxyUsed = false;
    }
    void TearDown() override {
        tarnwick::gDataServers = {tarnwick::kDefaultDataServer, tarnwick::kDefaultBackupDataServer};
        tarnwick::gProxyUsed = false;
        store::SettingsStore::setFolder(QString());
        MarketDbTest::TearDown();
    }

    static void addMarket(std::int32_t id, const char* dataTag, const char* notesTag) {
        exec(
            "INSERT INTO Markets (ID, NAME, ANAME, APREV, isDELETED, UpdateDataTag, UpdateNotesTag) "
            "VALUES (?, 'M', '', 'M', 0, ?, ?)",
            {id, std::string(dataTag), std::string(notesTag)});
        tarnwick::EnsureMarketDailyTable(db(), id);
        tarnwick::clsMarket market;
        market.ID = id;
        market.UpdateDataTag = dataTag;
        market.UpdateNotesTag = notesTag;
        tarnwick::gMarkets.add(market, tarnwick::RecordKey(id));
    }
    static std::string refusing() { return "127.0.0.1:" + std::to_string(LoopbackHttpServer::closedPort()); }
    static std::string tags(int id) {
        return text("SELECT UpdateDataTag || '/' || UpdateNotesTag FROM Markets WHERE ID = ?", {id});
    }

    // Runs one update to its end (a final status with no transfer running) and records every status
    // text shown.
    void run(DataUpdateModel& model) {
        statuses.clear();
        model.setChanged([&] {
            const QString& status = model.display().status;
            if (statuses.empty() || statuses.back() != status) {
                statuses.push_back(status);
            }
        });
        model.Start();
        ASSERT_TRUE(testsupport::waitUntil([&] {
            return !model.http().busy() && !statuses.empty() && kFinalStatuses.contains(statuses.back());
        }));
        EXPECT_EQ(model.display().cancelCaption, QStringLiteral("OK"));
    }
    bool shown(const char* status) const {
        return std::ranges::find(statuses, QString::fromUtf8(status)) != statuses.end();
    }

    testsupport::TempFolder settings{"tarnwick-settings"};
    LoopbackHttpServer server;
    std::vector<QString> statuses;
};

}  // namespace

TEST_F(DataUpdateTest, QueryCarriesEveryMarketsTagsVersionAndLanguage) {
    EXPECT_EQ(frame::GetDataURL(), QString::fromLatin1(kQuery));
    gArabic = true;
    EXPECT_EQ(frame::GetDataURL(), QStringLiteral("1=17&c_1=3&2=40&c_2=0&VERSION=1.0.0&LANGUAGE=ARABIC"));
    gArabic = false;
    // A tag that would end its value or cannot stand in a URL is escaped; ordinary ones are not.
    tarnwick::gMarkets.item("ID_2").UpdateDataTag = "a b&c=d#e";
    tarnwick::gMarkets.item("ID_2").UpdateNotesTag = "2020/01:05";
    EXPECT_EQ(frame::GetDataURL(),
              QStringLiteral("1=17&c_1=3&2=a%20b%26c%3Dd%23e&c_2=2020/01:05&VERSION=1.0.0&LANGUAGE=ENGLISH"));
    tarnwick::gMarkets.clear();
    EXPECT_EQ(frame::GetDataURL(), QStringLiteral("VERSION=1.0.0&LANGUAGE=ENGLISH"));
    EXPECT_EQ(
        frame::requestUrl("data.example:8080"),
        QStringLiteral("http://data.example:8080/cgi-bin/loader/loader.cgi?VERSION=1.0.0&LANGUAGE=ENGLISH"));
}

TEST_F(DataUpdateTest, RefusedServerFailsOverToTheBackupWithCredentialsAndTheStreamIsStored) {
    server.answerWith(withLength(updatingStream(), "2000|48"));
    DataUpdateModel model;
    run(model);

    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].target, QByteArray(kLoaderPath) + kQuery);
    EXPECT_EQ(server.requests()[0].header("Authorization"), kBackupCredentials);
    const std::vector<QString> expected = {
        "Connecting to Tarnwick Data Server 1...",
        "Connecting to Tarnwick Data Server 2...",
        "Connected to Tarnwick Data Server ",
        "Requesting data...",
        "Waiting for data...",
        "Downloading 0 KB of 2 KB",  // (2000 + 48) / 1024, whole part
        "Checking data...",
        "Data is successfully received.",
        "Processing data...",
        "Data is successfully updated.",
    };
    EXPECT_EQ(statuses, expected);
    EXPECT_EQ(tags(1), "18/4");
    EXPECT_EQ(tags(2), "40/0");
    EXPECT_EQ(tarnwick::gMarkets.item("ID_1").UpdateDataTag, "18");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Split"), 1);
    EXPECT_EQ(model.ExpectedLength(), 2048);
    EXPECT_EQ(model.CurrentServer(), 1);
    const frame::DataUpdateDisplay& d = model.display();
    EXPECT_TRUE(d.okVisible);
    EXPECT_FALSE(d.errorVisible);
    EXPECT_TRUE(d.cancelEnabled);
    EXPECT_EQ(d.progressValue, frame::DataUpdateDisplay::kProgressMax);
    EXPECT_TRUE(d.animationClip.isEmpty());
    // "DeleteFile" is not set: the download file goes at the end.
    EXPECT_FALSE(std::filesystem::exists(home / "Socket.Log"));
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(DataUpdateTest, StatusOf400OrMoreOnBothServersIsFinal) {
    server.answerWith(testsupport::answer(updatingStream(), 500));
    LoopbackHttpServer first;
    first.answerWith(testsupport::answer(updatingStream(), 404));
    tarnwick::gDataServers[0] = first.hostAndPort().toStdString();
    DataUpdateModel model;
    run(model);

    ASSERT_EQ(first.requests().size(), 1u);
    EXPECT_TRUE(first.requests()[0].header("Authorization").isEmpty());
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].header("Authorization"), kBackupCredentials);
    EXPECT_EQ(statuses.back(), QStringLiteral("Unable to connect to Tarnwick Server.\r\n"
                                              "Please check your Internet connection and try again."));
    const frame::DataUpdateDisplay& d = model.display();
    EXPECT_TRUE(d.errorVisible);
    EXPECT_FALSE(d.okVisible);
    EXPECT_FALSE(d.progressVisible);
    EXPECT_EQ(d.progressValue, frame::DataUpdateDisplay::kProgressMin);
    EXPECT_EQ(model.CurrentServer(), 0);
    EXPECT_EQ(tags(1), "17/3");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Split"), 0);
}

TEST_F(DataUpdateTest, IncompleteAnswerIsInvalidDataAndStoresNothing) {
    tarnwick::gDataServers[0] = server.hostAndPort().toStdString();
    server.answerWith(withLength(testsupport::crlfLines({"SPLIT", "2020-1-5|7|2|NO", "END"}), "20|20"));
    DataUpdateModel model;
    run(model);

    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(server.requests()[0].header("Authorization").isEmpty());
    EXPECT_EQ(statuses.back(), QStringLiteral("Invalid data received, please try again."));
    EXPECT_TRUE(shown("Checking data..."));
    EXPECT_TRUE(model.display().errorVisible);
    EXPECT_FALSE(model.display().progressVisible);
    EXPECT_EQ(model.CurrentServer(), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Split"), 0);
}

TEST_F(DataUpdateTest, NothingNewIsAnnouncedByASecondLengthOfZeroAndKeptFileStays) {
    store::SettingsStore::saveBool(store::kApplication, store::kSection, QStringLiteral("DeleteFile"), false);
    tarnwick::gDataServers[0] = server.hostAndPort().toStdString();
    const QByteArray body = testsupport::crlfLines({"EXIT"});
    server.answerWith(withLength(body, "1200|0"));
    DataUpdateModel model;
    run(model);

    EXPECT_EQ(model.ExpectedLength(), 1200);
    EXPECT_TRUE(model.NoNewData());
    EXPECT_EQ(statuses.back(), QStringLiteral("No new data. Data is already up-to-date."));
    EXPECT_FALSE(shown("Processing data..."));
    EXPECT_FALSE(shown("Data is successfully received."));
    EXPECT_TRUE(model.display().okVisible);
    EXPECT_EQ(readFile(home / "Socket.Log"), body.toStdString());

    // The next run deletes the kept file before it asks, so a failure leaves none.
    server.answerWith(testsupport::answer("", 503));
    tarnwick::gDataServers[1] = refusing();
    run(model);
    EXPECT_FALSE(std::filesystem::exists(home / "Socket.Log"));
}

TEST_F(DataUpdateTest, LengthHeaderWithoutTwoWholeNumbersMeansAnUnknownLength) {
    tarnwick::gDataServers[0] = server.hostAndPort().toStdString();
    struct Case {
        const char* header;
        std::int32_t expected;
        bool noNewData;
    };
    const Case cases[] = {
        {"abc|5", 10000000, false},           {"1200", 10000000, false},
        {" 100 | 24 ", 124, false},           {"0|0", 10000000, true},
        {"-50|20", 10000000, false},          {"2147483647|1", 10000000, false},
        {"2147483600|47", 2147483647, false},
    };
    for (const Case& c : cases) {
        server.answerWith(withLength(testsupport::crlfLines({"EXIT"}), c.header));
        DataUpdateModel model;
        run(model);
        EXPECT_EQ(model.ExpectedLength(), c.expected) << c.header;
        EXPECT_EQ(model.NoNewData(), c.noNewData) << c.header;
    }
    // Only the length that does not fit in 32 bits is an error worth logging.
    EXPECT_EQ(logRecords(), 1);
    EXPECT_TRUE(logged("Http1_Progress"));
}

TEST_F(DataUpdateTest, NextRunAfterAFailOverAsksTheBackupFirstWithoutCredentials) {
    server.answerWith(withLength(updatingStream(), "60|60"));
    DataUpdateModel model;
    run(model);
    ASSERT_EQ(model.CurrentServer(), 1);

    server.answerWith(testsupport::answer("", 500));
    run(model);
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_TRUE(server.requests()[1].header("Authorization").isEmpty());
    EXPECT_EQ(statuses.front(), QStringLiteral("Connecting to Tarnwick Data Server 2..."));
    EXPECT_TRUE(model.display().errorVisible);
    EXPECT_EQ(model.CurrentServer(), 0);
}

// Timeouts of a tenth of a second stand for the real ones: a server that never answers and one that
// stalls after its headers each fail the transfer, as a refused connection does.
TEST_F(DataUpdateTest, ServersThatNeverAnswerOrStallFailOverAndThenGiveUp) {
    LoopbackHttpServer first;
    first.answerWith(testsupport::silence());
    tarnwick::gDataServers[0] = first.hostAndPort().toStdString();
    server.answerWith(testsupport::cutShort(withLength(updatingStream(), "60|60"), 0, true));
    DataUpdateModel model;
    model.setTimeouts({100, 100});
    run(model);

    ASSERT_EQ(first.requests().size(), 1u);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].header("Authorization"), kBackupCredentials);
    EXPECT_TRUE(shown("Waiting for data..."));
    EXPECT_EQ(statuses.back(), QStringLiteral("Unable to connect to Tarnwick Server.\r\n"
                                              "Please check your Internet connection and try again."));
    EXPECT_TRUE(model.display().errorVisible);
    EXPECT_EQ(model.CurrentServer(), 0);
    EXPECT_EQ(tags(1), "17/3");
    EXPECT_FALSE(std::filesystem::exists(home / "Socket.Log"));

    // The backup answering in time is a successful run.
    server.answerWith(withLength(updatingStream(), "60|60"));
    run(model);
    EXPECT_EQ(statuses.back(), QStringLiteral("Data is successfully updated."));
    EXPECT_EQ(tags(1), "18/4");
}

// Half a minute to get the request to the server, a minute of silence after that.
TEST_F(DataUpdateTest, EveryRunHasConnectAndIdleTimeouts) {
    tarnwick::gDataServers[0] = server.hostAndPort().toStdString();
    server.answerWith(withLength(testsupport::crlfLines({"EXIT"}), "1|0"));
    DataUpdateModel model;
    run(model);
    EXPECT_EQ(model.http().timeouts().connect, 30000);
    EXPECT_EQ(model.http().timeouts().idle, 60000);
}

// A stream that stores a split and then breaks off (the DAILY section never ends): the split stays,
// and the window says so instead of calling the data invalid.
TEST_F(DataUpdateTest, ProcessingErrorAfterStoredRecordsSaysTheyAreKept) {
    tarnwick::gDataServers[0] = server.hostAndPort().toStdString();
    server.answerWith(withLength(
        testsupport::crlfLines({"SPLIT", "2020-1-5|7|2|NO", "END", "DAILY", "marker", "UPDATE", "EXIT"}),
        "30|30"));
    DataUpdateModel model;
    run(model);

    EXPECT_EQ(statuses.back(), QString::fromLatin1(kStoppedAfterOne));
    EXPECT_FALSE(shown("Invalid data received, please try again."));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Split"), 1);
    EXPECT_EQ(tags(1), "17/3");
    const frame::DataUpdateDisplay& d = model.display();
    EXPECT_TRUE(d.errorVisible);
    EXPECT_FALSE(d.okVisible);
    EXPECT_TRUE(d.cancelEnabled);
    EXPECT_TRUE(logged("ProcessData"));
}

// The bar ends full: at the last byte of an answer exactly as long as announced (the count leaves
// the first 19 bytes out), and after a stream whose reading stops at an early EXIT.
TEST_F(DataUpdateTest, ProgressReachesItsMaximum) {
    tarnwick::gDataServers[0] = server.hostAndPort().toStdString();
    const QByteArray body = testsupport::crlfLines(
        {"SPLIT", "2020-1-5|7|2|NO", "END", "EXIT", "MESSAGE", "never read", "END", "EXIT"});
    const QByteArray length = "10|" + QByteArray::number(body.size() - 19 - 10);
    server.answerWith(withLength(body, length.constData()));
    DataUpdateModel model;
    int downloadProgress = -1;
    model.setChanged([&] {
        if (model.display().status.startsWith(QStringLiteral("Downloading"))) {
            downloadProgress = model.display().progressValue;
        }
    });
    model.Start();
    ASSERT_TRUE(
        testsupport::waitUntil([&] { return model.display().cancelCaption == QStringLiteral("OK"); }));
    EXPECT_EQ(downloadProgress, frame::DataUpdateDisplay::kProgressMax);
    EXPECT_EQ(model.display().status, QStringLiteral("Data is successfully updated."));
    EXPECT_EQ(model.display().progressValue, frame::DataUpdateDisplay::kProgressMax);
}

TEST_F(DataUpdateTest, ProxyReceivesTheAbsoluteUriOfTheRequest) {
    LoopbackHttpServer proxy;
    proxy.answerWith(withLength(updatingStream(), "60|60"));
    tarnwick::gProxyUsed = true;
    tarnwick::gProxyServer = "127.0.0.1";
    tarnwick::gProxyPort = proxy.port();
    tarnwick::gDataServers[0] = "data.tarnwick.invalid";
    DataUpdateModel model;
    run(model);

    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0].target,
              QByteArray("http://data.tarnwick.invalid") + kLoaderPath + QByteArray(kQuery));
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(tags(1), "18/4");
}

TEST_F(DataUpdateTest, ProxySettingsGoOnTheClientOrAreCleared) {
    net::HttpClient http;
    tarnwick::gProxyUsed = true;
    tarnwick::gProxyServer = "proxy.local";
    tarnwick::gProxyPort = 3128;
    tarnwick::gProxyUserName = "u";
    tarnwick::gProxyPassword = "p";
    tarnwick::ApplyProxySettings(http);
    EXPECT_EQ(http.proxy(), QStringLiteral("proxy.local:3128"));
    EXPECT_EQ(http.proxyUserName(), QStringLiteral("u"));
    EXPECT_EQ(http.proxyPassword(), QStringLiteral("p"));
    tarnwick::gProxyUsed = false;
    tarnwick::ApplyProxySettings(http);
    EXPECT_EQ(http.proxy(), QString());
    EXPECT_EQ(http.proxyUserName(), QString());
    EXPECT_EQ(http.proxyPassword(), QString());
    tarnwick::gProxyServer.clear();
    tarnwick::gProxyUserName.clear();
    tarnwick::gProxyPassword.clear();
    tarnwick::gProxyPort = tarnwick::kDefaultProxyPort;
}

TEST_F(DataUpdateTest, WindowShowsTheRunAndOneWindowServesRepeatedCommands) {
    tarnwick::gDataServers[0] = server.hostAndPort().toStdString();
    server.answerWith(withLength(updatingStream(), "60|60"));
    QWidget frameWindow;
    frame::frmDataUpdate* window = frame::ShowDataUpdate(&frameWindow);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Data Update"));
    EXPECT_EQ(frame::ShowDataUpdate(&frameWindow), window);
    ASSERT_TRUE(testsupport::waitUntil(
        [&] { return window->model().display().cancelCaption == QStringLiteral("OK"); }));
    EXPECT_EQ(server.requests().size(), 1u);
    auto* status = static_cast<QLabel*>(window->form().controlWidget(QStringLiteral("lblStatus")));
    EXPECT_EQ(status->text(), QStringLiteral("Data is successfully updated."));
    auto* button = static_cast<QAbstractButton*>(window->form().controlWidget(QStringLiteral("cmdCancel")));
    EXPECT_EQ(button->text(), QStringLiteral("OK"));
    EXPECT_TRUE(window->form().controlWidget(QStringLiteral("pctOK"))->isVisibleTo(window));
    EXPECT_FALSE(window->form().controlWidget(QStringLiteral("pctError"))->isVisibleTo(window));
    EXPECT_TRUE(window->close());
    testsupport::waitUntil([] { return false; }, 50);  // lets the closed window delete itself
}

// In Arabic the window is mirrored: the failure text stands right-aligned beside the error picture,
// which follows the mirrored animation to the right, and its first line starts at the label's right
// edge: no line break character is laid out as a letter.
TEST_F(DataUpdateTest, ArabicFailureTextIsClearOfTheErrorPictureAndStartsAtTheLabelsEdge) {
    gArabic = true;
    server.answerWith(testsupport::answer(updatingStream(), 500));
    tarnwick::gDataServers[0] = server.hostAndPort().toStdString();
    QWidget frameWindow;
    frame::frmDataUpdate* window = frame::ShowDataUpdate(&frameWindow);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(testsupport::waitUntil([&] { return window->model().display().errorVisible; }));
    auto* status = static_cast<QLabel*>(window->form().controlWidget(QStringLiteral("lblStatus")));
    QWidget* error = window->form().controlWidget(QStringLiteral("pctError"));
    QWidget* animation = window->form().controlWidget(QStringLiteral("Animation1"));
    EXPECT_TRUE(error->isVisibleTo(window));
    EXPECT_FALSE(error->geometry().intersects(status->geometry()));
    // Designed at 240 twips of a 5700-twip window: mirrored to 5700 - 240 - 480 - 70 = 4910 twips.
    EXPECT_EQ(error->geometry().left(), 4910 / 15);
    EXPECT_TRUE(animation->geometry().contains(error->geometry()));
    EXPECT_EQ(status->text().count(QLatin1Char('\r')), 0);
    EXPECT_EQ(status->text().count(QLatin1Char('\n')), 1);
    EXPECT_EQ(status->text().remove(QLatin1Char('\n')),
              QString(GetLangString(23)).remove(QStringLiteral("\r\n")));
    gArabic = false;
    EXPECT_TRUE(window->close());
    testsupport::waitUntil([] { return false; }, 50);  // lets the closed window delete itself
}
