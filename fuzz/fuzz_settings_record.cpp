// The stored-record loader on arbitrary bytes, as start-up reads them: over the defaults, then
// validated. A record it takes must leave a valid set that survives a save and a load.
#include "OptionRecords.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

bool valid(const JpegFileOptions& o)
{
    return o.quality >= 1 && o.quality <= 100 && o.pixelFormat <= 1 && o.performance <= 1;
}

bool valid(const TextOffsetOptions& o)
{
    return o.textOffset >= 0 && o.textOffset <= 24 && o.textIndent >= 0 && o.textIndent <= 200;
}

template <typename Options> void check(const QByteArray& bytes, int recordSize)
{
    Options options;
    const bool taken = OptionRecords::loadInto(options, bytes);
    if (taken != (bytes.size() <= recordSize))
        fail("a record was taken or refused by the wrong length");
    if (!taken && options != Options())
        fail("a refused record changed the set");
    options.validate();
    if (!valid(options))
        fail("the validated set is out of range");
    const QByteArray saved = OptionRecords::encode(options);
    if (saved.size() != recordSize)
        fail("the saved record has the wrong length");
    Options again;
    if (!OptionRecords::loadInto(again, saved) || again != options)
        fail("the saved record does not load back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    check<JpegFileOptions>(bytes, OptionRecords::jpegRecordSize);
    check<TextOffsetOptions>(bytes, OptionRecords::textRecordSize);
    return 0;
}
