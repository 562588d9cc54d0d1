#include <gtest/gtest.h>

#include "net/HttpClient.h"
#include "net/ResponseHeaders.h"

using net::ResponseHeaders;

TEST(ResponseHeaders, FindsTheWholeLineByNameInAnyCaseWithOrWithoutColon) {
    const ResponseHeaders headers(
        {{"Content-Type", "text/plain"}, {"tarnwick-length", "1200|0"}, {"Tarnwick-Length", "second"}});
    EXPECT_EQ(headers.count(), 3);
    EXPECT_EQ(headers.find(QStringLiteral("tarnwick-length:")), QStringLiteral("tarnwick-length: 1200|0"));
    EXPECT_EQ(headers.find(QStringLiteral("TARNWICK-LENGTH")), QStringLiteral("tarnwick-length: 1200|0"));
    EXPECT_EQ(headers.value(QStringLiteral("content-type:")), QStringLiteral("text/plain"));
    // A name is matched whole, never as a prefix of a longer one.
    EXPECT_EQ(headers.find(QStringLiteral("tarnwick")), QString());
    EXPECT_EQ(headers.find(QStringLiteral(":")), QString());
    EXPECT_EQ(ResponseHeaders().find(QStringLiteral("tarnwick-length:")), QString());
    EXPECT_TRUE(ResponseHeaders().empty());
}

TEST(HostAndPort, AcceptsOnlyAHostWithAPortFrom1To65535) {
    struct Case {
        const char* text;
        bool ok;
        const char* host;
        std::uint16_t port;
    };
    const Case cases[] = {
        {"proxy.local:8080", true, "proxy.local", 8080},
        {" 10.0.0.1:1 ", true, "10.0.0.1", 1},
        {"p:65535", true, "p", 65535},
        {"p:65536", false, "", 0},
        {"p:0", false, "", 0},
        {"p:-1", false, "", 0},
        {":80", false, "", 0},
        {"p", false, "", 0},
        {"p:", false, "", 0},
        {"p:8o", false, "", 0},
    };
    for (const Case& c : cases) {
        QString host;
        std::uint16_t port = 0;
        EXPECT_EQ(net::parseHostAndPort(QString::fromLatin1(c.text), host, port), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(host, QString::fromLatin1(c.host)) << c.text;
            EXPECT_EQ(port, c.port) << c.text;
        }
    }
}
