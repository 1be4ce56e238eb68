#include "app/tabs/LayoutTab.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/FontChoice.h"
#include "app/Prompts.h"
#include "app/SettingBinder.h"
#include "app/tabs/Controls.h"
#include "editing/MenuEditor.h"

TLayoutTab::TLayoutTab(TMenuEditor& editor, TPrompts& prompts, QWidget* parent)
    : QWidget(parent), editor_(editor), doc_(editor.document()), prompts_(prompts),
      binder_(new TSettingBinder(editor, this)) {
    auto* row = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    const std::pair<const char*, NumberSetting> margins[] = {
        {"Linker Seitenrand in mm:", NumberSetting::LeftMargin},
        {"Oberer Seitenrand in mm:", NumberSetting::TopMargin},
        {"Rechter Seitenrand in mm:", NumberSetting::RightMargin},
        {"Unterer Seitenrand in mm:", NumberSetting::BottomMargin},
    };
    for (const auto& [label, setting] : margins) {
        auto* field = MakeNamed<QDoubleSpinBox>(SettingInfo(setting).name);
        binder_->Bind(field, setting);
        form->addRow(MakeLabel(label, field), field);
    }
    auto* currency = MakeNamed<QLineEdit>("WaehrEd");
    currency->setMaximumWidth(80);
    binder_->Bind(currency, TextSetting::Currency);
    form->addRow(MakeLabel("Währung:", currency), currency);
    left->addLayout(form);
    left->addSpacing(12);
    const std::pair<FlagSetting, const char*> switches[] = {
        {FlagSetting::CategoryCapitals, "Kategorienamen in Großbuchstaben"},
        {FlagSetting::HeadingCentred, "Überschrift zentriert"},
        {FlagSetting::PricesWithoutDecimals, "Kommastellen bei Preisen weglassen"},
        {FlagSetting::NewPagePerCategory, "Neue Seite für jede Kategorie"},
        {FlagSetting::NoDotLeaders, "Keine Punkte nach den Produktnamen"},
        {FlagSetting::CategoryHeadingCentred, "Kategorieüberschrift zentriert"},
        {FlagSetting::OnlyUsedMarkers, "Zeige nur benutzte Zusatzstoffe"},
    };
    for (const auto& [setting, caption] : switches) {
        QCheckBox* box = MakeCheckBox(SettingInfo(setting).name, caption);
        binder_->Bind(box, setting);
        left->addWidget(box);
    }
    left->addStretch(1);
    row->addLayout(left, 1);

    // One button per font, in the order of the fonts.
    auto* fonts = new QVBoxLayout;
    const std::pair<const char*, const char*> buttons[FontCount] = {
        {"BitBtnXP3", "Schriftart für Überschrift..."},
        {"BitBtnXP4", "Schriftart für Kategoriename..."},
        {"BitBtnXP5", "Schriftart für Nummerierung..."},
        {"BitBtnXP6", "Schriftart für Beschreibung..."},
        {"BitBtnXP7", "Schriftart für Preise..."},
        {"BitBtnXP8", "Schriftart für Punkte..."},
        {"BitBtnXP9", "Schriftart für freien Text..."},
        {"BitBtnXP10", "Schriftart für Fußzeile..."},
        {"BitBtnXP11", "Schriftart für Kopfzeile..."},
    };
    for (int i = 0; i < FontCount; ++i) {
        QPushButton* b = MakeButton(this, buttons[i].first, buttons[i].second);
        b->setMinimumWidth(240);
        const auto role = FontRole(i);
        connect(b, &QPushButton::clicked, this, [this, role] { chooseFont(role); });
        fonts->addWidget(b);
    }
    fonts->addStretch(1);
    row->addLayout(fonts);
}

void TLayoutTab::chooseFont(FontRole role) {
    const TFontSetting setting = doc_.font(role);
    const QFont offered = FontForDialog(setting);
    QFont chosen = offered;
    if (!prompts_.ChooseFont(this, FontRoleName(role), chosen))
        return;
    editor_.setFont(role, ApplyChosenFont(setting, offered, chosen));
}
