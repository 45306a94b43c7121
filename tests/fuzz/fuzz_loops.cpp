// SPDX-License-Identifier: GPL-3.0-or-later
// Generated-input loops over the fuzz targets: thousands of deterministic mutations of valid
// theme files, command lines and settings files. Any broken property is reported with its input.
#include "fuzz_targets.h"
#include "generated_inputs.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

void run(const QList<QByteArray> &seeds, int iterations,
         const std::function<std::string(const QByteArray &)> &target)
{
    for (const QByteArray &seed : seeds)
        ASSERT_EQ(target(seed), std::string()) << "seed: " << seed.toHex().toStdString();
    fuzz::InputGenerator generator(seeds, 20240607u);
    for (int i = 0; i < iterations; ++i) {
        const QByteArray input = generator.next();
        const std::string broken = target(input);
        ASSERT_EQ(broken, std::string())
            << "iteration " << i << ", input " << input.left(400).toHex().toStdString();
    }
}

const QList<QByteArray> kThemes = {
    "Bubbles\r\nAnn\r\na.gif\r\nb.bmp\r\nNo picture\r\nd.jpg\r\ne.png\r\nwww.example.org\r\n",
    "Seven\r\nBob\r\n1\r\n2\r\n3\r\n4\r\n5\r\n",
    "Caf\xe9\rJos\xe9\r1\r2\r3\r4\r5\r\x93site\x94\r",
    "lf\nonly\nfile\n1\n2\n3\n4\n5\n",
    "Six\r\nA\r\n1\r\n2\r\n3\r\n4\r\n",
    "",
};

} // namespace

TEST(Fuzz, ThemeLineReader)
{
    run(kThemes, 20000, fuzz::themeLines);
}

TEST(Fuzz, ThemeFileReader)
{
    run(kThemes, 1000, fuzz::themeFile);
}

TEST(Fuzz, CommandLineRule)
{
    run({"", "%0", "\"/home/u/My Themes/a.thm\"", "/home/u/a b.thm", "\"", "\"\"", "rel/t.thm",
         "file:///home/u/My%20Themes/t.thm", "12.5", "70000", "\"x"},
        20000, fuzz::commandLine);
}

TEST(Fuzz, SettingsFileReader)
{
    run({"# Zorrit settings\nHKCU\\Software\\ReDiroriro\\Data\\Theme=/home/u/t.thm\n"
         "HKCU\\Software\\ReDiroriro\\Data\\Move=1\n",
         "HKCU\\Software\\ReDiroriro\\Data\\Theme=a\\\\b\\nc\\rd=e\r\n",
         "k=v\nbroken line\n=x\nz=\\q\n", "\xef\xbb\xbfk=v\n", ""},
        20000, fuzz::settingsFile);
}

TEST(Fuzz, HttpResponseReader)
{
    run({"HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\n122",
         "HTTP/1.1 200 OK\r\nServer: x\r\nTransfer-Encoding: chunked\r\n\r\n3\r\n122\r\n0\r\n\r\n",
         "HTTP/1.0 404 Not Found\r\n\r\n<html>", "HTTP/1.0 200 OK\r\n\r\n121\n", "122", ""},
        20000, fuzz::httpResponse);
}

TEST(Fuzz, VersionTextReader)
{
    run({"122", " 1 2 2\n", "121.5", "-3", ".5", "0122.4999", "32767.5", "1e3", "+7\t", "", "\xe9"},
        20000, fuzz::versionText);
}
