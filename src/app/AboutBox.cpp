#include "app/AboutBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Über Menolux"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("<h2>Menolux 1.0</h2>"), this);
    auto* text = new QLabel(QStringLiteral("Speisekarten gestalten und drucken.\n\n"
                                           "Kategorien, Produkte, Zusatzstoffe und Allergene,\n"
                                           "Seitenvorschau, Druck und CSV-Austausch."),
                            this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addWidget(buttons);
}
