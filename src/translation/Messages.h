#pragma once

#include <QString>

// Built-in message n (1 to 20) in German; empty for reserved and unknown slots.
// The translation table will route these through the active language.
QString GetMessageText(int n);

// Any text the program shows, given in German, in the active language. Until
// the translation table exists this returns the text unchanged.
QString TranslateText(const QString& text);
