#include "app/SettingBinder.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include "editing/MenuEditor.h"

TSettingBinder::TSettingBinder(TMenuEditor& editor, QObject* parent)
    : QObject(parent), editor_(editor), doc_(editor.document()) {
    connect(&doc_, &MenuDocument::textChanged, this, &TSettingBinder::ShowText);
    connect(&doc_, &MenuDocument::flagChanged, this, &TSettingBinder::ShowFlag);
    connect(&doc_, &MenuDocument::numberChanged, this, &TSettingBinder::ShowNumber);
}

void TSettingBinder::Bind(QLineEdit* edit, TextSetting s) {
    texts_[std::size_t(s)] = edit;
    ShowText(s);
    connect(edit, &QLineEdit::textChanged, this,
            [this, s](const QString& value) { editor_.setText(s, value); });
}

void TSettingBinder::Bind(QCheckBox* box, FlagSetting s) {
    flags_[std::size_t(s)] = box;
    ShowFlag(s);
    connect(box, &QCheckBox::toggled, this, [this, s](bool on) { editor_.setFlag(s, on); });
}

void TSettingBinder::Bind(QDoubleSpinBox* box, NumberSetting s) {
    const NumberSettingInfo& info = SettingInfo(s);
    box->setDecimals(info.decimals);
    box->setRange(info.minimum, info.maximum);
    box->setSingleStep(info.step);
    numbers_[std::size_t(s)] = box;
    ShowNumber(s);
    connect(box, &QDoubleSpinBox::valueChanged, this,
            [this, s](double value) { editor_.setNumber(s, value); });
}

void TSettingBinder::Bind(QSpinBox* box, NumberSetting s) {
    const NumberSettingInfo& info = SettingInfo(s);
    box->setRange(int(info.minimum), int(info.maximum));
    box->setSingleStep(int(info.step));
    numbers_[std::size_t(s)] = box;
    ShowNumber(s);
    connect(box, &QSpinBox::valueChanged, this,
            [this, s](int value) { editor_.setNumber(s, value); });
}

void TSettingBinder::Refresh() {
    for (int i = 0; i < TextSettingCount; ++i)
        ShowText(TextSetting(i));
    for (int i = 0; i < FlagSettingCount; ++i)
        ShowFlag(FlagSetting(i));
    for (int i = 0; i < NumberSettingCount; ++i)
        ShowNumber(NumberSetting(i));
}

void TSettingBinder::ShowText(TextSetting s) {
    QLineEdit* edit = texts_[std::size_t(s)];
    // Equal text is left alone, so typing keeps its cursor position.
    if (!edit || edit->text() == doc_.text(s))
        return;
    const QSignalBlocker blocker(edit);
    edit->setText(doc_.text(s));
    edit->setCursorPosition(0); // a long text shows from its start
}

void TSettingBinder::ShowFlag(FlagSetting s) {
    QCheckBox* box = flags_[std::size_t(s)];
    if (!box || box->isChecked() == doc_.flag(s))
        return;
    const QSignalBlocker blocker(box);
    box->setChecked(doc_.flag(s));
}

void TSettingBinder::ShowNumber(NumberSetting s) {
    QAbstractSpinBox* box = numbers_[std::size_t(s)];
    if (!box)
        return;
    const double value = doc_.number(s);
    const QSignalBlocker blocker(box);
    if (auto* d = qobject_cast<QDoubleSpinBox*>(box)) {
        if (d->value() != value)
            d->setValue(value);
    } else if (auto* i = qobject_cast<QSpinBox*>(box)) {
        if (i->value() != value)
            i->setValue(int(value));
    }
}
