// Any bytes into the RTF reader: it never crashes or hangs, and a document
// it refuses leaves the target document exactly as it was.
#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

#include "platform/rtf_reader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QTextDocument doc;
    doc.setHtml("<p><b>Before</b> the read</p>");
    const QString before = doc.toHtml();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const orvex::RtfReadResult r = orvex::ReadRtf(bytes, doc);
    if (!r.ok && (doc.toHtml() != before || r.error.isEmpty())) std::abort();
    return 0;
}
