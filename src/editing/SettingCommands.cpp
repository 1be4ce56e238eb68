#include "editing/SettingCommands.h"
#include "translation/TranslateUnit.h"

namespace {

// Merge ids: one range per kind of setting; -1 never merges.
constexpr int TextIds = 1000;
constexpr int NumberIds = 2000;

} // namespace

QUndoCommand* ChangeText(MenuDocument& doc, TextSetting s, const QString& value) {
    return new TChangeValue<TextSetting, QString>(
        doc, s, value, TranslateText(QStringLiteral("Text ändern")), TextIds + int(s),
        [](const MenuDocument& d, TextSetting k) { return d.text(k); },
        [](MenuDocument& d, TextSetting k, const QString& v) { d.setText(k, v); });
}

QUndoCommand* ChangeFlag(MenuDocument& doc, FlagSetting s, bool value) {
    return new TChangeValue<FlagSetting, bool>(
        doc, s, value, TranslateText(QStringLiteral("Einstellung ändern")), -1,
        [](const MenuDocument& d, FlagSetting k) { return d.flag(k); },
        [](MenuDocument& d, FlagSetting k, const bool& v) { d.setFlag(k, v); });
}

QUndoCommand* ChangeNumber(MenuDocument& doc, NumberSetting s, double value) {
    return new TChangeValue<NumberSetting, double>(
        doc, s, value, TranslateText(QStringLiteral("Wert ändern")), NumberIds + int(s),
        [](const MenuDocument& d, NumberSetting k) { return d.number(k); },
        [](MenuDocument& d, NumberSetting k, const double& v) { d.setNumber(k, v); });
}

QUndoCommand* ChangeFont(MenuDocument& doc, FontRole r, const TFontSetting& value) {
    return new TChangeValue<FontRole, TFontSetting>(
        doc, r, value, TranslateText(QStringLiteral("Schriftart ändern")), -1,
        [](const MenuDocument& d, FontRole k) { return d.font(k); },
        [](MenuDocument& d, FontRole k, const TFontSetting& v) { d.setFont(k, v); });
}

QUndoCommand* ChangeLegend(MenuDocument& doc, Legend l, const QList<TLegendEntry>& entries,
                           const QString& text) {
    return new TChangeValue<Legend, QList<TLegendEntry>>(
        doc, l, entries, text, -1, [](const MenuDocument& d, Legend k) { return d.legend(k); },
        [](MenuDocument& d, Legend k, const QList<TLegendEntry>& v) { d.setLegend(k, v); });
}
