// The download of note pictures from a data server on the loopback interface: the address asked,
// the file stored, and the old picture kept whenever the answer is no picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ProgramFixture.h"
#include "appdata/InternetSettings.h"
#include "frame/notes/NoteImageDownload.h"
#include "frame/update/DataUpdateModel.h"
#include "testsupport/LoopbackHttpServer.h"

namespace {

using testsupport::LoopbackHttpServer;

// A picture's bytes, a zero byte and line ends among them.
const QByteArray kPicture = QByteArray("GIF89a\x02\x00\x01\x00\x80\x00\x00\r\n\xff;", 17);

class NoteImageDownloadTest : public ProgramTest {
protected:
    void TearDown() override {
        tarnwick::gProxyUsed = false;
        tarnwick::gProxyServer.clear();
        tarnwick::gDataServers = {tarnwick::kDefaultDataServer, tarnwick::kDefaultBackupDataServer};
        ProgramTest::TearDown();
    }

    std::filesystem::path notes() const { return m_home.path() / "Notes"; }
    std::string stored(std::int32_t id) const {
        std::ifstream in(notes() / std::to_string(id), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void storeOld(std::int32_t id) const {
        std::filesystem::create_directories(notes());
        std::ofstream(notes() / std::to_string(id), std::ios::binary) << "old picture";
    }
    // Only the pictures: no partial download is left behind.
    std::vector<std::string> notesFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(notes()))
            names.push_back(entry.path().filename().string());
        std::ranges::sort(names);
        return names;
    }
    std::string server() const { return m_server.hostAndPort().toStdString(); }

