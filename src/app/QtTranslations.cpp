#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

QLocale localeOfColumn(int32_t column) {
    switch (column) {
    case 1:
        return QLocale(QLocale::English, QLocale::UnitedKingdom);
    case 2:
        return QLocale(QLocale::French, QLocale::France);
    case 3:
        return QLocale(QLocale::Dutch, QLocale::Netherlands);
    case 4:
        return QLocale(QLocale::Swedish, QLocale::Sweden);
    default:
        return QLocale(QLocale::German, QLocale::Germany);
    }
}

} // namespace

QTranslator* UseQtTexts(QCoreApplication& app, int32_t column) {
    static QPointer<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    const QLocale locale = localeOfColumn(column);
    if (locale.language() == QLocale::English)
        return nullptr;
    auto* translator = new QTranslator(&app);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    installed = translator;
    return translator;
}

QTranslator* InstallQtGermanTexts(QCoreApplication& app) {
    return UseQtTexts(app, 0);
}
