#include "app/DPIEinstellenFUnit.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

TDPIEinstellenForm::TDPIEinstellenForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DPIEinstellenForm"));
    setWindowTitle(QStringLiteral("DPI einstellen"));

    resolutionField_ = new QSpinBox(this);
    resolutionField_->setObjectName(QStringLiteral("DPIEd"));
    resolutionField_->setRange(MinimumResolution, MaximumResolution);
    resolutionField_->setValue(DefaultResolution);
    auto* label = new QLabel(QStringLiteral("DPI/Auflösung des Druckers:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setBuddy(resolutionField_);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* column = new QVBoxLayout(this);
    column->addWidget(label);
    column->addWidget(resolutionField_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    column->addLayout(buttons);
    // A fixed dialog border: the dialog keeps the size its contents need.
    column->setSizeConstraint(QLayout::SetFixedSize);
}

int TDPIEinstellenForm::resolution() const {
    return resolutionField_->value();
}

void TDPIEinstellenForm::setResolution(int dpi) {
    resolutionField_->setValue(dpi);
}

void TDPIEinstellenForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen.
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    resolutionField_->setFocus();
    resolutionField_->selectAll();
}
