#pragma once

#include <QWidget>

#include "foundation/FontSetting.h"

class MenuDocument;
class TMenuEditor;
class TPrompts;
class TSettingBinder;

// The tab "Layout": page margins, currency, the layout switches and the nine
// buttons that open the font dialogs.
class TLayoutTab : public QWidget {
    Q_OBJECT
public:
    TLayoutTab(TMenuEditor& editor, TPrompts& prompts, QWidget* parent = nullptr);

    // Opens the font dialog of `role` on the current font and stores a
    // confirmed choice in the document.
    void chooseFont(FontRole role);

private:
    TMenuEditor& editor_;
    MenuDocument& doc_;
    TPrompts& prompts_;
    TSettingBinder* binder_ = nullptr;
};
