#pragma once

#include "BackgroundPictures.h"
#include "ButtonProject.h"
#include "Failure.h"
#include "PictureHeader.h"

#include <QSize>

#include <array>

// What a generation run will hold in memory at its peak, worked out before anything is decoded
// or drawn, against the one budget of every run (ImageLimits::runBudget): the own pictures as
// they are decoded and kept, their doubles, the images drawn and not yet written with the
// sprites made of them, and the encoders' working memory. Also the formats' own limits on
// every image the run will write.
class RunBudget
{
public:
    // The pictures as decoded; states that hold one image count it once.
    RunBudget(const ButtonProject& project, const BackgroundPictures& pictures);
    // The own pictures still to be decoded, as their headers declare them (indexed by state,
    // Normal first); states whose project names the same file count it once.
    RunBudget(const ButtonProject& project, const std::array<PictureHeader, 3>& headers);

    // Refuses an image too large for one of its formats (FormatLimit, naming the first such
    // file), then a run beyond the budget (RunOverBudget, or RunOverBudgetPicture when one
    // picture takes more than the images).
    Failure check() const;
    // The image bytes the encoders may hold in flight: what the rest leaves of the budget.
    qint64 encoderBytes() const;

private:
    // A state's own or built-in picture, once per image the run holds.
    struct Picture
    {
        QSize size;
        qint64 decodeBytes = 0; // still to be decoded: the decoder's peak, the picture included
        bool shared = false;    // held by an earlier state already
    };
    // The largest image of each kind the run draws that ImageLimits allows; 0 for none.
    struct Images
    {
        qint64 single = 0;
        qint64 twin = 0;
        qint64 sprite = 0;
        qint64 spriteTwin = 0;
        QSize largestButton;
        Failure formatRefusal;
    };

    // What a picture costs: itself; with its double for the twins; and, while it is decoded,
    // what its decoder takes beyond it.
    struct Cost
    {
        qint64 held = 0;
        qint64 kept = 0;
        qint64 decoding = 0;
    };
    Cost costOf(const Picture& picture) const;

    void measureImages();
    void measureCaption(int n, qint64 width);
    QSize normalSize() const;
    qint64 picturesBytes() const;
    qint64 callerBytes() const;
    qint64 largestImage() const;
    int workingFactor() const;

    const ButtonProject& m_project;
    Picture m_own[3];
    Picture m_predefined[3];
    Images m_images;
};
