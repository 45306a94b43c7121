// SPDX-License-Identifier: GPL-3.0-or-later
// Test double for the file chooser: answers from a queue and records every request.
#pragma once

#include "platform/file_chooser.h"

#include <deque>
#include <vector>

namespace platform {

class FakeFileChooser final : public FileChooser
{
public:
    // Queue the next answers, in the order the chooser will be shown.
    void chooseNext(const QString &path) { chooseNext(QStringList{path}); }
    void chooseNext(const QStringList &paths)
    {
        answers.push_back({FileChooserAnswer::Outcome::Chosen, paths});
    }
    void cancelNext() { answers.push_back({FileChooserAnswer::Outcome::Cancelled, {}}); }
    void failNext() { answers.push_back({FileChooserAnswer::Outcome::Failed, {}}); }

    FileChooserAnswer choose(const FileChooserRequest &request) override
    {
        requests.push_back(request);
        if (answers.empty()) // an unexpected chooser counts as cancelled
            return {};
        FileChooserAnswer next = answers.front();
        answers.pop_front();
        return next;
    }

    bool confirmReplace(QWidget *, const QString &path) override
    {
        replaceAsked.push_back(path);
        if (replaceAnswers.empty())
            return false;
        const bool yes = replaceAnswers.front();
        replaceAnswers.pop_front();
        return yes;
    }

    std::deque<FileChooserAnswer> answers;
    std::vector<FileChooserRequest> requests;
    std::deque<bool> replaceAnswers; // empty: "No"
    std::vector<QString> replaceAsked;
};

} // namespace platform
