// SPDX-License-Identifier: GPL-3.0-or-later
// Setting the default for theme files in a mimeapps.list without disturbing anything else.
#include "zorrit/integration/mimeapps_list.h"

#include <gtest/gtest.h>

using zorrit::integration::setDefaultApplication;

namespace {

const QString kType = QStringLiteral("application/x-zorrit-theme");
const QString kId = QStringLiteral("zorrit.desktop");

struct Case
{
    const char *what;
    QByteArray before;
    QByteArray after;
};

} // namespace

TEST(MimeappsList, SetsOurDefaultAndKeepsEveryOtherByte)
{
    const Case cases[] = {
        {"missing file", "",
         "[Default Applications]\napplication/x-zorrit-theme=zorrit.desktop;\n"},
        {"other groups only, last line without an end",
         "# mine\n[Added Associations]\ntext/plain=gedit.desktop;\n\n[Removed "
         "Associations]\nimage/png=gimp.desktop;",
         "# mine\n[Added Associations]\ntext/plain=gedit.desktop;\n\n[Removed "
         "Associations]\nimage/png=gimp.desktop;\n"
         "\n[Default Applications]\napplication/x-zorrit-theme=zorrit.desktop;\n"},
        {"group with other types, comments and a following group",
         "[Default Applications]\n# browsers\ntext/html=firefox-esr.desktop;\nimage/png = "
         "eog.desktop;\n\n"
         "[Added Associations]\napplication/x-zorrit-theme=other.desktop;\n",
         "[Default Applications]\n# browsers\ntext/html=firefox-esr.desktop;\nimage/png = "
         "eog.desktop;\n"
         "application/x-zorrit-theme=zorrit.desktop;\n\n"
         "[Added Associations]\napplication/x-zorrit-theme=other.desktop;\n"},
        {"empty group at the end without a line end", "[Default Applications]",
         "[Default Applications]\napplication/x-zorrit-theme=zorrit.desktop;\n"},
        {"another program is the default: it stays as a fall-back",
         "[Default "
         "Applications]\napplication/x-zorrit-theme=other.desktop;\ntext/plain=gedit.desktop;\n",
         "[Default "
         "Applications]\napplication/x-zorrit-theme=zorrit.desktop;other.desktop;\ntext/"
         "plain=gedit.desktop;\n"},
        {"ours second, blanks around the key",
         "[Default Applications]\napplication/x-zorrit-theme = other.desktop;zorrit.desktop\n",
         "[Default Applications]\napplication/x-zorrit-theme = zorrit.desktop;other.desktop;\n"},
        {"already first: unchanged, including its spelling",
         "[Default Applications]\r\napplication/x-zorrit-theme=zorrit.desktop;old.desktop\r\n",
         "[Default Applications]\r\napplication/x-zorrit-theme=zorrit.desktop;old.desktop\r\n"},
        {"CR LF file gets a CR LF line", "[Default Applications]\r\ntext/plain=gedit.desktop;\r\n",
         "[Default "
         "Applications]\r\ntext/plain=gedit.desktop;\r\napplication/"
         "x-zorrit-theme=zorrit.desktop;\r\n"},
        {"a longer type name is another type",
         "[Default Applications]\napplication/x-zorrit-theme2=x.desktop;\n",
         "[Default "
         "Applications]\napplication/x-zorrit-theme2=x.desktop;\napplication/"
         "x-zorrit-theme=zorrit.desktop;\n"},
        {"the group twice: the key is changed where it is",
         "[Default Applications]\ntext/plain=a.desktop;\n[Other]\nk=v\n[Default "
         "Applications]\napplication/x-zorrit-theme=b.desktop;\n",
         "[Default Applications]\ntext/plain=a.desktop;\n[Other]\nk=v\n[Default "
         "Applications]\napplication/x-zorrit-theme=zorrit.desktop;b.desktop;\n"},
        {"the group twice without our key: it goes into the first",
         "[Default Applications]\na/b=a.desktop;\n\n[Default Applications]\nc/d=c.desktop;\n",
         "[Default Applications]\na/b=a.desktop;\napplication/x-zorrit-theme=zorrit.desktop;\n\n"
         "[Default Applications]\nc/d=c.desktop;\n"},
        {"a commented-out entry is a comment; the new key goes after the group's last key",
         "[Default Applications]\n#application/x-zorrit-theme=old.desktop;\n",
         "[Default "
         "Applications]\napplication/x-zorrit-theme=zorrit.desktop;\n#application/"
         "x-zorrit-theme=old.desktop;\n"},
        {"bytes that are not UTF-8 pass through",
         "[Default Applications]\ntext/x-\xe9t\xe9=\xff.desktop;\n",
         "[Default "
         "Applications]\ntext/x-\xe9t\xe9=\xff.desktop;\napplication/"
         "x-zorrit-theme=zorrit.desktop;\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray once = setDefaultApplication(c.before, kType, kId);
        EXPECT_EQ(once.toStdString(), c.after.toStdString());
        // A second start finds nothing to change.
        EXPECT_EQ(setDefaultApplication(once, kType, kId).toStdString(), once.toStdString());
    }
}
