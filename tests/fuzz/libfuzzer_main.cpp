// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry point for one target, chosen at build time by FUZZ_TARGET.
#include "fuzz_targets.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv); // some Qt file APIs want an application object
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::string broken = fuzz::FUZZ_TARGET(input);
    if (!broken.empty()) {
        std::fprintf(stderr, "broken property: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
