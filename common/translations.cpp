// SPDX-License-Identifier: GPL-3.0-or-later
// Finding and installing the translations.
#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace common {

namespace {
// Only main's thread sets it, before any other thread runs.
QTranslator *earlyTranslator = nullptr;
} // namespace

QString translationsFolder(const QString &programDir)
{
    return QDir::cleanPath(
        QDir(programDir).absoluteFilePath(QStringLiteral("../share/zorrit/translations")));
}

bool installTranslations(QCoreApplication &app, const QString &program, const QLocale &locale)
{
    const auto install = [&app, &locale](const QString &name, const QString &folder) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(locale, name, QStringLiteral("_"), folder))
            return false;
        translator->setParent(&app);
        QCoreApplication::installTranslator(translator.release());
        return true;
    };
    if (!install(program, translationsFolder(QCoreApplication::applicationDirPath())))
        return false;
    // Qt's dialogs and standard buttons in the same language, where Qt has it.
    install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return true;
}

void loadEarlyTranslation(const QString &program, const QLocale &locale)
{
    // The program's own path, as QCoreApplication::applicationDirPath() would give it later.
    const QString programDir =
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(locale, program, QStringLiteral("_"), translationsFolder(programDir))) {
        delete earlyTranslator;
        earlyTranslator = translator.release();
    }
}

QString translate(const char *context, const char *sourceText)
{
    if (QCoreApplication::instance() || !earlyTranslator)
        return QCoreApplication::translate(context, sourceText);
    const QString found = earlyTranslator->translate(context, sourceText);
    return found.isEmpty() ? QString::fromUtf8(sourceText) : found;
}

} // namespace common
