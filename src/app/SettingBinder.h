#pragma once

#include <array>

#include <QObject>
#include <QPointer>

#include "foundation/MenuDocument.h"

class QAbstractSpinBox;
class QCheckBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;
class TMenuEditor;

// Keeps controls and document settings in step, in both directions: an edit
// of a bound control sets its setting through the editor (one undoable step,
// merged with the previous edit of the same control), and a change of the
// setting (an edit elsewhere, a file being opened) shows in the control. The
// control is updated with its signals blocked, so nothing echoes back.
//
// Spin boxes take range, step and decimals from SettingInfo. Each setting has
// at most one control.
class TSettingBinder : public QObject {
    Q_OBJECT
public:
    explicit TSettingBinder(TMenuEditor& editor, QObject* parent = nullptr);

    void Bind(QLineEdit* edit, TextSetting s);
    void Bind(QCheckBox* box, FlagSetting s);
    void Bind(QDoubleSpinBox* box, NumberSetting s);
    void Bind(QSpinBox* box, NumberSetting s);

    // Shows every setting in its control.
    void Refresh();

private:
    void ShowText(TextSetting s);
    void ShowFlag(FlagSetting s);
    void ShowNumber(NumberSetting s);

    TMenuEditor& editor_;
    MenuDocument& doc_;
    std::array<QPointer<QLineEdit>, TextSettingCount> texts_;
    std::array<QPointer<QCheckBox>, FlagSettingCount> flags_;
    std::array<QPointer<QAbstractSpinBox>, NumberSettingCount> numbers_;
};
