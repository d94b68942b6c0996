#pragma once

#include "JpegFileOptions.h"
#include "TextOffsetOptions.h"

// The current option sets of the process; every reader takes them from here.
struct OptionSets
{
    JpegFileOptions jpeg;
    TextOffsetOptions text;

    // Back to the default sets.
    void reset();
    void validate();
};
