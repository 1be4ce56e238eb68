#pragma once

#include <cstdint>
#include <vector>

#include <QUndoCommand>

#include "foundation/ProduktRec.h"

class MenuDocument;
class TDynaArray;

// Where a product record lives: a category's product array, or the product
// database.
struct TProductPlace {
    static constexpr int Database = -1;
    int category = Database;

    TDynaArray* array(MenuDocument& doc) const;
    // Tells the document's listeners that this array changed.
    void announce(MenuDocument& doc) const;
};

// Puts a product record into an array or takes it out. While it is out, the
// command owns the record's texts.
class TAddRemoveProduct : public QUndoCommand {
public:
    // Inserts `record` (whose texts the command takes over) at `index`.
    static TAddRemoveProduct* Add(MenuDocument& doc, TProductPlace place, int index,
                                  const TProduktRec& record, const QString& text);
    // Removes record `index`.
    static TAddRemoveProduct* Remove(MenuDocument& doc, TProductPlace place, int index,
                                     const QString& text);
    ~TAddRemoveProduct() override;

    void redo() override;
    void undo() override;

private:
    TAddRemoveProduct(MenuDocument& doc, TProductPlace place, int index, bool adding,
                      const QString& text);
    void putIn();
    void takeOut();

    MenuDocument& doc_;
    const TProductPlace place_;
    const int index_;
    const bool adding_;
    bool out_ = false;
    TProduktRec record_{}; // owned while out
};

// Gives a product other texts and values. The command keeps the record's
// other state and exchanges it with the record's on every redo and undo.
class TEditProduct : public QUndoCommand {
public:
    // `record`'s texts are taken over.
    TEditProduct(MenuDocument& doc, int category, int index, const TProduktRec& record);
    ~TEditProduct() override;
    void redo() override;
    void undo() override { redo(); }

private:
    MenuDocument& doc_;
    const int category_;
    const int index_;
    TProduktRec other_;
};

// Exchanges two products of a category (a move up or down).
class TSwapProducts : public QUndoCommand {
public:
    TSwapProducts(MenuDocument& doc, int category, int a, int b, const QString& text);
    void redo() override;
    void undo() override { redo(); }

private:
    MenuDocument& doc_;
    const int category_;
    const int a_;
    const int b_;
};

// Appends a copy of a product to the database and sorts the database by
// name. Undo takes the copy out and restores the previous order.
class TAddToDatabase : public QUndoCommand {
public:
    // `record`'s texts are taken over.
    TAddToDatabase(MenuDocument& doc, const TProduktRec& record);
    ~TAddToDatabase() override;
    void redo() override;
    void undo() override;

private:
    MenuDocument& doc_;
    bool out_ = true;
    TProduktRec record_;
    // Where the sort moved records, in runs: the `length` records from
    // position `now` on came from the positions from `before` on. Adding to a
    // sorted database shifts a block by one place, which is one run.
    struct Run {
        uint32_t now;
        uint32_t before;
        uint32_t length;
    };
    std::vector<Run> moved_;
};
