#pragma once

#include "ButtonProject.h"
#include "Failure.h"

// What a run checks of its output names before it writes anything: the prefix, every name and
// path against the file system's limits, and that no two different captions write one file.
class OutputNameCheck
{
public:
    // No failure when the run may go on.
    static Failure refusal(const ButtonProject& project);

    // Two captions whose names differ, where one's name with a suffix the run adds ("s", "p",
    // "-sprite", "@2x") is the other's name with another: both would write that file. A
    // CaptionsShareFile failure names the file and the captions, the earlier first. Captions
    // with the same name write the same files, as they always have: the later one's stay.
    static Failure clash(const ButtonProject& project, qsizetype maxNameBytes);
};
