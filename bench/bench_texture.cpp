// Preparing a 2000 × 2000 JPEG texture with the default settings (lighten at
// 50 %, saturation 0): read, lighten, and make the image for drawing.
// Target: a median under 100 ms.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "foundation/MenuDocument.h"
#include "texture/Texture.h"

namespace {

constexpr int Size = 2000;

// A colourful picture that does not compress to nothing.
QImage TestPicture() {
    QImage image(Size, Size, QImage::Format_RGB32);
    for (int y = 0; y < Size; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Size; ++x)
            row[x] = qRgb((x * 7 + y) & 255, (x ^ y) & 255, (x * y / 64) & 255);
    }
    return image;
}

void BM_PrepareTexture(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("texture.jpg"));
    if (!TestPicture().save(path, "jpg", 90)) {
        state.SkipWithError("cannot write the test picture");
        return;
    }
    MenuDocument doc;
    doc.setText(TextSetting::TextureFile, path);
    TTexture texture(dir.path());
    for (auto _ : state) {
        texture.Prepare(doc);
        if (texture.isEmpty()) {
            state.SkipWithError("no texture");
            break;
        }
        benchmark::DoNotOptimize(texture.image().constBits());
    }
}
BENCHMARK(BM_PrepareTexture)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
