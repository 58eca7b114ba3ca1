// Feeds arbitrary bytes to the RTF reader, and what it reads back through
// the writer and reader again: the text must survive that second trip.
#include "platform/RtfCodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    platform::rtf::Document doc;
    QString error;
    if (!platform::rtf::read(input, &doc, &error))
        return 0;
    const QString text = doc.text();
    const QByteArray again = platform::rtf::write(doc);
    platform::rtf::Document back;
    if (!platform::rtf::read(again, &back, &error) || back.text() != text)
        std::abort();
    return 0;
}
