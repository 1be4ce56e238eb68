#pragma once

#include <QDialog>

class QSpinBox;

// The dialog "DPI einstellen", in which the user sets by hand the printer's
// resolution that printing uses. It is made once at start-up and keeps its
// value for the rest of the run; every run starts at 300.
class TDPIEinstellenForm : public QDialog {
    Q_OBJECT
public:
    explicit TDPIEinstellenForm(QWidget* parent = nullptr);

    // Pixels per inch, between MinimumResolution and MaximumResolution.
    int resolution() const;
    void setResolution(int dpi);
    QSpinBox* resolutionField() const { return resolutionField_; }

    // The range of the field: a printer resolution must be positive; outside
    // this range no printer works.
    static constexpr int MinimumResolution = 50;
    static constexpr int MaximumResolution = 9600;
    static constexpr int DefaultResolution = 300;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QSpinBox* resolutionField_ = nullptr;
};
