// Our RTF reader over arbitrary bytes: every input reads to a document without reading past it, the
// runs hold text, and the document builds into a text document.
#include "controls/smooth/RTFLabel.h"
#include "controls/smooth/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const fx::TRtfDocument doc = fx::ReadRtf(bytes);
    if (doc.Paragraphs.empty() || doc.Colours.empty())
        __builtin_trap();
    for (const auto& p : doc.Paragraphs)
        for (const auto& r : p.Runs)
            if (r.Text.isEmpty() || r.Format.HalfPoints <= 0)
                __builtin_trap();
    // Building a text document costs far more than reading: only the short inputs are built.
    if (size < 64) {
        QTextDocument text;
        fx::BuildTextDocument(doc, text);
    }
    return 0;
}
