#pragma once

class QCoreApplication;
class QTranslator;

// Gives Qt's own texts to the German interface: the standard buttons of
// message boxes ("Ja", "Nein", "Abbrechen"), the file and font dialogs, the
// context menus of text fields and the names of shortcut keys ("Strg+N").
// Returns the installed translator, owned by `app`; null when Qt's German
// translations are not installed.
QTranslator* InstallQtGermanTexts(QCoreApplication& app);
