#include "editing/CategoryCommands.h"

#include "foundation/MenuDocument.h"
#include "translation/TranslateUnit.h"

TAddRemoveCategory::TAddRemoveCategory(MenuDocument& doc, int index, bool adding,
                                       const QString& text)
    : QUndoCommand(text), doc_(doc), index_(index), adding_(adding) {}

TAddRemoveCategory* TAddRemoveCategory::Add(MenuDocument& doc, int index, const QString& name) {
    auto* command =
        new TAddRemoveCategory(doc, index, true, TranslateText(QStringLiteral("Neue Kategorie")));
    command->name_ = name;
    command->products_ = new TDynaArray(sizeof(TProduktRec), &doc.aprod);
    return command;
}

TAddRemoveCategory* TAddRemoveCategory::Remove(MenuDocument& doc, int index) {
    return new TAddRemoveCategory(doc, index, false,
                                  TranslateText(QStringLiteral("Kategorie löschen")));
}

TAddRemoveCategory::~TAddRemoveCategory() {
    MenuDocument::freeProducts(products_);
}

void TAddRemoveCategory::putIn() {
    if (products_ && doc_.insertKat(index_, name_, products_))
        products_ = nullptr;
}

void TAddRemoveCategory::takeOut() {
    if (!products_)
        products_ = doc_.takeKat(index_, &name_);
}

void TAddRemoveCategory::redo() {
    if (adding_)
        putIn();
    else
        takeOut();
}

void TAddRemoveCategory::undo() {
    if (adding_)
        takeOut();
    else
        putIn();
}

TRenameCategory::TRenameCategory(MenuDocument& doc, int index, const QString& name)
    : QUndoCommand(TranslateText(QStringLiteral("Kategorie umbenennen"))), doc_(doc), index_(index),
      old_(doc.katName(index)), new_(name) {}

void TRenameCategory::redo() {
    doc_.setKatName(index_, new_);
}

void TRenameCategory::undo() {
    doc_.setKatName(index_, old_);
}

TSwapCategories::TSwapCategories(MenuDocument& doc, int a, int b, const QString& text)
    : QUndoCommand(text), doc_(doc), a_(a), b_(b) {}

void TSwapCategories::redo() {
    doc_.changeKats(a_, b_);
}
