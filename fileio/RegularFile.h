#pragma once

#include "Failure.h"

#include <QString>

// Whether a path that is about to be read holds a file's contents: a FIFO nobody writes to
// would block its reader forever, and a device may never end.
class RegularFile
{
public:
    // Refuses a FIFO, socket or device, found without blocking. A folder, a missing file or one
    // that cannot be opened pass: their readers report them in their own words.
    static Failure check(const QString& path);
};
