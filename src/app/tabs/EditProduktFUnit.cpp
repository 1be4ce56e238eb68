#include "app/tabs/EditProduktFUnit.h"

#include <algorithm>
#include <limits>

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/tabs/Controls.h"
#include "editing/MenuEditor.h"

namespace {

// The price field shows two decimals; its range is as wide as prices can be
// shown with them.
constexpr double PriceLimit = 1e13;

void fillChecks(QListWidget* list, const QStringList& texts) {
    list->clear();
    for (const QString& text : texts) {
        auto* item = new QListWidgetItem(text, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

QList<bool> checkedEntries(const QListWidget* list) {
    QList<bool> checked;
    for (int i = 0; i < list->count(); ++i)
        checked.append(list->item(i)->checkState() == Qt::Checked);
    return checked;
}

QLabel* note(const char* text) {
    return new QLabel(QString::fromUtf8(text));
}

} // namespace

TEditProduktForm::TEditProduktForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EditProduktForm"));
    setWindowTitle(QStringLiteral("Produkt bearbeiten"));
    setFixedSize(793, 493);

    nameEdit_ = MakeNamed<QLineEdit>("Edit1");
    descriptionEdit_ = MakeNamed<QPlainTextEdit>("Edit2");
    descriptionEdit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    descriptionEdit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    descriptionEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    priceEdit_ = MakeNamed<QDoubleSpinBox>("PreisEd");
    priceEdit_->setDecimals(2);
    priceEdit_->setRange(-PriceLimit, PriceLimit);
    numberEdit_ = MakeNamed<QSpinBox>("NumEd");
    numberEdit_->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    quantityEdit_ = MakeNamed<QLineEdit>("MengeEd");
    additiveChecks_ = MakeNamed<QListWidget>("CheckListBox1");
    allergenChecks_ = MakeNamed<QListWidget>("CheckListBox2");

    auto* fields = new QGridLayout;
    fields->addWidget(MakeLabel("Name/Bezeichung:", nameEdit_), 0, 0);
    fields->addWidget(nameEdit_, 0, 1, 1, 3);
    fields->addWidget(MakeLabel("Beschreibung:", descriptionEdit_), 1, 0, Qt::AlignTop);
    fields->addWidget(descriptionEdit_, 1, 1, 1, 3);
    fields->addWidget(MakeLabel("Preis:", priceEdit_), 2, 0);
    fields->addWidget(priceEdit_, 2, 1);
    fields->addWidget(note("0=Preis nach Anfrage"), 2, 2);
    fields->addWidget(note("kleiner 0 = Beschreibung ist ein freier Text"), 2, 3);
    fields->addWidget(MakeLabel("Bestellnummer", numberEdit_), 3, 0);
    fields->addWidget(numberEdit_, 3, 1);
    fields->addWidget(note("(0=Automatische Nummerierung)"), 3, 2);
    fields->addWidget(note("kleiner 0 = ohne Nummerierung"), 3, 3);
    fields->addWidget(MakeLabel("Mengeninformation (z.B. \"4cl\")", quantityEdit_), 4, 0);
    fields->addWidget(quantityEdit_, 4, 1);
    fields->setColumnStretch(3, 1);

    auto* checks = new QHBoxLayout;
    auto addCheckColumn = [&](QListWidget* list, const char* button, const char* caption,
                              void (TEditProduktForm::*command)()) {
        auto* column = new QVBoxLayout;
        column->addWidget(list, 1);
        QPushButton* b = MakeButton(this, button, caption);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, command);
        column->addWidget(b);
        checks->addLayout(column);
    };
    addCheckColumn(additiveChecks_, "BitBtn3", "Zusatzstoffe hinzufügen...",
                   &TEditProduktForm::addAdditiveMarker);
    addCheckColumn(allergenChecks_, "BitBtn4", "Allergene hinzufügen...",
                   &TEditProduktForm::addAllergenMarker);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* ok = MakeButton(this, "BitBtn1", "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QPushButton* cancel = MakeButton(this, "BitBtn2", "Abbrechen");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* column = new QVBoxLayout(this);
    column->addLayout(fields, 3);
    column->addLayout(checks, 2);
    column->addLayout(buttons);
}

void TEditProduktForm::setFields(const TProductFields& fields, const QStringList& additives,
                                 const QStringList& allergens) {
    nameEdit_->setText(fields.name);
    QString description = fields.description;
    descriptionEdit_->setPlainText(
        description.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    loadedPrice_ = fields.price;
    priceEdit_->setValue(fields.price);
    numberEdit_->setValue(fields.number);
    quantityEdit_->setText(fields.quantity);
    fillChecks(additiveChecks_, additives);
    fillChecks(allergenChecks_, allergens);
}

TProductFields TEditProduktForm::fields() const {
    TProductFields f;
    f.name = nameEdit_->text();
    f.description =
        descriptionEdit_->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    f.quantity = quantityEdit_->text();
    // A price with more decimals than shown stays as it was unless edited.
    const double shown =
        QString::number(std::clamp(loadedPrice_, -PriceLimit, PriceLimit), 'f', 2).toDouble();
    f.price = priceEdit_->value() == shown ? loadedPrice_ : priceEdit_->value();
    f.number = numberEdit_->value();
    return f;
}

void TEditProduktForm::addAdditiveMarker() {
    nameEdit_->setText(nameEdit_->text() +
                       TMenuEditor::MarkerText(Legend::Additives, checkedEntries(additiveChecks_)));
}

void TEditProduktForm::addAllergenMarker() {
    nameEdit_->setText(nameEdit_->text() +
                       TMenuEditor::MarkerText(Legend::Allergens, checkedEntries(allergenChecks_)));
}

void TEditProduktForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    nameEdit_->setFocus();
}
