// SPDX-License-Identifier: GPL-3.0-or-later
// Page 4: the five picture slots of the trail, their previews and captions.
#pragma once

#include "platform/file_chooser.h"
#include "wizard_page.h"

#include <array>
#include <vector>

class QImage;

namespace platform {
class Dialogs;
} // namespace platform

namespace vandrel {

inline constexpr int kSlotCount = 5;
inline constexpr int kPreviewLimit = 20; // pixels; a larger picture gets a 20 x 20 preview

// The picture filter of the open dialog; GIF (entry 2) is preselected.
std::vector<platform::FileFilter> pictureFilter();
// The preview size of a picture: its own, or 20 x 20 when either side is larger than 20.
QSize previewSize(QSize picture);
// True when every caption is decided (a file name or "No picture").
bool allSlotsDecided(const std::array<QString, kSlotCount> &captions);

class PicturePage final : public WizardPage
{
    Q_OBJECT

public:
    PicturePage(platform::Dialogs &dialogs, platform::FileChooser &chooser,
                QWidget *parent = nullptr);

    // The slot captions the theme stores: empty (undecided), a file name, or "No picture".
    std::array<QString, kSlotCount> captions() const;
    QLabel *caption(int slot) const { return m_the[size_t(slot)]; }   // slot 0..4 = the1..the5
    QLabel *preview(int slot) const { return m_small[size_t(slot)]; } // small1..small5

    // What the buttons do (slot 0..4).
    void choosePicture(int slot);
    void chooseNoPicture(int slot);
    void chooseGlobalPicture();

Q_SIGNALS:
    // A chosen picture could not be read; the message was shown and the program must end.
    void pictureDamaged();

private:
    // The open dialog; the chosen file's picture and name, or nothing (cancelled or damaged).
    bool askForPicture(QImage &picture, QString &title);
    void setSlot(int slot, const QImage &picture, const QString &title);
    void checkNext();

    platform::Dialogs &m_dialogs;
    platform::FileChooser &m_chooser;
    std::array<QLabel *, kSlotCount> m_small{};
    std::array<QLabel *, kSlotCount> m_the{};
    // What the theme stores for each slot; the label shows "No picture" in the user's language.
    std::array<QString, kSlotCount> m_captions{};
};

} // namespace vandrel
