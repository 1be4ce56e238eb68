#pragma once

#include <QList>
#include <QString>
#include <QUndoCommand>

#include "foundation/MenuDocument.h"

// Changes one setting, font or legend of the document. Consecutive changes
// of one text or number setting merge into one step, so typing a word or
// spinning a value is taken back at once.
template <class Key, class Value> class TChangeValue : public QUndoCommand {
public:
    using Getter = Value (*)(const MenuDocument&, Key);
    using Setter = void (*)(MenuDocument&, Key, const Value&);

    TChangeValue(MenuDocument& doc, Key key, const Value& value, const QString& text, int mergeId,
                 Getter get, Setter set)
        : QUndoCommand(text), doc_(doc), key_(key), old_(get(doc, key)), new_(value),
          mergeId_(mergeId), set_(set) {}

    void redo() override { set_(doc_, key_, new_); }
    void undo() override { set_(doc_, key_, old_); }
    int id() const override { return mergeId_; }
    bool mergeWith(const QUndoCommand* other) override {
        // Equal ids belong to the same setting and so to this class.
        const auto* next = static_cast<const TChangeValue*>(other);
        new_ = next->new_;
        setObsolete(new_ == old_);
        return true;
    }

private:
    MenuDocument& doc_;
    const Key key_;
    const Value old_;
    Value new_;
    const int mergeId_;
    const Setter set_;
};

// One step for each kind of setting, named by its kind ("Text ändern",
// "Einstellung ändern", "Wert ändern", "Schriftart ändern").
QUndoCommand* ChangeText(MenuDocument& doc, TextSetting s, const QString& value);
QUndoCommand* ChangeFlag(MenuDocument& doc, FlagSetting s, bool value);
QUndoCommand* ChangeNumber(MenuDocument& doc, NumberSetting s, double value);
QUndoCommand* ChangeFont(MenuDocument& doc, FontRole r, const TFontSetting& value);
// Replaces a whole legend; `text` names the step.
QUndoCommand* ChangeLegend(MenuDocument& doc, Legend l, const QList<TLegendEntry>& entries,
                           const QString& text);
