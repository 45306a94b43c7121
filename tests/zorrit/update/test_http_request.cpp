// SPDX-License-Identifier: GPL-3.0-or-later
// Request bytes and address splitting.
#include "zorrit/update/http_request.h"

#include <gtest/gtest.h>

using namespace zorrit::update;

TEST(HttpRequest, ExactBytesWithHostNameOnly)
{
    EXPECT_EQ(composeRequest(QStringLiteral("www.zorrit.example"), QStringLiteral("/zvers.txt")),
              QByteArray("GET /zvers.txt HTTP/1.0\r\n"
                         "Accept: */*\r\n"
                         "User-Agent: Brenmoor\r\n"
                         "Host: www.zorrit.example\r\n"
                         "\r\n"));
}

TEST(HttpRequest, AddressFromUrlAndSplit)
{
    struct Case
    {
        const char *url;
        const char *host;
        const char *path;
    };
    const Case cases[] = {
        {"http://www.zorrit.example/zvers.txt", "www.zorrit.example", "/zvers.txt"},
        {"HTTP://host/a/b", "host", "/a/b"},
        {"http://host", "host", "/"},  // a bare host name requests "/"
        {"http://host/", "host", "/"}, // and so does a host followed by "/"
        {"http://127.0.0.1/zvers.txt", "127.0.0.1", "/zvers.txt"},
        {"ftp://host/zvers.txt", "", "/"}, // not http: empty address
        {"", "", "/"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.url);
        const HostAndPath parts = splitAddress(addressFromUrl(QString::fromLatin1(c.url)));
        EXPECT_EQ(parts.host, QString::fromLatin1(c.host));
        EXPECT_EQ(parts.path, QString::fromLatin1(c.path));
    }
}
