#pragma once

#include <QDialog>
#include <QStringList>

#include "editing/ProductFields.h"

class QDoubleSpinBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;

// The product dialog "Produkt bearbeiten": name, description, price, order
// number, quantity, and the additive and allergen check lists whose checked
// entries append their markers to the name.
class TEditProduktForm : public QDialog {
    Q_OBJECT
public:
    explicit TEditProduktForm(QWidget* parent = nullptr);

    // Fills every field, and the check lists with one unchecked entry per
    // legend row (empty texts included).
    void setFields(const TProductFields& fields, const QStringList& additives,
                   const QStringList& allergens);
    // The fields as edited; the description's lines joined with CR LF.
    TProductFields fields() const;

public slots:
    // Appends " (1; 3)" for the checked additives to the name.
    void addAdditiveMarker();
    // Appends " (A; C)" for the checked allergens to the name.
    void addAllergenMarker();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* nameEdit_ = nullptr;
    QPlainTextEdit* descriptionEdit_ = nullptr;
    QDoubleSpinBox* priceEdit_ = nullptr;
    QSpinBox* numberEdit_ = nullptr;
    QLineEdit* quantityEdit_ = nullptr;
    QListWidget* additiveChecks_ = nullptr;
    QListWidget* allergenChecks_ = nullptr;
    // The price as stored, kept when the two decimals shown were not changed.
    double loadedPrice_ = 0;
};
