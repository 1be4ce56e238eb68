#include "app/tabs/BackgroundTab.h"

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "app/FileDialogSetup.h"
#include "app/PaintBox.h"
#include "app/Prompts.h"
#include "app/SettingBinder.h"
#include "app/tabs/Controls.h"
#include "editing/MenuEditor.h"
#include "foundation/MenuDocument.h"
#include "texture/Dib.h"
#include "translation/TranslateUnit.h"
#include "translation/WindowTranslation.h"

QString TextureProblem(const TTexture& texture, const QString& fileName) {
    if (fileName.isEmpty() || !texture.isEmpty())
        return QString();
    if (!QFileInfo(texture.filePath()).isFile())
        return TranslateText(QStringLiteral("Datei nicht gefunden"));
    return TranslateText(QStringLiteral("Bild nicht lesbar"));
}

TBackgroundTab::TBackgroundTab(TMenuEditor& editor, TPrompts& prompts, QWidget* parent)
    : QWidget(parent), doc_(editor.document()), prompts_(prompts),
      binder_(new TSettingBinder(editor, this)) {
    auto* column = new QVBoxLayout(this);
    // The file field above the two groups, so that the tab fits the window's
    // design width.
    auto* file = new QGridLayout;
    fileField_ = MakeNamed<QLineEdit>("FilenameEdit2");
    fileField_->setMinimumWidth(220);
    QAction* browse =
        fileField_->addAction(QIcon::fromTheme(QStringLiteral("document-open"),
                                               style()->standardIcon(QStyle::SP_DirOpenIcon)),
                              QLineEdit::TrailingPosition);
    browse->setObjectName(QStringLiteral("FilenameEdit2Browse"));
    // The file name and the note are the program's own; the browse dialog's
    // filter is translated.
    KeepTextOutOfTranslation(fileField_);
    browseDialog_ =
        new TFileDialogSetup("FilenameEdit2", GetDIBOpenFilter(), QString(), false, this);
    connect(browse, &QAction::triggered, this, &TBackgroundTab::browseTextureFile);
    problemNote_ = MakeNamed<QLabel>("TextureProblem");
    KeepTextOutOfTranslation(problemNote_);
    // The note keeps its line, so the controls stay put when it comes and goes.
    problemNote_->setMinimumHeight(problemNote_->fontMetrics().height());
    QPalette warning = problemNote_->palette();
    warning.setColor(QPalette::WindowText, QColor(170, 0, 0));
    problemNote_->setPalette(warning);
    file->addWidget(MakeLabel("Dateiname:", fileField_), 0, 0);
    file->addWidget(fileField_, 0, 1);
    file->addWidget(problemNote_, 1, 1);
    file->setColumnStretch(1, 1);
    column->addLayout(file);

    auto* groups = new QHBoxLayout;

    auto* size = new QGroupBox(QStringLiteral("Größe der Grafik"), this);
    auto* sizeGrid = new QGridLayout(size);
    auto* tileWidth = MakeNamed<QDoubleSpinBox>("BreitEd2");
    auto* tileHeight = MakeNamed<QDoubleSpinBox>("HochEd2");
    QCheckBox* keepAspect = MakeCheckBox("SVerh2Check", "Seitenverhältnis beibehalten");
    sizeGrid->addWidget(MakeLabel("Breite:", tileWidth), 0, 0);
    sizeGrid->addWidget(tileWidth, 0, 1);
    sizeGrid->addWidget(new QLabel(QStringLiteral("cm")), 0, 2);
    sizeGrid->addWidget(MakeLabel("Höhe:", tileHeight), 1, 0);
    sizeGrid->addWidget(tileHeight, 1, 1);
    sizeGrid->addWidget(new QLabel(QStringLiteral("cm")), 1, 2);
    sizeGrid->addWidget(keepAspect, 2, 0, 1, 3);
    groups->addWidget(size);

    auto* look = new QGroupBox(QStringLiteral("Sichtbarkeits Einstellungen"), this);
    auto* lookGrid = new QGridLayout(look);
    QCheckBox* grey = MakeCheckBox("GrayScaleCheck", "Textur in Graustufen umwandeln");
    QCheckBox* lighten =
        MakeCheckBox("LightenCheck", "Textur aufhellen und Sättigung neu berechnen");
    auto* brightness = MakeNamed<QSpinBox>("HellEd");
    auto* saturation = MakeNamed<QSpinBox>("SatEd");
    lookGrid->addWidget(grey, 0, 0, 1, 3);
    lookGrid->addWidget(lighten, 1, 0, 1, 3);
    lookGrid->addWidget(MakeLabel("Helligkeit %:", brightness), 2, 0);
    lookGrid->addWidget(brightness, 2, 1);
    lookGrid->addWidget(MakeLabel("Sättigung:", saturation), 3, 0);
    lookGrid->addWidget(saturation, 3, 1);
    lookGrid->addWidget(new QLabel(QStringLiteral("(größer 0=Farben intensiver)")), 3, 2);
    groups->addWidget(look);
    groups->addStretch(1);
    column->addLayout(groups);

    textureBox_ = MakeScrollBox(this, "ScrollBox2");
    textureView_ = MakeNamed<TPaintBox>("PaintBox2", textureBox_->widget());
    textureView_->move(0, 0);
    textureView_->resize(0, 0);
    textureView_->onPaint = [this](QPainter& p, const QRect&) { paintTextureView(p); };
    column->addWidget(textureBox_, 1);

    binder_->Bind(fileField_, TextSetting::TextureFile);
    binder_->Bind(tileWidth, NumberSetting::TileWidth);
    binder_->Bind(tileHeight, NumberSetting::TileHeight);
    binder_->Bind(keepAspect, FlagSetting::TextureKeepsAspect);
    binder_->Bind(grey, FlagSetting::TextureGrey);
    binder_->Bind(lighten, FlagSetting::TextureLightened);
    binder_->Bind(brightness, NumberSetting::TextureBrightness);
    binder_->Bind(saturation, NumberSetting::TextureSaturation);

    preparationDelay_ = new QTimer(this);
    preparationDelay_->setObjectName(QStringLiteral("Timer1"));
    preparationDelay_->setSingleShot(true);
    preparationDelay_->setInterval(300);
    connect(preparationDelay_, &QTimer::timeout, this, &TBackgroundTab::prepareTexture);

    connect(&doc_, &MenuDocument::textChanged, this, [this](TextSetting s) {
        if (s == TextSetting::TextureFile)
            prepareTexture();
    });
    connect(&doc_, &MenuDocument::flagChanged, this, [this](FlagSetting s) {
        if (s == FlagSetting::TextureGrey || s == FlagSetting::TextureLightened)
            prepareTexture();
    });
    connect(&doc_, &MenuDocument::numberChanged, this, [this](NumberSetting s) {
        if (s == NumberSetting::TextureBrightness || s == NumberSetting::TextureSaturation)
            prepareTextureSoon();
    });
}

void TBackgroundTab::prepareTexture() {
    preparationDelay_->stop();
    texture_.Prepare(doc_);
    problemNote_->setText(TextureProblem(texture_, doc_.text(TextSetting::TextureFile)));
    repaintTextureView();
    emit textureChanged();
}

void TBackgroundTab::prepareTextureSoon() {
    preparationDelay_->stop();
    preparationDelay_->start();
}

bool TBackgroundTab::sizeTextureView() {
    const QSize size =
        texture_.isEmpty() ? QSize(0, 0) : QSize(texture_.width(), texture_.height());
    if (textureView_->size() == size)
        return false;
    textureView_->resize(size);
    textureBox_->widget()->resize(size);
    return true;
}

void TBackgroundTab::repaintTextureView() {
    // An empty view gets no paint events: its size is settled here.
    sizeTextureView();
    textureView_->update();
}

void TBackgroundTab::paintTextureView(QPainter& painter) {
    sizeTextureView();
    if (texture_.isEmpty())
        return;
    painter.drawImage(0, 0, texture_.image());
}

void TBackgroundTab::browseTextureFile() {
    const QString path = prompts_.BrowseFileName(this, *browseDialog_, fileField_->text());
    if (!path.isEmpty())
        fileField_->setText(path);
}
