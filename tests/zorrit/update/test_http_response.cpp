// SPDX-License-Identifier: GPL-3.0-or-later
// Response accumulation: header block removal wherever the pieces split, status line, size cap.
#include "zorrit/update/http_response.h"

#include <gtest/gtest.h>

using zorrit::update::ResponseAccumulator;

TEST(HttpResponse, HeaderBlockRemovedWhereverTheReadsSplit)
{
    const QByteArray response = "HTTP/1.1 200 OK\r\nServer: x\r\nContent-Length: 3\r\n\r\n122";
    for (qsizetype cut = 0; cut <= response.size(); ++cut) {
        for (qsizetype cut2 = cut; cut2 <= response.size(); ++cut2) {
            SCOPED_TRACE(testing::Message() << "cuts at " << cut << " and " << cut2);
            ResponseAccumulator acc;
            acc.append(QByteArrayView(response).first(cut));
            acc.append(QByteArrayView(response).sliced(cut, cut2 - cut));
            acc.append(QByteArrayView(response).sliced(cut2));
            ASSERT_EQ(acc.acceptedBody(), std::optional<QByteArray>("122"));
        }
    }
}

TEST(HttpResponse, OnlyTheFirstPieceCarriesTheStatusLine)
{
    // A body that itself begins with "HTTP/1." is body, not another header block.
    ResponseAccumulator acc;
    acc.append("HTTP/1.0 200 OK\r\n\r\n");
    acc.append("HTTP/1.0 x\r\n\r\nmore");
    EXPECT_EQ(acc.acceptedBody(), std::optional<QByteArray>("HTTP/1.0 x\r\n\r\nmore"));
}

TEST(HttpResponse, AcceptedOnlyForCompleteTwoHundreds)
{
    struct Case
    {
        const char *response;
        const char *body; // nullptr: refused
    };
    const Case cases[] = {
        {"HTTP/1.0 200 OK\r\n\r\n121", "121"},
        {"HTTP/1.1 204 No Content\r\n\r\n", ""},
        {"HTTP/1.0 404 Not Found\r\n\r\n122", nullptr},
        {"HTTP/1.0 500 Oops\r\n\r\n122", nullptr},
        {"HTTP/1.0 301 Moved\r\nLocation: /\r\n\r\n122", nullptr},
        {"HTTP/1.0 200 OK\r\nX: y\r\n", nullptr}, // header block never ended
        {"122", nullptr},                         // no status line at all
        {"HTTP/2 200\r\n\r\n122", nullptr},
        {"HTTP/1.1  200 OK\r\n\r\n122", "122"},
        {"HTTP/1.0 2000\r\n\r\n122", nullptr},
        {"http/1.0 200 OK\r\n\r\n122", nullptr},
        {"", nullptr},
        // An announced length: a shorter body was cut off, bytes beyond it are not the body.
        {"HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\n12", nullptr},
        {"HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\n", nullptr},
        {"HTTP/1.0 200 OK\r\ncontent-LENGTH:\t3 \r\n\r\n122", "122"},
        {"HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\n1229", "122"},
        {"HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", ""},
        {"HTTP/1.0 200 OK\r\nContent-Length: 3\r\nContent-Length: 3\r\n\r\n122", "122"},
        {"HTTP/1.0 200 OK\r\nContent-Length: 3\r\nContent-Length: 4\r\n\r\n1220", nullptr},
        {"HTTP/1.0 200 OK\r\nContent-Length: -3\r\n\r\n122", nullptr},
        {"HTTP/1.0 200 OK\r\nContent-Length: 3x\r\n\r\n122", nullptr},
        {"HTTP/1.0 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\n122", nullptr},
        // A chunked answer would give the chunk size as the version.
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\n122\r\n0\r\n\r\n", nullptr},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n122", nullptr},
        {"HTTP/1.1 200 OK\r\ntransfer-encoding: identity\r\n\r\n122", "122"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.response);
        ResponseAccumulator acc;
        acc.append(c.response);
        if (c.body)
            EXPECT_EQ(acc.acceptedBody(), std::optional<QByteArray>(c.body));
        else
            EXPECT_FALSE(acc.acceptedBody().has_value());
    }
}

TEST(HttpResponse, BodyAndHeaderAreCapped)
{
    ResponseAccumulator body;
    body.append("HTTP/1.0 200 OK\r\n\r\n");
    body.append(QByteArray(ResponseAccumulator::kMaxBody, '1'));
    EXPECT_TRUE(body.acceptedBody().has_value()); // exactly at the cap is still fine
    body.append("1");
    EXPECT_TRUE(body.overflowed());
    EXPECT_FALSE(body.acceptedBody().has_value());
    EXPECT_TRUE(body.body().isEmpty()); // the memory is given back

    ResponseAccumulator inOne;
    inOne.append("HTTP/1.0 200 OK\r\n\r\n" + QByteArray(ResponseAccumulator::kMaxBody + 1, '1'));
    EXPECT_TRUE(inOne.overflowed());

    ResponseAccumulator header;
    header.append("HTTP/1.0 200 OK\r\n");
    for (int i = 0; i < 100; ++i)
        header.append("X-Filler: " + QByteArray(1000, 'a') + "\r\n");
    EXPECT_TRUE(header.overflowed());
    EXPECT_FALSE(header.acceptedBody().has_value());
}
