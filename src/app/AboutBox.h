#pragma once

#include <QDialog>

// A modal window with program information and a button that closes it.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};
