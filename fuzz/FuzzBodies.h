#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include <QString>

// The bodies of the fuzz targets: each feeds one input to one reader of
// outside input the way the program uses it, then checks what the reader
// promises (a refusal gives a reason, what we write we read back, values
// stay in their documented ranges). A broken promise goes to the failure
// handler, which aborts unless a test replaced it. Every body needs a
// QGuiApplication and returns 0.

// A menu file (.mnx): read, put into a document as opening does, written and
// read again.
int FuzzMenuFile(const uint8_t* data, size_t size);
// translate.dat: loaded as the program's table, used, saved and loaded again.
int FuzzTranslateFile(const uint8_t* data, size_t size);
// A CSV file: read and imported into a menu as one undoable step.
int FuzzCsvImport(const uint8_t* data, size_t size);
// options.dat.
int FuzzOptionsFile(const uint8_t* data, size_t size);
// An image file: opened as a texture and prepared.
int FuzzDib(const uint8_t* data, size_t size);
// Command-line arguments, separated by NUL or line-feed bytes.
int FuzzCommandLine(const uint8_t* data, size_t size);

struct FuzzHarness {
    const char* name; // the target is fuzz_<name>; seeds and regressions live in <name>/
    int (*body)(const uint8_t* data, size_t size);
};
std::span<const FuzzHarness> FuzzHarnesses();

// Called with a message when a body finds a broken promise; must not return
// normally (abort or throw). The default prints the message and aborts.
using FuzzFailureHandler = void (*)(const char* message);
void SetFuzzFailureHandler(FuzzFailureHandler handler);
void FuzzCheck(bool condition, const char* message);

// A file of `name` in a temporary folder of this process, made at the first
// call and removed at exit.
QString FuzzScratchFile(const QString& name);
// Writes `data` to `path`, replacing it.
void FuzzWriteFile(const QString& path, const uint8_t* data, size_t size);

// Sets up Qt for the fuzz targets: the offscreen platform and one
// QGuiApplication for the whole process.
void FuzzStartQt();
