// SPDX-License-Identifier: GPL-3.0-or-later
// The D-Bus wire format of the report connection: what it reads, what it refuses, what it sends.
#include "platform/bus_wire.h"

#include "support/bus_messages.h"

#include <gtest/gtest.h>

using namespace platform::buswire;

namespace {

constexpr std::string_view kPath = "/org/example/Pointer";
constexpr std::string_view kInterface = "org.example.Pointer";

std::string report(bool bigEndian, std::int32_t x = -5, std::int32_t y = 70000)
{
    return testsupport::busCall(bigEndian, 7, kPath, kInterface, "Moved", ":1.42", x, y);
}

} // namespace

TEST(BusWire, ReadsAReportInEitherByteOrderAndWhatItSendsReadsBack)
{
    for (const bool bigEndian : {false, true}) {
        const std::string call = report(bigEndian);
        const Framing framing = frame(call);
        ASSERT_EQ(framing.state, Framing::State::Known);
        EXPECT_EQ(framing.length, call.size());
        EXPECT_EQ(frame(std::string_view(call).substr(0, 15)).state, Framing::State::Short);
        const std::optional<Message> message = parse(call);
        ASSERT_TRUE(message) << bigEndian;
        EXPECT_EQ(message->type, Type::MethodCall);
        EXPECT_TRUE(message->wantsReply());
        EXPECT_EQ(message->serial, 7u);
        EXPECT_EQ(message->path, kPath);
        EXPECT_EQ(message->interface, kInterface);
        EXPECT_EQ(message->member, "Moved");
        EXPECT_EQ(message->sender, ":1.42");
        const std::optional<Int32Pair> pair = int32Pair(*message);
        ASSERT_TRUE(pair);
        EXPECT_EQ(pair->first, -5);
        EXPECT_EQ(pair->second, 70000);
        EXPECT_FALSE(firstString(*message));
    }

    // A message's fields point into its bytes, which therefore outlive it.
    const std::string answerBytes = methodReturn(3, 7, ":1.42");
    const std::optional<Message> answer = parse(answerBytes);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->type, Type::MethodReturn);
    EXPECT_EQ(answer->replySerial, 7u);
    EXPECT_EQ(answer->destination, ":1.42");
    EXPECT_FALSE(answer->wantsReply());

    // Answers added one after another to what waits to go out each read back on their own,
    // their padding counted from their own start.
    std::string queued = "\x01\x02\x03";
    appendMethodReturn(queued, 5, 8, ":1.7");
    appendMethodReturn(queued, 6, 9, ":1.42");
    std::string_view rest = std::string_view(queued).substr(3);
    for (const std::uint32_t replySerial : {8u, 9u}) {
        const Framing queuedFraming = frame(rest);
        ASSERT_EQ(queuedFraming.state, Framing::State::Known);
        const std::optional<Message> queuedAnswer = parse(rest.substr(0, queuedFraming.length));
        ASSERT_TRUE(queuedAnswer);
        EXPECT_EQ(queuedAnswer->replySerial, replySerial);
        rest.remove_prefix(queuedFraming.length);
    }
    EXPECT_TRUE(rest.empty());

    const std::string error = errorReply(4, 9, ":1.42", "org.example.Error.No", "not here");
    const std::optional<Message> refusal = parse(error);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->type, Type::Error);
    EXPECT_EQ(refusal->errorName, "org.example.Error.No");
    EXPECT_EQ(firstString(*refusal), std::optional<std::string_view>("not here"));

    const std::string helloBytes = methodCall(1, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                              "org.freedesktop.DBus", "Hello");
    const std::optional<Message> hello = parse(helloBytes);
    ASSERT_TRUE(hello);
    EXPECT_EQ(hello->destination, "org.freedesktop.DBus");
    EXPECT_EQ(hello->member, "Hello");
    EXPECT_TRUE(hello->body.empty());
}

TEST(BusWire, RefusesWhatBreaksTheFormat)
{
    const std::string good = report(false);
    const auto changed = [&](std::size_t at, char to) {
        std::string copy = good;
        copy[at] = to;
        return copy;
    };
    // The offsets follow the report's layout: fields from 16, the path's length at 20.
    struct Case
    {
        const char *what;
        std::string message;
        bool corruptStream; // the framing itself is wrong: nothing after it can be read
    };
    const Case cases[] = {
        {"an unknown byte order", changed(0, 'x'), true},
        {"another protocol version", changed(3, '\2'), true},
        {"no message type", changed(1, '\0'), false},
        {"a type yet to come", changed(1, '\5'), false},
        {"header fields past the format's limit", changed(15, '\x7f'), true},
        {"a path without its nul", changed(20 + 4 + kPath.size(), 'x'), false},
        {"a string running past its field", changed(20, '\x70'), false},
        {"a nul inside the path", changed(26, '\0'), false},
        {"a header field of a container type", changed(18, 'a'), false},
        {"a call with no serial", changed(8, '\0'), false},
    };
    for (const Case &c : cases) {
        const Framing framing = frame(c.message);
        if (c.corruptStream) {
            EXPECT_EQ(framing.state, Framing::State::Corrupt) << c.what;
            continue;
        }
        // Framed as the fixed header says, and its header refused.
        std::string_view whole(c.message);
        if (framing.state == Framing::State::Known && framing.length <= whole.size())
            whole = whole.substr(0, framing.length);
        EXPECT_FALSE(parse(whole)) << c.what;
    }
    // A body longer than its (ii) signature is read as no report.
    const std::string longerBytes = changed(4, '\14') + std::string(4, '\0');
    const std::optional<Message> longer = parse(longerBytes);
    ASSERT_TRUE(longer);
    EXPECT_FALSE(int32Pair(*longer));
    // Padding before the body is zeros.
    std::string padded = good;
    const std::size_t bodyAt = good.size() - 8;
    ASSERT_EQ(padded[bodyAt - 1], '\0');
    padded[bodyAt - 1] = '\1';
    EXPECT_FALSE(parse(padded));
}
