#pragma once

#include "Enumerations.h"

#include <QImage>
#include <QSize>
#include <QStringList>

class BackgroundPictures;
struct ButtonProject;

// The 100 built-in background pictures B1 .. B100, the same for all three states.
class PredefinedBackground
{
public:
    static constexpr int count = 100;

    // The text the selection lists show for an index 0..99; empty for any other index.
    static QString listText(int index);
    static QStringList listTexts();
    // The stated size of a picture; an invalid QSize outside 0..99.
    static QSize size(int index);
    // The resource name of a picture, "b" followed by the 1-based number; empty outside 0..99.
    static QString resourceName(int index);
    // Where the picture file lives among the program's resources; empty outside 0..99.
    static QString resourcePath(int index);
    // The picture as a plain RGB32 bitmap; a null image outside 0..99.
    static QImage load(int index);
    // The picture drawn at twice its stated size for double-size images; null outside 0..99.
    static QImage loadDoubleSize(int index);
    // The picture stored under a resource name such as "B17"; the name is matched without
    // regard to case. Null when no picture has that name.
    static QImage loadByName(const QString& name);

    // How much of each pixel a shaped picture covers (Grayscale8, 255 where whole), drawn at
    // its size or twice it; null for the pictures that fill their rectangle.
    static QImage loadCoverage(int index, int scale = 1);

    // Loads the picture of a state's current predefined index, with its coverage, into
    // pictures; an index outside 0..99 gives an empty picture. The second does every state.
    static void reloadPicture(const ButtonProject& project, BackgroundPictures& pictures,
                              ButtonState state);
    static void reloadPictures(const ButtonProject& project, BackgroundPictures& pictures);
    // The double-size set matching pictures: each built-in picture drawn at twice its size,
    // each own image scaled up smoothly. A built-in picture that is not the state's catalogue
    // picture is scaled up like an own image. A picture whose double size is beyond
    // ImageLimits is left null with a refusal, so that its state's twins fail with a reason.
    static BackgroundPictures doubleSizePictures(const ButtonProject& project,
                                                 const BackgroundPictures& pictures);
};
