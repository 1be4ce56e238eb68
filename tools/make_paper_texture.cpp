// Makes the default background texture, a light sheet of paper: a warm
// off-white with soft clouding, fine grain and scattered fibres. Every part of
// the pattern repeats with the image size, so the tiles join without seams.
// The result depends only on the seed, so running the tool again gives the
// same picture (up to the JPEG encoder of the installed Qt).
//
//   make_paper_texture [output.jpg [size]]      (default: paper.jpg 512)
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QString>

namespace {

constexpr uint64_t Seed = 0x4D656E6F6C7578ULL;

uint64_t Mix(uint64_t z) {
    z += 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// A value in [0, 1) that depends only on the arguments.
double Hash01(uint64_t a, uint64_t b, uint64_t c) {
    return double(Mix(Seed ^ Mix(a ^ Mix(b ^ Mix(c)))) >> 11) / double(uint64_t(1) << 53);
}

// Sequential random numbers for placing fibres.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    double next() {
        state_ += 0x9E3779B97F4A7C15ULL;
        return double(Mix(state_) >> 11) / double(uint64_t(1) << 53);
    }
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }

private:
    uint64_t state_;
};

double Smooth(double t) {
    return t * t * (3 - 2 * t);
}

// Value noise on a lattice of `cells` × `cells` that wraps around, sampled
// at (u, v) in [0, 1) × [0, 1); result in [-1, 1].
double PeriodicNoise(double u, double v, int cells, int octave) {
    const double x = u * cells;
    const double y = v * cells;
    const int x0 = int(std::floor(x));
    const int y0 = int(std::floor(y));
    const double fx = Smooth(x - x0);
    const double fy = Smooth(y - y0);
    auto at = [cells, octave](int ix, int iy) {
        ix = ((ix % cells) + cells) % cells;
        iy = ((iy % cells) + cells) % cells;
        return 2 * Hash01(uint64_t(ix), uint64_t(iy), uint64_t(octave)) - 1;
    };
    const double top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
    const double bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
    return top + (bottom - top) * fy;
}

QImage MakePaper(int size) {
    std::vector<double> shade(size_t(size) * size, 0.0);
    auto cell = [&shade, size](int x, int y) -> double& {
        x = ((x % size) + size) % size;
        y = ((y % size) + size) % size;
        return shade[size_t(y) * size + x];
    };

    // Clouding: a few octaves of wrapping value noise.
    const struct {
        int cells;
        double amplitude;
    } octaves[] = {{4, 0.018}, {8, 0.012}, {16, 0.008}, {32, 0.006}, {64, 0.004}};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double v = 0;
            int octave = 0;
            for (const auto& o : octaves)
                v += o.amplitude *
                     PeriodicNoise(double(x) / size, double(y) / size, o.cells, octave++);
            cell(x, y) += v;
        }

    // Fibres: thin, gently curving strokes, most a little darker than the
    // sheet, some lighter; drawn with wrap-around so they cross tile edges.
    Random random(Seed);
    const int fibres = size * size / 300;
    for (int i = 0; i < fibres; ++i) {
        double x = random.range(0, size);
        double y = random.range(0, size);
        double angle = random.range(0, 2 * std::numbers::pi);
        const double bend = random.range(-0.012, 0.012);
        const double length = random.range(8, 60);
        const double strength =
            random.next() < 0.75 ? -random.range(0.015, 0.05) : random.range(0.01, 0.03);
        for (double s = 0; s < length; s += 0.5) {
            const double fade = std::sin(std::numbers::pi * s / length); // thin at both ends
            const int ix = int(std::floor(x));
            const int iy = int(std::floor(y));
            const double fx = x - ix;
            const double fy = y - iy;
            const double a = 0.5 * strength * fade;
            cell(ix, iy) += a * (1 - fx) * (1 - fy);
            cell(ix + 1, iy) += a * fx * (1 - fy);
            cell(ix, iy + 1) += a * (1 - fx) * fy;
            cell(ix + 1, iy + 1) += a * fx * fy;
            angle += bend;
            x += 0.5 * std::cos(angle);
            y += 0.5 * std::sin(angle);
        }
    }

    // Grain, then the warm off-white of the sheet.
    const double base[3] = {242, 235, 219};
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const double grain = 0.012 * (Hash01(uint64_t(x), uint64_t(y), 99) - 0.5);
            const double f = 1.0 + cell(x, y) + grain;
            int c[3];
            for (int k = 0; k < 3; ++k)
                c[k] = std::clamp(int(std::lround(base[k] * f)), 0, 255);
            row[x] = qRgb(c[0], c[1], c[2]);
        }
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString output = args.size() > 1 ? args[1] : QStringLiteral("paper.jpg");
    const int size = args.size() > 2 ? args[2].toInt() : 512;
    if (size < 16 || size > 8192) {
        std::fprintf(stderr, "size must be between 16 and 8192\n");
        return 2;
    }
    QImageWriter writer(output, "jpg");
    writer.setQuality(92);
    if (!writer.write(MakePaper(size))) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(output),
                     qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
