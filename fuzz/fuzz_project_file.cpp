// The project file reader on arbitrary bytes. Whatever it accepts must survive a save: the
// written file reads back without error and writes the same bytes again.
#include "ButtonProject.h"
#include "ErrorText.h"
#include "ProjectFileReader.h"
#include "ProjectFileWriter.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Own pictures are not opened: their names are data like any other value here.
Failure acceptPicture(ButtonState, const QString&)
{
    return Failure();
}

[[noreturn]] void fail(const char* what, const QByteArray& bytes)
{
    std::fprintf(stderr, "%s\n--- written file ---\n%s\n", what, bytes.constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ButtonProject project;
    ProjectFileReader reader(project, acceptPicture);
    if (reader.loadFromBytes(
            QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)))) {
        return 0;
    }
    const QByteArray saved = ProjectFileWriter::toBytes(project);
    ButtonProject again;
    ProjectFileReader rereader(again, acceptPicture);
    if (const Failure failure = rereader.loadFromBytes(saved))
        fail(qPrintable(QStringLiteral("saved project does not read back: ") +
                        ErrorText::message(failure)),
             saved);
    if (ProjectFileWriter::toBytes(again) != saved)
        fail("saved project changes when read back and saved again", saved);
    return 0;
}
