// SPDX-License-Identifier: GPL-3.0-or-later
// Version numbers, the outcome table, the status texts and the test server hook.
#include "zorrit/update/check_outcome.h"
#include "zorrit/update/update_check.h"
#include "zorrit/update/version_value.h"

#include <gtest/gtest.h>

using namespace zorrit::update;

TEST(VersionValue, LeadingNumberRoundedAndRangeChecked)
{
    struct Case
    {
        const char *text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"122", 122},
        {" 122", 122},
        {"\t\n 1 2\t2\n", 122}, // blanks, tabs and line feeds are ignored anywhere
        {"122\r\n", 122},
        {"122abc", 122},
        {"121.4", 121},
        {"121.5", 122}, // halves go to the even neighbour
        {"122.5", 122},
        {"122.50001", 123},
        {"122.49999999999999999999", 122}, // read exactly, not through a double
        {"0121", 121},
        {"+122", 122},
        {"1", 1},
        {"32767", 32767},
        {"32767.5", std::nullopt}, // rounds to 32768
        {"32768", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"0", std::nullopt},
        {"0.4", std::nullopt},
        {"0.5", std::nullopt}, // rounds to 0
        {"0.51", 1},
        {"-122", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {" \n", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"\r122", std::nullopt}, // a carriage return is not skipped
        {"1.2.2", 1},            // a second point ends the number
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(versionValue(QString::fromLatin1(c.text)), c.value);
    }
}

TEST(VersionValue, DisplayForm)
{
    EXPECT_EQ(displayVersion(122), QStringLiteral("1.2.2"));
    EXPECT_EQ(displayVersion(100), QStringLiteral("1.0.0"));
    EXPECT_EQ(displayVersion(1234), QStringLiteral("12.3.4"));
    EXPECT_EQ(displayVersion(12), QStringLiteral(".1.2"));
    EXPECT_EQ(displayVersion(5), QStringLiteral("..5"));
}

TEST(CheckOutcome, NeverUpToDateWithoutARealNumber)
{
    using S = TransferStatus;
    const std::optional<QByteArray> none;
    auto body = [](const char *text) { return std::optional<QByteArray>(text); };
    const auto failed = CheckResult{CheckOutcome::Failed, 0};

    EXPECT_EQ(decideOutcome(S::WaitingResponse, body("122"), 121),
              (CheckResult{CheckOutcome::UpdateAvailable, 122}));
    EXPECT_EQ(decideOutcome(S::WaitingResponse, body("121"), 121),
              (CheckResult{CheckOutcome::UpToDate, 121}));
    EXPECT_EQ(decideOutcome(S::WaitingResponse, body("120"), 121),
              (CheckResult{CheckOutcome::UpToDate, 120}));
    // Compared after rounding, like the stored value: 121.4 is the version we have.
    EXPECT_EQ(decideOutcome(S::WaitingResponse, body("121.4"), 121),
              (CheckResult{CheckOutcome::UpToDate, 121}));
    EXPECT_EQ(decideOutcome(S::WaitingResponse, body("121.6"), 121),
              (CheckResult{CheckOutcome::UpdateAvailable, 122}));
    EXPECT_EQ(decideOutcome(S::WaitingResponse, body("abc"), 121), failed);
    EXPECT_EQ(decideOutcome(S::WaitingResponse, body(""), 121), failed);
    EXPECT_EQ(decideOutcome(S::WaitingResponse, none, 121), failed);
    EXPECT_EQ(decideOutcome(S::LookupFailed, body("122"), 121), failed);
    EXPECT_EQ(decideOutcome(S::CouldNotConnect, none, 121), failed);
    for (S busy : {S::PleaseWait, S::CheckingForUpdates, S::Connecting, S::Comparing})
        EXPECT_EQ(decideOutcome(busy, body("122"), 121), std::nullopt);
}

TEST(TransferStatus, TextsAndFinalStates)
{
    EXPECT_EQ(statusText(TransferStatus::LookupFailed), QStringLiteral("Connecting... "));
    EXPECT_EQ(statusText(TransferStatus::Connecting), QStringLiteral("Connecting..."));
    for (const StatusEntry &entry : kStatusTexts) {
        SCOPED_TRACE(statusText(entry.status).toStdString());
        const bool final = entry.status == TransferStatus::LookupFailed
                           || entry.status == TransferStatus::CouldNotConnect
                           || entry.status == TransferStatus::WaitingResponse;
        EXPECT_EQ(isFinal(entry.status), final);
    }
}

TEST(UpdateServerHook, ParsesHostAndPortOnly)
{
    EXPECT_EQ(parseServerOverride(u"127.0.0.1:8080"),
              (ServerAddress{QStringLiteral("127.0.0.1"), 8080}));
    EXPECT_EQ(parseServerOverride(u"localhost:1"), (ServerAddress{QStringLiteral("localhost"), 1}));
    EXPECT_EQ(parseServerOverride(u"[::1]:65535"), (ServerAddress{QStringLiteral("::1"), 65535}));
    for (const char16_t *bad : {u"", u"localhost", u":80", u"host:0", u"host:65536", u"host:x",
                                u"ho st:80", u"host/evil:80", u"h\r\nX: y:80"}) {
        EXPECT_EQ(parseServerOverride(bad), std::nullopt);
    }
}
