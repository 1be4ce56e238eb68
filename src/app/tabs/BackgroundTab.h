#pragma once

#include <QWidget>

#include "texture/Texture.h"

class MenuDocument;
class TMenuEditor;
class QLabel;
class QLineEdit;
class QScrollArea;
class QTimer;
class TFileDialogSetup;
class TPaintBox;
class TPrompts;
class TSettingBinder;

// Why the texture named `fileName` could not be used: "Datei nicht gefunden"
// when there is no such file, "Bild nicht lesbar" when the file is there but
// is no image we can read; empty when the texture is fine or no file is
// named.
QString TextureProblem(const TTexture& texture, const QString& fileName);

// The tab "Hintergrund": the texture file, its tile size and colour
// treatment, and a view of the prepared texture. The tab owns the prepared
// texture that the page is drawn with.
class TBackgroundTab : public QWidget {
    Q_OBJECT
public:
    TBackgroundTab(TMenuEditor& editor, TPrompts& prompts, QWidget* parent = nullptr);

    const TTexture& texture() const { return texture_; }
    QScrollArea* textureScrollBox() const { return textureBox_; }

    // Reads the texture file again and prepares it with the current
    // settings; the texture view and the note beside the file field follow.
    void prepareTexture();
    // Shows the texture again, for instance after the document was replaced.
    void repaintTextureView();
    // Lets the user pick a texture file.
    void browseTextureFile();

signals:
    // The texture was prepared again.
    void textureChanged();

private:
    // Brightness and saturation are typed digit by digit: the texture is
    // prepared once, shortly after the last of a series of edits.
    void prepareTextureSoon();
    // Sizes the texture view to the texture; true when its size changed.
    bool sizeTextureView();
    void paintTextureView(QPainter& painter);

    MenuDocument& doc_;
    TPrompts& prompts_;
    TTexture texture_;
    TSettingBinder* binder_ = nullptr;
    QLineEdit* fileField_ = nullptr;
    QLabel* problemNote_ = nullptr;
    TFileDialogSetup* browseDialog_ = nullptr; // FilenameEdit2's browse dialog
    QScrollArea* textureBox_ = nullptr;
    TPaintBox* textureView_ = nullptr;
    QTimer* preparationDelay_ = nullptr;
};
