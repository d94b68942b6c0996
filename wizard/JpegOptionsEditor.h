#pragma once

#include "JpegFileOptions.h"

#include <QString>

// The JPEG options dialog without its widgets: what its controls hold, what "Restore to
// defaults" does to them and the set OK confirms. It opens on a copy of the current set and
// changes nothing else.
class JpegOptionsEditor
{
public:
    static inline const QString title = QStringLiteral("JPEG Image File Options");
    static inline const QString heading =
        QStringLiteral("Set options for writing JPEG Image Files");
    static inline const QString qualityRow = QStringLiteral("Compression Quality ( 1 to 100 )");
    static inline const QString pixelFormatRow = QStringLiteral("Pixel Format ");
    static inline const QString eightBitText = QStringLiteral("8 Bit");
    static inline const QString twentyFourBitText = QStringLiteral("24 Bit");
    static inline const QString progressiveRow = QStringLiteral("Encode for Progressive display");
    static inline const QString grayScaleRow = QStringLiteral("Gray Scale");
    static constexpr int minimumQuality = 1;
    static constexpr int maximumQuality = 100;

    explicit JpegOptionsEditor(const JpegFileOptions& current) : m_options(current) {}

    int quality() const { return m_options.quality; }
    // Kept within 1..100, as the scroll bar is.
    void setQuality(int quality);
    // The number beside the scroll bar.
    QString qualityLabel() const { return QString::number(quality()); }
    bool eightBit() const { return m_options.pixelFormat == 1; }
    void setEightBit(bool on) { m_options.pixelFormat = on ? 1 : 0; }
    bool grayscale() const { return m_options.grayscale != 0; }
    void setGrayscale(bool on) { m_options.grayscale = on; }
    bool progressiveEncoding() const { return m_options.progressiveEncoding != 0; }
    void setProgressiveEncoding(bool on) { m_options.progressiveEncoding = on; }
    bool retainSettings() const { return m_options.retainSettings != 0; }
    void setRetainSettings(bool on) { m_options.retainSettings = on; }

    // Quality 90, "24 Bit" and every box cleared, "Remember" included; the fields the dialog
    // does not show keep their values.
    void restoreDefaults();
    // The set OK makes current: the shown fields from the controls, the others as opened.
    JpegFileOptions result() const;

private:
    JpegFileOptions m_options;
};
