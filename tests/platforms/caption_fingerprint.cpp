// Prints a digest of smoothed and plain captions in several fonts, styles and sizes, so that a
// script can compare what different platform plugins and font settings make of them.
#include "ButtonRenderer.h"

#include <QCryptographicHash>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    for (const bool smooth : {false, true}) {
        QCryptographicHash digest(QCryptographicHash::Sha256);
        for (const char* face : {"MS Sans Serif", "Times New Roman", "Verdana"}) {
            for (const int points : {8, 12, 30}) {
                ButtonProject project;
                project.smoothCaptions = smooth;
                project.variableWidth = true;
                ButtonStateStyle& style = project.normal;
                style.fontName = QString::fromLatin1(face);
                style.fontSize = points;
                style.fontBold = points == 12;
                style.fontItalic = points == 30;
                style.dropShadow = true;
                style.dropShadowColor = Colors::rgb(40, 40, 160);
                BackgroundPictures pictures;
                TextOffsetOptions offsets;
                ButtonSizeTables sizes;
                ButtonRenderer renderer(project, pictures, offsets, sizes);
                ButtonRenderer twin(project, pictures, offsets, sizes, 2);
                const QString caption = QStringLiteral("Wavy Quilt|fig 0123 @&%");
                for (ButtonRenderer* r : {&renderer, &twin}) {
                    const QImage image = r->render(ButtonState::Normal, 1, caption);
                    digest.addData(QByteArrayView(reinterpret_cast<const char*>(image.constBits()),
                                                  image.sizeInBytes()));
                }
            }
        }
        std::printf("%s %s\n", smooth ? "smooth" : "plain", digest.result().toHex().constData());
    }
    return 0;
}
