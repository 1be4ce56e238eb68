#pragma once

#include <QString>
#include <QUndoCommand>

class MenuDocument;
class TDynaArray;

// Puts a category into the document or takes it out. While it is out, the
// command owns the category's product array with all products and texts.
class TAddRemoveCategory : public QUndoCommand {
public:
    // Adds a new, empty category `name` at `index`.
    static TAddRemoveCategory* Add(MenuDocument& doc, int index, const QString& name);
    // Removes category `index` with its products.
    static TAddRemoveCategory* Remove(MenuDocument& doc, int index);
    ~TAddRemoveCategory() override;

    void redo() override;
    void undo() override;

private:
    TAddRemoveCategory(MenuDocument& doc, int index, bool adding, const QString& text);
    void putIn();
    void takeOut();

    MenuDocument& doc_;
    const int index_;
    const bool adding_;
    QString name_;
    TDynaArray* products_ = nullptr; // owned while the category is out
};

// Gives category `index` another name.
class TRenameCategory : public QUndoCommand {
public:
    TRenameCategory(MenuDocument& doc, int index, const QString& name);
    void redo() override;
    void undo() override;

private:
    MenuDocument& doc_;
    const int index_;
    const QString old_;
    const QString new_;
};

// Exchanges two categories (a move up or down).
class TSwapCategories : public QUndoCommand {
public:
    TSwapCategories(MenuDocument& doc, int a, int b, const QString& text);
    void redo() override;
    void undo() override { redo(); }

private:
    MenuDocument& doc_;
    const int a_;
    const int b_;
};
