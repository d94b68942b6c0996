#pragma once

#include "Failure.h"

#include <QString>

// Makes a folder with its missing parents.
class FolderMaker
{
public:
    // No failure when the folder is there afterwards. Fails as the standard library's
    // create_directories did, so that messages keep their reasons: ENOTDIR where a file stands in
    // the way, else the errno of the first folder that could not be made; ENAMETOOLONG for more
    // than 1000 folders at once.
    static Failure make(const QString& folder);
};
