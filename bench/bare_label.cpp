// SPDX-License-Identifier: GPL-3.0-or-later
// The smallest Qt Widgets program there is, one label on screen: the benchmark's yardstick for
// what resident memory Qt alone costs.
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Hello"));
    label.show();
    return QApplication::exec();
}
