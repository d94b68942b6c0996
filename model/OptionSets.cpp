#include "OptionSets.h"

void OptionSets::reset()
{
    jpeg = JpegFileOptions::defaults();
    text = TextOffsetOptions::defaults();
}

void OptionSets::validate()
{
    jpeg.validate();
    text.validate();
}
