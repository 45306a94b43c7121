// SPDX-License-Identifier: GPL-3.0-or-later
// The program's texts in the user's language, with Qt's own texts (standard buttons) to match.
#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace common {

// share/zorrit/translations beside the program's bin folder (installed and in the build tree).
QString translationsFolder(const QString &programDir);

// Installs program's translation (program_<language>.qm) for the locale, and Qt's own with it;
// with none for that language nothing is installed and every text stays English. Returns whether
// one was installed.
bool installTranslations(QCoreApplication &app, const QString &program,
                         const QLocale &locale = QLocale());

// Loads program's translation for the answers given before the application object exists
// (--help, --quit), which QCoreApplication::translate cannot look up yet. Call once, early.
void loadEarlyTranslation(const QString &program, const QLocale &locale = QLocale());

// QCoreApplication::translate, and before the application object exists, the early translation.
QString translate(const char *context, const char *sourceText);

} // namespace common
