// SPDX-License-Identifier: GPL-3.0-or-later
// The file chooser through Qt's own file dialog.
#include "file_chooser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <exception>

namespace platform {

namespace {

// Qt's dialog reads the patterns from the last "(...)" of an entry and, with
// HideNameFilterDetails, shows the user only what comes before it: the description as given.
QString qtNameFilter(const FileFilter &filter)
{
    QStringList patterns;
    for (const QString &p : filter.pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = p.trimmed();
        // "*.*" means every file here, also those without a dot.
        patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    if (patterns.isEmpty())
        patterns << QStringLiteral("*");
    return filter.description + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
           + QLatin1Char(')');
}

// Refuses a name longer than the caller can take, and keeps the dialog open for a better one.
class ChooserDialog final : public QFileDialog
{
    // Its own texts under its own name, not QFileDialog's (the class has no meta-object).
    Q_DECLARE_TR_FUNCTIONS(platform::ChooserDialog)

public:
    ChooserDialog(QWidget *owner, int maxPathLength)
        : QFileDialog(owner)
        , m_maxPathLength(maxPathLength)
    {
    }

    void accept() override
    {
        const QStringList files = selectedFiles();
        for (const QString &file : files) {
            if (file.size() > m_maxPathLength) {
                QMessageBox box(QMessageBox::Warning, windowTitle(),
                                tr("The file name is too long:\n%1").arg(file), QMessageBox::Ok,
                                this);
                box.setTextFormat(Qt::PlainText); // a file name is never markup
                box.exec();
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    int m_maxPathLength;
};

} // namespace

FileChooserAnswer QtFileChooser::choose(const FileChooserRequest &request)
{
    const bool save = request.mode == ChooserMode::Save;
    QPointer<ChooserDialog> dialog = new ChooserDialog(request.owner.data(), request.maxPathLength);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save) {
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setOption(QFileDialog::DontConfirmOverwrite,
                          !(request.flags & chooser_flags::kOverwritePrompt));
    } else {
        dialog->setFileMode((request.flags & chooser_flags::kAllowMultiSelect)
                                ? QFileDialog::ExistingFiles
                                : QFileDialog::ExistingFile);
    }
    dialog->setWindowTitle(!request.title.isEmpty()
                               ? request.title
                               : (save ? QFileDialog::tr("Save As") : QFileDialog::tr("Open")));
    dialog->setDirectory(request.initialDir.isEmpty() ? QDir::currentPath() : request.initialDir);
    if (!request.defaultExt.isEmpty())
        dialog->setDefaultSuffix(request.defaultExt);

    QStringList nameFilters;
    for (const FileFilter &f : request.filters)
        nameFilters << qtNameFilter(f);
    if (!nameFilters.isEmpty()) {
        dialog->setNameFilters(nameFilters);
        const int index = request.filterIndex >= 1 && request.filterIndex <= nameFilters.size()
                              ? request.filterIndex - 1
                              : 0;
        dialog->selectNameFilter(nameFilters.at(index));
    }

    const int result = dialog->exec();
    // The owner may have gone while the dialog was open, taking the dialog with it.
    if (!dialog)
        return {};
    const QStringList chosen = dialog->selectedFiles();
    delete dialog;
    if (result != QDialog::Accepted || chosen.isEmpty())
        return {};

    FileChooserAnswer answer;
    answer.outcome = FileChooserAnswer::Outcome::Chosen;
    for (const QString &path : chosen)
        answer.paths << QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!(request.flags & chooser_flags::kNoChangeDir))
        QDir::setCurrent(QFileInfo(answer.paths.first()).absolutePath());
    return answer;
}

std::optional<QString> chooseFile(FileChooser &chooser, const FileChooserRequest &request)
{
    FileChooserAnswer answer;
    try {
        answer = chooser.choose(request);
    } catch (const std::exception &) {
        return std::nullopt; // called from event handlers: nothing may leave through them
    }
    if (answer.outcome != FileChooserAnswer::Outcome::Chosen || answer.paths.isEmpty())
        return std::nullopt;
    // Qt's dialog refuses such a name itself; any other chooser's is refused here.
    if (answer.paths.first().size() > request.maxPathLength)
        return std::nullopt;
    return answer.paths.first();
}

bool QtFileChooser::confirmReplace(QWidget *owner, const QString &path)
{
    QMessageBox box(QMessageBox::Question, QFileDialog::tr("Confirm Save As"),
                    QFileDialog::tr("%1 already exists.\nDo you want to replace it?")
                        .arg(QFileInfo(path).fileName()),
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    box.setTextFormat(Qt::PlainText); // a file name such as "<b>x.thm" is shown as it is
    return box.exec() == QMessageBox::Yes;
}

} // namespace platform
