#pragma once

#include <QFont>

#include "foundation/FontSetting.h"

// A font setting and the font dialog that edits it. A stored face name is
// often not an installed family ("Times New Roman" on a machine that has its
// metric twin "Liberation Serif"): the dialog opens on the family the face
// resolves to, and confirming it unchanged keeps the stored name.

// The font a dialog opens on: the installed family that the stored face
// resolves to, with the setting's style and size.
QFont FontForDialog(const TFontSetting& setting);

// `setting` after the user confirmed `chosen` in a dialog that opened on
// `offered`: face, size and each style take the chosen value only where it
// differs from what was offered. Character set, colour, pitch and resolution
// stay.
TFontSetting ApplyChosenFont(const TFontSetting& setting, const QFont& offered,
                             const QFont& chosen);
