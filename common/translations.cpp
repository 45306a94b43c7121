// SPDX-License-Identifier: GPL-3.0-or-later
// Finding and installing the translations.
#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace common {

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

} // namespace common
