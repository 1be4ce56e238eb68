#include <QtEndian>

#include "FuzzBodies.h"
#include "app/OptionsFile.h"

int FuzzOptionsFile(const uint8_t* data, size_t size) {
    const QString path = FuzzScratchFile(QStringLiteral("options.dat"));
    FuzzWriteFile(path, data, size);
    const std::optional<int32_t> language = ReadOptionsFile(path);
    if (size < 4) {
        FuzzCheck(!language, "a short options file gives a language");
        return 0;
    }
    FuzzCheck(language && *language == qFromLittleEndian<int32_t>(data),
              "the options file gives another language than its first four bytes");
    return 0;
}