    LoopbackHttpServer m_server;
};

TEST_F(NoteImageDownloadTest, NoteIsAskedForByItsIdAndStoredUnderItInTheNotesFolder) {
    EXPECT_EQ(frame::NoteImageUrl("data.example:8080", 1234),
              QStringLiteral("http://data.example:8080/notes_images/1234.gif"));
    m_server.answerWith(testsupport::answer(kPicture));
    EXPECT_TRUE(frame::DownloadFile(1234, server()));
    ASSERT_EQ(m_server.requests().size(), 1u);
    EXPECT_EQ(m_server.requests()[0].method, "GET");
    EXPECT_EQ(m_server.requests()[0].target, "/notes_images/1234.gif");
    EXPECT_TRUE(m_server.requests()[0].header("Authorization").isEmpty());
    EXPECT_EQ(stored(1234), kPicture.toStdString());
    EXPECT_EQ(notesFolder(), std::vector<std::string>{"1234"});
    EXPECT_TRUE(errorLog().empty()) << errorLog();

    // A new download replaces the picture.
    m_server.answerWith(testsupport::answer("GIF89a second"));
    EXPECT_TRUE(frame::DownloadFile(1234, server()));
    EXPECT_EQ(stored(1234), "GIF89a second");
}

TEST_F(NoteImageDownloadTest, RefusedAnswerKeepsTheOldPictureAndIsLogged) {
    storeOld(7);
    m_server.answerWith(testsupport::answer("<html>Not Found</html>", 404));
    EXPECT_FALSE(frame::DownloadFile(7, server()));
    EXPECT_EQ(stored(7), "old picture");
    EXPECT_EQ(notesFolder(), std::vector<std::string>{"7"});
    EXPECT_NE(errorLog().find("Function:DownloadFile"), std::string::npos) << errorLog();
    EXPECT_NE(errorLog().find("Number: 404"), std::string::npos) << errorLog();

    // Any success status stores.
    m_server.answerWith(testsupport::answer("GIF89a partial", 203));
    EXPECT_TRUE(frame::DownloadFile(7, server()));
    EXPECT_EQ(stored(7), "GIF89a partial");
}

// Only a 2xx answer carries the picture: a 3xx answer that comes back with a body is no picture, and
// the old one stays; the status is logged as the error's number.
TEST_F(NoteImageDownloadTest, ThreeHundredAnswersAreNoPictureAndKeepTheOldOne) {
    storeOld(6);
    for (const int status : {300, 399}) {
        SCOPED_TRACE(status);
        m_server.answerWith(testsupport::answer("GIF89a not the picture", status));
        EXPECT_FALSE(frame::DownloadFile(6, server()));
        EXPECT_EQ(stored(6), "old picture");
        EXPECT_EQ(notesFolder(), std::vector<std::string>{"6"});
        EXPECT_NE(errorLog().find("Number: " + std::to_string(status) + "\r\n"), std::string::npos)
            << errorLog();
    }
    // A redirection to nowhere (no Location) is not followed and stores nothing either.
    m_server.answerWith(testsupport::answer("GIF89a not the picture", 302));
    EXPECT_FALSE(frame::DownloadFile(6, server()));
    EXPECT_EQ(stored(6), "old picture");
    EXPECT_EQ(notesFolder(), std::vector<std::string>{"6"});
    // The last success status still stores.
    m_server.answerWith(testsupport::answer("GIF89a last success", 299));
    EXPECT_TRUE(frame::DownloadFile(6, server()));
    EXPECT_EQ(stored(6), "GIF89a last success");
}

TEST_F(NoteImageDownloadTest, AnswerShorterThanTwoBytesStoresNothingAndKeepsTheOldPicture) {
    storeOld(8);
    for (const char* body : {"G", ""}) {
        m_server.answerWith(testsupport::answer(body));
        EXPECT_FALSE(frame::DownloadFile(8, server())) << body;
        EXPECT_EQ(stored(8), "old picture");
        EXPECT_EQ(notesFolder(), std::vector<std::string>{"8"});
    }
    EXPECT_FALSE(frame::DownloadFile(9, server()));
    EXPECT_FALSE(std::filesystem::exists(notes() / "9"));
    EXPECT_TRUE(errorLog().empty()) << errorLog();
}

TEST_F(NoteImageDownloadTest, NoConnectionOrABrokenAnswerKeepsTheOldPicture) {
    storeOld(5);
    EXPECT_FALSE(frame::DownloadFile(5, "127.0.0.1:" + std::to_string(LoopbackHttpServer::closedPort())));
    EXPECT_EQ(stored(5), "old picture");
    m_server.answerWith(testsupport::hangUp());
    EXPECT_FALSE(frame::DownloadFile(5, server()));
    EXPECT_EQ(stored(5), "old picture");
    EXPECT_EQ(notesFolder(), std::vector<std::string>{"5"});
    EXPECT_NE(errorLog().find("Function:DownloadFile"), std::string::npos);
}

TEST_F(NoteImageDownloadTest, DownloadGoesThroughTheConfiguredProxy) {
    tarnwick::gProxyUsed = true;
    tarnwick::gProxyServer = "127.0.0.1";
    tarnwick::gProxyPort = m_server.port();
    m_server.answerWith(testsupport::answer(kPicture));
    EXPECT_TRUE(frame::DownloadFile(3, "data.example"));
    ASSERT_EQ(m_server.requests().size(), 1u);
    EXPECT_EQ(m_server.requests()[0].target, "http://data.example/notes_images/3.gif");
    EXPECT_EQ(stored(3), kPicture.toStdString());
}

// The data update stores a note with a picture and fetches the picture from the server it fell over
// to, without the backup server's credentials.
TEST_F(NoteImageDownloadTest, DataUpdateFetchesTheStoredNotesPictureFromTheServerInUse) {
    tarnwick::gConnection = db::Connection::openExisting(m_home / "MQMKD.mqd");
    tarnwick::gDataServers = {"127.0.0.1:" + std::to_string(LoopbackHttpServer::closedPort()), server()};
    const QByteArray stream =
        testsupport::crlfLines({"NOTES", "7|199|2024-3-5|Picture note|Arabic|YES|NO",
                                "8|199|2024-3-6|Plain note|Arabic|NO|NO", "END", "EXIT"});
    m_server.setResponder([&](const testsupport::HttpRequestRecord& request) {
        if (request.target.startsWith("/notes_images/"))
            return testsupport::answer(kPicture);
        return testsupport::answer(stream, 200, {{"tarnwick-length", "2000|48"}});
    });
    frame::DataUpdateLinks links;
    links.showMessage = [](const QString&) {};
    frame::DataUpdateModel model(std::move(links));
    model.Start();
    ASSERT_TRUE(
        testsupport::waitUntil([&] { return model.display().okVisible || model.display().errorVisible; }));
    EXPECT_TRUE(model.display().okVisible);
    EXPECT_EQ(model.CurrentServer(), 1);

    ASSERT_EQ(m_server.requests().size(), 2u);
    EXPECT_EQ(m_server.requests()[1].target, "/notes_images/7.gif");
    EXPECT_TRUE(m_server.requests()[1].header("Authorization").isEmpty());
    EXPECT_EQ(stored(7), kPicture.toStdString());
    EXPECT_EQ(notesFolder(), std::vector<std::string>{"7"});
    EXPECT_EQ(tarnwick::gConnection.query(R"(SELECT COUNT(*) FROM "Notes" WHERE "isNew" = 'N')", {}).int64(0),
              2);
}

}  // namespace
