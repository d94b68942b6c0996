#include "JpegOptionsEditor.h"

#include <algorithm>

void JpegOptionsEditor::setQuality(int quality)
{
    m_options.quality = quint8(std::clamp(quality, minimumQuality, maximumQuality));
}

void JpegOptionsEditor::restoreDefaults()
{
    const JpegFileOptions& d = JpegFileOptions::defaults();
    m_options.quality = d.quality;
    m_options.pixelFormat = d.pixelFormat;
    m_options.grayscale = d.grayscale;
    m_options.progressiveEncoding = d.progressiveEncoding;
    m_options.retainSettings = d.retainSettings;
}

JpegFileOptions JpegOptionsEditor::result() const
{
    JpegFileOptions options = m_options;
    // A stored boolean byte of any non-zero value shows as ticked and comes back as 1.
    options.grayscale = grayscale();
    options.progressiveEncoding = progressiveEncoding();
    options.retainSettings = retainSettings();
    return options;
}
