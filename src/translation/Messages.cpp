#include "translation/Messages.h"

QString GetMessageText(int n) {
    static const char* const texts[20] = {
        "Konte die folgende Datei nicht öffnen: ",
        "Bitte schließen Sie das Program und starten Sie es neu.",
        "Übersetzen",
        "paper.jpg",
        "Die Datei wurde noch nicht gespeichert. Wollen Sie jetzt speichern?",
        "Speichern",
        "",
        "unbenannt.mnx",
        "",
        "Preis auf Anfrage",
        "",
        "Speisekarte drucken",
        "Kategorie",
        "Bezeichnung",
        "Beschreibung",
        "Preis",
        "Bestellnummer",
        "Menge",
        "Konnte die folgende Datei nicht anlegen:",
        "",
    };
    if (n < 1 || n > 20)
        return QString();
    return QString::fromUtf8(texts[n - 1]);
}

QString TranslateText(const QString& text) {
    return text;
}
