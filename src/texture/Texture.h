#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "texture/Dib.h"

class MenuDocument;

// --- pixel steps of the texture preparation ---

// Widens a 1-, 4- or 8-bit image to 24 bits. At 1 bit the palette is not
// consulted: pixel value 0 becomes black, every other value white. At 4 and 8
// bits every index takes its colour from the palette. A 24-bit image, an image
// of another depth and an image whose 24-bit copy cannot be made stay as they
// are. True when `d` holds a 24-bit image afterwards.
bool ConvertTo24Bit(dib& d);

// Every pixel of a 24-bit image becomes grey (30 R + 59 G + 11 B) / 100.
// Images of other depths are left alone (false).
bool ConvertToGrayScale(dib& d);

// Saturation `sat` (-100 … 200, 0 keeps the colours) and brightness `hell`
// (percent of the distance to white that remains, 1 … 100; 100 keeps it) on
// each byte of a 24-bit image; values outside those ranges are taken as the
// nearest end. Images of other depths are left alone (false).
bool LightenAndSaturate(dib& d, int hell, int sat);

// --- texture file lookup ---

// The file to read for the texture file name `name`. A relative name is taken
// from the current directory; when no such file exists there but one exists
// in `dataFolder`, that one is used instead (so a program started from
// elsewhere still finds the default texture that came with it). Otherwise
// `name`.
QString FindTextureFile(const QString& name, const QString& dataFolder);

// --- the prepared texture ---

// The texture settings of the tab "Hintergrund" that the preparation reads.
struct TTextureSettings {
    QString fileName;       // FilenameEdit2
    bool grayScale = false; // GrayScaleCheck
    bool lighten = true;    // LightenCheck
    int hell = 50;          // HellEd
    int sat = 0;            // SatEd

    static TTextureSettings FromDocument(const MenuDocument& doc);
};

// The pixel steps of the preparation on a freshly read image: when grey or
// lightening is on, the image is widened to 24 bits, then made grey, then
// lightened and saturated. An image that cannot be widened stays as read. With
// both off nothing changes.
void PrepareDib(dib& d, const TTextureSettings& settings);

// The background texture: the prepared dib and the same pixels as a QImage
// for drawing. Every preparation starts again from the file on disk; the file
// is never changed. Empty while no file could be read.
class TTexture {
public:
    // A relative file name that the current directory does not hold is
    // looked for in the program's data folder (ProgramDataFolder()) …
    TTexture();
    // … or in `dataFolder`.
    explicit TTexture(QString dataFolder);
    ~TTexture();
    TTexture(const TTexture&) = delete;
    TTexture& operator=(const TTexture&) = delete;

    // Prepares the texture from the document's settings: releases the old
    // one, reads the file, and when grey or lightening is on widens the image
    // to 24 bits and applies those steps. With both off the image keeps the
    // depth and colours of the file.
    void Prepare(const MenuDocument& doc);
    void Prepare(const TTextureSettings& settings);

    // Releases the texture.
    void Free();

    bool isEmpty() const { return di2_.poi == nullptr; }
    // The prepared dib (`poi` null when there is no texture).
    const dib& Dib() const { return di2_; }
    int width() const { return DibWidth(di2_); }
    int height() const { return DibHeight(di2_); }

    // The prepared pixels in Format_RGB32, made once per preparation. Null
    // when there is no texture.
    const QImage& image() const { return image_; }

    // The texture scaled smoothly (area-averaged when shrinking) to `size`,
    // for drawing tiles at 1:1. The last result is kept, so drawing many
    // tiles or pages of the same size scales once. Null when there is no
    // texture or `size` is empty.
    QImage scaled(QSize size) const;

    // The file that the last preparation read (after the lookup).
    const QString& filePath() const { return filePath_; }

private:
    QString dataFolder_;
    QString filePath_;
    dib di2_;
    QImage image_;
    mutable QImage scaled_;
};
