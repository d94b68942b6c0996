#pragma once

#include <QString>

class PlatformServices;

// The output folder as the user gives it, typed or picked: a folder that is not there yet is
// created once the user agrees.
class OutputFolder
{
public:
    // Asks before creating a folder that is not there, and tells a failure with its reason.
    // True when the folder is there afterwards.
    static bool offerToCreate(const QString& directory, PlatformServices& platform);
    // Whether Next on the output page should offer to create the folder: it is given, and
    // nothing of that name is there (a file of that name fails the page's check instead).
    static bool isMissing(const QString& outputDirectory);
    // The folder a run writes into, absolute, in the platform's notation.
    static QString absolutePath(const QString& outputDirectory);
};
