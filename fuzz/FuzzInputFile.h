#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The decoders read files by name, so each input is written to one file that this process
// reuses; it lives on /dev/shm when there is one, to keep the disk out of the loop.
class FuzzInputFile
{
public:
    explicit FuzzInputFile(const char* extension);
    ~FuzzInputFile();
    FuzzInputFile(const FuzzInputFile&) = delete;
    FuzzInputFile& operator=(const FuzzInputFile&) = delete;

    // The file's path, or an empty string when it could not be written.
    QString write(const uint8_t* data, size_t size);

private:
    std::string m_directory;
    std::string m_path;
};
