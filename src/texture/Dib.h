#pragma once

#include <cstdint>
#include <memory>

#include <QImage>
#include <QString>
#include <QStringList>

// The image layer: device-independent bitmaps (`dib`) read from image files.
//
// A dib holds its pixels in rows from top to bottom; row y (0 <= y < height)
// starts at `poi` + y * `bytew`. Rows are padded to a multiple of four bytes,
// so `bytew` = ((width * bits + 31) / 32) * 4. Pixel layouts:
//   1 bit:  eight pixels a byte, the leftmost pixel in the highest bit;
//   4 bits: two pixels a byte, the left pixel in the high nibble;
//   8 bits: one palette index a byte;
//   24 bits: three bytes a pixel, in the order blue, green, red.
// 1-, 4- and 8-bit images carry their colours in `pal.rgb0`.
//
// What OpenDib delivers:
//   - 1-bit images (PNG, BMP, PBM, XBM …) arrive at 1 bit with their palette;
//     the pixel values are the file's colour indices.
//   - Palette images of 2 to 256 colours arrive at 8 bits with their palette.
//     This includes 4-bit files: Qt's readers widen them to one byte a pixel,
//     and we keep them that way rather than packing them again. The colours
//     are the same, and ConvertTo24Bit treats both depths alike.
//   - Grey images with 8 bits a pixel arrive at 8 bits with a grey ramp as
//     palette (index i is the grey i).
//   - Everything else arrives at 24 bits. Transparent parts are laid on white.
// 4-bit dibs exist only when made with newdib.
//
// A dib is a plain record: copies share the same pixels, which live until the
// last copy is released. Release a dib with deldib or FreeDib.

// Bitmap information of a dib (the fields of the image header that are read).
struct DibInfo {
    int32_t biWidth = 0;
    int32_t biHeight = 0; // rows from top to bottom, always positive
    uint16_t biBitCount = 0;
};

// One palette entry, stored red, green, blue, flags.
struct PalEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
};

// The palette of a 1-, 4- or 8-bit dib: `num` entries are used; the rest of
// the 256 entries are black.
struct LPAL {
    uint16_t ver = 0x300;
    uint16_t num = 0;
    PalEntry rgb0[256] = {};
};

struct dib {
    std::shared_ptr<const DibInfo> pmi; // null when the record holds no image
    std::shared_ptr<void> poih;         // owns the pixel rows; null when empty
    uint8_t* poi = nullptr;             // first pixel row; null means "no image"
    int32_t bytew = 0;                  // bytes from one row to the next
    bool ispal = false;                 // the image has a palette
    LPAL pal;
};

// Reads an image file. `poi` is null when nothing could be read (missing,
// unreadable or unsupported file, or an image too large to hold).
dib OpenDib(const QString& name);

// A new image of the given size at 1, 4, 8 or 24 bits a pixel, every pixel 0
// (and, for palette depths, a palette of black entries). On failure (invalid
// size or depth, no memory) `poih` is null.
dib newdib(int width, int height, int bitCount);

// Releases what the record owns and leaves it empty.
void deldib(dib& d);

// The value of pixel (x, y): the palette index at 1, 4 and 8 bits, the colour
// 0xRRGGBB at 24 bits; 0 outside the image.
int getpixel(const dib& d, int x, int y);

// Sets pixel (x, y) to the colour 0xRRGGBB. At 1 bit, 0 becomes index 0 and
// any other colour index 1; at 4 and 8 bits the colour is taken as index (its
// low bits). Outside the image nothing happens.
void setpixel(dib& d, int x, int y, uint32_t colour);

// The file-dialog filter for every readable type, in the form
// "description|patterns|description|patterns…"; patterns are separated by ';'.
// The first entry covers all readable types.
QString GetDIBOpenFilter();

// The same filter as Qt name filters ("description (*.a *.b)"), for
// QFileDialog::setNameFilters.
QStringList DibFilterToNameFilters(const QString& filter);

// deldib, then `poi` null.
void FreeDib(dib& d);

int DibWidth(const dib& d);
int DibHeight(const dib& d);
int DibBitCount(const dib& d);

// The image in Format_RGB32 for drawing (for example scaled smoothly with
// QPainter). An independent copy: it stays valid after the dib is released.
// Null for an empty dib.
QImage DibToImage(const dib& d);
