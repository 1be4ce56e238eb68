#pragma once

#include <cstdint>

class QCoreApplication;
class QTranslator;

// Gives Qt's own texts the language of a column of the translation table: the
// standard buttons of message boxes ("Ja", "Nein", "Abbrechen"), the file and
// font dialogs, the context menus of text fields and the names of shortcut
// keys ("Strg+N"). Column 0 and the columns without a language of their own
// are German; 1 is Qt's own English; 2 to 4 are French, Dutch and Swedish
// where Qt has them (else English). The translator that this function
// installed before goes. Returns the installed translator, owned by `app`;
// null when there is none to install.
QTranslator* UseQtTexts(QCoreApplication& app, int32_t column);

// The German texts (column 0).
QTranslator* InstallQtGermanTexts(QCoreApplication& app);
